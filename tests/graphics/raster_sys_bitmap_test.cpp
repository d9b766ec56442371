// The drawing surface: pixels the window system sees as we wrote them.
#include <gtest/gtest.h>

#include "raster_draw.h"
#include "raster_sys_bitmap.h"

TEST(RasterSysBitmap, RowsAreTopDownAndResizeStartsAfresh) {
  RasterSysBitmap surface(4, 3);
  ASSERT_NE(surface.Pixels(), nullptr);
  RasterFillRect(surface, 1, 2, 1, 1, 0xFF112233, {RasterMode::Copy, false, 1.0f});
  EXPECT_EQ(surface.Pixels()[2 * surface.RowSpan() + 1], 0xFF112233u);
#ifdef _WIN32
  // The DIB section's memory is what GDI copies to the window: red 0x11, green 0x22, blue 0x33.
  ASSERT_NE(surface.DeviceContext(), nullptr);
  EXPECT_EQ(GetPixel(surface.DeviceContext(), 1, 2), RGB(0x11, 0x22, 0x33));
#endif
  surface.SetClip({0, 0, 1, 1});
  EXPECT_TRUE(surface.Resize(0, 0));
  EXPECT_EQ(surface.Pixels(), nullptr);
  ASSERT_TRUE(surface.Resize(6, 5));
  EXPECT_EQ(surface.Clip().w, 6) << "a resized image clips to itself";
  EXPECT_EQ(surface.Row(4) - surface.Row(0), 4 * surface.RowSpan());
}
