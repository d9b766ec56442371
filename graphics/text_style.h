#pragma once
// How a text is drawn. Always copied whole; the font made for it is cached in
// the process-wide font cache and remembered here on first use (not owned).

#include "rgba.h"

class RasterCachedFont;

enum ETextStyle : int { kTextNormal = 0, kTextBold = 1, kTextItalic = 2 };
enum ETextAlign : int { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };
// 0 default, 1 non-antialiased, 2 antialiased, 3 ClearType.
enum ETextQuality : int { kQualityDefault = 0, kQualityPlain = 1, kQualityAntialiased = 2, kQualityClearType = 3 };

struct ITextStyle {
  static constexpr int kFaceSize = 32;  // terminator included

  char face[kFaceSize] = "Arial";
  int size = 14;  // character height, pixels
  IRgba colour;
  int style = kTextNormal;
  int align = kAlignLeft;
  int orientation = 0;  // degrees
  int quality = kQualityDefault;
  RasterCachedFont* cachedFont = nullptr;

  ITextStyle() = default;
  ITextStyle(const char* faceName, int sizePx, const IRgba& colourArgb, int styleBits = kTextNormal,
             int alignment = kAlignLeft, int orientationDeg = 0, int qualityCode = kQualityDefault);
};
