#pragma once
// The one place that picks the editor's window per target: IGraphicsWin on
// Windows, IGraphicsX11 elsewhere. Kept behind a function so the editor's code
// never sees the window system's headers.

class IEffectBase;
class IGraphics;

// A new editor graphics of width x height pixels for plug (owned by the caller until
// attached); frameRate <= 0 gives the default rate.
IGraphics* MakePlatformGraphics(IEffectBase* plug, int width, int height, int frameRate);
