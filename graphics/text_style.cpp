#include "text_style.h"

#include "parameter.h"

ITextStyle::ITextStyle(const char* faceName, int sizePx, const IRgba& colourArgb, int styleBits, int alignment,
                       int orientationDeg, int qualityCode)
    : size(sizePx),
      colour(colourArgb),
      style(styleBits),
      align(alignment),
      orientation(orientationDeg),
      quality(qualityCode) {
  CopyText(face, faceName, kFaceSize);
}
