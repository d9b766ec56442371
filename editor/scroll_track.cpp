#include "scroll_track.h"

#include <algorithm>

#include "parameter.h"

int FirstRowAtOffset(int offset, int hiddenRows, int track) {
  if (hiddenRows <= 0 || track <= 0) return 0;
  return std::clamp(RoundHalfAway(static_cast<double>(offset) * hiddenRows / track), 0, hiddenRows);
}

int OffsetOfFirstRow(int first, int hiddenRows, int track) {
  if (hiddenRows <= 0) return 0;
  return RoundHalfAway(static_cast<double>(std::clamp(first, 0, hiddenRows)) * track / hiddenRows);
}

int ClampToTrack(int offset, int track) { return std::clamp(offset, 0, std::max(0, track)); }
