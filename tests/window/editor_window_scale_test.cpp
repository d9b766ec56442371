// The editor in a real window on a high-density screen: the host gives the view
// its scale (150 %) before opening it; the window, the size the view reports,
// the picture and the mouse all follow, and a later change of the host's scale
// resizes the window through the host's frame.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor_window_fixture.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr Steinberg::Vst::ParamID kReference = 2;
constexpr double kScale = 1.5;
constexpr int kBinauralFreqX = 160, kBinauralFreqY = 98;  // the "Binaural Freq" button, editor pixels

int Device(int editorPixel, double scale) { return static_cast<int>(std::floor((editorPixel + 0.5) * scale)); }

class EditorWindowAtScale : public EditorWindowTest {
 protected:
  EditorWindowAtScale() { hostScale_ = kScale; }

  // The typed-value box over the "Fade" knob (the white field there), its digits
  // measured in device pixels: the rows inside it that hold ink.
  int TypedDigitsHeight(double scale) {
    constexpr int kFadeX = 234, kFadeY = 124;  // the knob, editor pixels
    Click(Device(kFadeX, scale), Device(kFadeY, scale), spwwin::Button::kRight);
    driver_->Type("888");
    driver_->Pump(100);
    const spwwin::Picture picture = driver_->Capture();
    driver_->PressReturn();
    Settle();
    Area field{picture.width, picture.height, 0, 0};
    for (int y = Device(kFadeY - 20, scale); y < Device(kFadeY + 20, scale); ++y) {
      for (int x = Device(kFadeX - 40, scale); x < Device(kFadeX + 40, scale); ++x) {
        if (picture.At(x, y) != 0xFFFFFFFFu) continue;
        field = {std::min(field.left, x), std::min(field.top, y), std::max(field.right, x), std::max(field.bottom, y)};
      }
    }
    int first = -1, last = -1;
    for (int y = field.top; y < field.bottom; ++y) {
      for (int x = field.left; x < field.right; ++x) {
        if ((picture.At(x, y) & 0xFFu) >= 0x80u) continue;
        if (first < 0) first = y;
        last = y;
      }
    }
    return first < 0 ? 0 : last - first + 1;
  }
};

TEST_F(EditorWindowAtScale, OpensAtTheHostsScaleAndReportsThatSize) {
  Steinberg::ViewRect size;
  ASSERT_EQ(view_->getSize(&size), Steinberg::kResultOk);
  EXPECT_EQ(size.getWidth(), 780);
  EXPECT_EQ(size.getHeight(), 603);
  const spwwin::Picture picture = driver_->Capture();
  EXPECT_EQ(picture.width, 780);
  EXPECT_EQ(picture.height, 603);
  if (HasFailure()) spwwin::WritePicturePng(picture, "scaled_window.png");
}

TEST_F(EditorWindowAtScale, AClickAtTheScaleHitsTheControlUnderThePointer) {
  ASSERT_EQ(Normalized(kReference), 0.0);
  Click(Device(kBinauralFreqX, kScale), Device(kBinauralFreqY, kScale));
  EXPECT_EQ(Normalized(kReference), 1.0) << "\"Binaural Freq\" chosen";
}

TEST_F(EditorWindowAtScale, AHostChangingItsScaleResizesTheWindowThroughTheFrame) {
  const int before = driver_->Frame()->ResizeRequests();
  ASSERT_EQ(ContentScale().setContentScaleFactor(1.25f), Steinberg::kResultOk);
  Settle();
  ASSERT_EQ(driver_->Frame()->ResizeRequests(), before + 1);
  EXPECT_EQ(driver_->Frame()->LastResize().getWidth(), 650);
  EXPECT_EQ(driver_->Frame()->LastResize().getHeight(), 503);
  const spwwin::Picture picture = driver_->Capture();
  EXPECT_EQ(picture.width, 650);
  EXPECT_EQ(picture.height, 503);
  // Scales beyond 200 % or below 100 % are held to those.
  ASSERT_EQ(ContentScale().setContentScaleFactor(0.5f), Steinberg::kResultOk);
  Settle();
  EXPECT_EQ(driver_->Frame()->LastResize().getWidth(), 520);
  Click(kBinauralFreqX, kBinauralFreqY);
  EXPECT_EQ(Normalized(kReference), 1.0) << "at 100 % the click lands where it does unscaled";
}

TEST_F(EditorWindowAtScale, ATypedValuesTextGrowsWithTheScale) {
  const int scaled = TypedDigitsHeight(kScale);
  ASSERT_EQ(ContentScale().setContentScaleFactor(1.0f), Steinberg::kResultOk);
  Settle();
  const int plain = TypedDigitsHeight(1.0);
  ASSERT_GT(plain, 5) << "digits were seen at 100 %";
  EXPECT_NEAR(double(scaled) / plain, kScale, 0.25) << scaled << " device pixels at 150 %, " << plain << " at 100 %";
}

#ifdef _WIN32
// With no scale from the host the window follows its own DPI: 96 is 100 %. The
// same test runs again in a wine prefix whose screen is set to 144 DPI
// (wine_dpi.sh, which says so in SPW_EXPECT_DPI): 150 %.
TEST_F(EditorWindowTest, WithoutAHostScaleTheWindowFollowsItsDpi) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  if (const char* expected = std::getenv("SPW_EXPECT_DPI")) {
    ASSERT_EQ(dpi, std::atoi(expected)) << "the screen's DPI";
  }
  const double scale = std::min(2.0, std::max(1.0, dpi / 96.0));
  Steinberg::ViewRect size;
  ASSERT_EQ(view_->getSize(&size), Steinberg::kResultOk);
  EXPECT_EQ(size.getWidth(), static_cast<int>(std::lround(kWidth * scale))) << dpi << " DPI";
  EXPECT_EQ(size.getHeight(), static_cast<int>(std::lround(kHeight * scale))) << dpi << " DPI";
}
#endif

// The person's zoom in a real window: the background's menu, the window and the host's frame.
TEST_F(EditorWindowTest, AZoomChosenOnTheBackgroundResizesTheWindowThroughTheFrame) {
  constexpr int kMenuRow = 21;  // pixels per menu entry
  const spwwin::Picture before = driver_->Capture();
  Click(kRestX, kRestY, spwwin::Button::kRight);
  const spwwin::Picture open = driver_->Capture();
  // The menu opens by the pointer: its top-left corner is the first changed pixel there.
  int left = -1, top = -1;
  for (int y = 0; y < 60 && top < 0; ++y) {
    for (int x = 0; x < 60 && top < 0; ++x) {
      if (open.At(x, y) != before.At(x, y)) left = x, top = y;
    }
  }
  ASSERT_GE(top, 0) << "no menu opened";
  const int requests = driver_->Frame()->ResizeRequests();
  Click(left + kMenuRow, top + kMenuRow + kMenuRow / 2);  // the second entry, 125 %
  ASSERT_EQ(driver_->Frame()->ResizeRequests(), requests + 1);
  EXPECT_EQ(driver_->Frame()->LastResize().getWidth(), 650);
  EXPECT_EQ(driver_->Frame()->LastResize().getHeight(), 503);
  Steinberg::ViewRect size;
  ASSERT_EQ(view_->getSize(&size), Steinberg::kResultOk);
  EXPECT_EQ(size.getWidth(), 650);
  EXPECT_EQ(driver_->Capture().width, 650);
  if (HasFailure()) spwwin::WritePicturePng(open, "zoom_menu.png");
}

}  // namespace
