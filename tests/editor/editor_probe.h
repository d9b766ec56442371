#pragma once
// Looking at what the editor drew: pixels of its surface, compared with the
// background image at the same place.

#include <cstdint>

#include "editor_images.h"
#include "editor_session.h"
#include "graphics.h"
#include "platform/headless/graphics_headless.h"
#include "raster_bitmap.h"

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
};

inline uint32_t SurfacePixel(spwsnapshot::EditorSession& session, int x, int y) {
  return session.Graphics().Surface()->Row(y)[x];
}

inline uint32_t BackgroundPixel(spwsnapshot::EditorSession& session, int x, int y) {
  return session.Graphics().CachedImage(spw_editor::kImageBackground)->Row(y)[x];
}

inline int Brightness(uint32_t argb) { return int((argb >> 16) & 0xFF) + int((argb >> 8) & 0xFF) + int(argb & 0xFF); }

// Pixels in box drawn brighter than the background by more than a trace: ink
// of white text or lit parts.
inline int InkIn(spwsnapshot::EditorSession& session, const Box& box) {
  constexpr int kTrace = 24;  // of 3 x 255
  int ink = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      if (Brightness(SurfacePixel(session, x, y)) > Brightness(BackgroundPixel(session, x, y)) + kTrace) ++ink;
    }
  }
  return ink;
}

// Pixels in box that differ from the background at all.
inline int ChangedIn(spwsnapshot::EditorSession& session, const Box& box) {
  int changed = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) changed += SurfacePixel(session, x, y) != BackgroundPixel(session, x, y);
  }
  return changed;
}
