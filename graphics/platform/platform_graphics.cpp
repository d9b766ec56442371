#include "platform_graphics.h"

#ifdef _WIN32
#include "graphics_win.h"
using PlatformGraphics = IGraphicsWin;
#elif defined(__EMSCRIPTEN__)
// A web page has no window for the editor: the page shows the windowless editor's picture.
#include "platform/headless/graphics_headless.h"
using PlatformGraphics = IGraphicsHeadless;
#else
#include "graphics_x11.h"
using PlatformGraphics = IGraphicsX11;
#endif

IGraphics* MakePlatformGraphics(IEffectBase* plug, int width, int height, int frameRate) {
  return new PlatformGraphics(plug, width, height, frameRate);
}
