// Pictures of the editor as spw_snapshot draws them, checked at known places:
// the lit and free cells of the slot panel, the visible frequency knob, the
// status line, the tone count on the phase-sync button, an open popup menu,
// and the panel scrolled to its last rows.

#include <gtest/gtest.h>

#include <vector>

#include "editor_probe.h"
#include "editor_fixture.h"

namespace {

using spw_editor::kImageSlotFree;
using spw_editor::kImageSlotOccupied;
using spw_editor::kImageSlotThumbAlt;

// A spot inside every cell that no label reaches: above the text, half way across.
constexpr int kSpotX = 32, kSpotY = 2;

class EditorSnapshot : public EditorFixture {
 protected:
  uint32_t ImagePixel(int id, int x, int y) { return Graphics().CachedImage(id)->Row(y)[x]; }
  // The image's own pixel at the spot: drawn opaque, it is what the surface must show.
  uint32_t CellLook(int id) {
    const uint32_t pixel = ImagePixel(id, kSpotX, kSpotY);
    EXPECT_EQ(pixel >> 24, 0xFFu) << "the probe needs an opaque spot of image " << id;
    return pixel;
  }
  uint32_t CellSpot(int column, int visibleRow) {
    return SurfacePixel(session, 12 + 5 + column * 68 + kSpotX, 263 + 2 + visibleRow * 25 + kSpotY);
  }
  // The pixels of a box, to tell two pictures of the same place apart.
  std::vector<uint32_t> Pixels(const Box& box) {
    std::vector<uint32_t> pixels;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) pixels.push_back(SurfacePixel(session, x, y));
    }
    return pixels;
  }

  // Pixels brighter than the menu's grey and its highlight: white text.
  int BrightIn(const Box& box) {
    constexpr int kText = 450;  // of 3 x 255
    int bright = 0;
    for (uint32_t pixel : Pixels(box)) bright += Brightness(pixel) > kText;
    return bright;
  }

  const Box phaseButton{479, 240, 508, 255};
  const Box statusArea{147, 57, 347, 75};
  const Box frequencyKnob{64, 122, 156, 214};
};

TEST_F(EditorSnapshot, DefaultEditorAfterOneBlock) {
  EXPECT_EQ(CellSpot(0, 3), CellLook(kImageSlotOccupied));  // cell 22, 256 Hz, sounds out of the box
  EXPECT_EQ(CellSpot(1, 3), CellLook(kImageSlotFree));
  EXPECT_EQ(CellSpot(0, 0), CellLook(kImageSlotFree));
  EXPECT_GT(InkIn(session, {12 + 5 + 20, 265 + 4, 12 + 5 + 45, 265 + 18}), 0);  // "32.00Hz"
  EXPECT_GT(InkIn(session, phaseButton), 0);                                     // "1"
  EXPECT_GT(ChangedIn(session, frequencyKnob), 0);
  EXPECT_FALSE(Status().empty());
  EXPECT_GT(InkIn(session, statusArea), 0);
}

TEST_F(EditorSnapshot, SevenTonesLightSevenCellsAndTheCountFollows) {
  const std::vector<uint32_t> countOfOne = Pixels(phaseButton);
  Script({"--program", "Healing - 586 (7 tones)"});
  const int lit[7][2] = {{2, 2}, {4, 2}, {6, 2}, {1, 3}, {3, 3}, {5, 3}, {0, 4}};  // cells 17, 19, .., 29
  for (const auto& cell : lit) EXPECT_EQ(CellSpot(cell[0], cell[1]), CellLook(kImageSlotOccupied));
  EXPECT_EQ(CellSpot(3, 2), CellLook(kImageSlotFree));
  EXPECT_EQ(CellSpot(0, 3), CellLook(kImageSlotFree));  // the default cell let go
  EXPECT_EQ(Plug().Engine().phaseSync.ActiveTones(), 7);
  EXPECT_GT(InkIn(session, phaseButton), 0);
  EXPECT_NE(Pixels(phaseButton), countOfOne);
}

TEST_F(EditorSnapshot, BinauralReferenceShowsTheBaseFrequencyKnob) {
  const std::vector<uint32_t> binauralKnob = Pixels(frequencyKnob);
  Script({"--set", "Reference=Binaural Freq"});
  EXPECT_TRUE(Graphics().ControlAt(spw_editor::kBinauralKnob)->IsHidden());
  EXPECT_FALSE(Graphics().ControlAt(spw_editor::kBaseFreqKnob)->IsHidden());
  EXPECT_GT(ChangedIn(session, frequencyKnob), 0);
  EXPECT_NE(Pixels(frequencyKnob), binauralKnob);  // turned to 400 Hz, not to 4 Hz
  EXPECT_EQ(CellSpot(0, 3), CellLook(kImageSlotOccupied));  // slot 1 keeps its cell: now a beat
  EXPECT_EQ(Status(), "Freq of reference: base");
  EXPECT_GT(InkIn(session, statusArea), 0);
}

TEST_F(EditorSnapshot, AnOpenPopupIsDrawnOverTheEditor) {
  Script({"--rclick", "471,120"});  // the "Wave" slider: seven waves
  PromptPopup* popup = Popup();
  ASSERT_NE(popup, nullptr);
  const IArea& r = popup->Rect();
  const uint32_t inside = SurfacePixel(session, r.left + 2, r.top + 10);  // the menu's grey, left of the rows
  for (int shift : {16, 8, 0}) EXPECT_NEAR(int((inside >> shift) & 0xFF), 50, 8) << shift;
  for (int visible = 0; visible < 5; ++visible) {
    const IArea e = popup->EntryRect(visible);
    EXPECT_GT(BrightIn({e.left, e.top, e.right, e.bottom}), 0) << "the text of entry " << visible;
  }
  const IArea thumb = popup->ThumbRect();
  const uint32_t lit = SurfacePixel(session, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
  EXPECT_GT(int(lit & 0xFF) - int((lit >> 16) & 0xFF), 30);  // the scrollbar's blue over the grey
}

TEST_F(EditorSnapshot, AScrolledPanelShowsItsLastRows) {
  Script({"--drag", "499,290,0,200"});
  ASSERT_EQ(Panel().FirstVisibleRow(), 5);
  EXPECT_EQ(CellSpot(0, 3), CellLook(kImageSlotFree));  // row 8, 4096 Hz: free
  const uint32_t thumb = ImagePixel(kImageSlotThumbAlt, 5, 20);
  ASSERT_EQ(thumb >> 24, 0xFFu);
  EXPECT_EQ(SurfacePixel(session, 494 + 5, 348 + 20), thumb);
  EXPECT_EQ(ChangedIn(session, {494, 264, 504, 304}), 0);  // where the thumb was: the background
  // Five-digit labels stay inside their cells: nothing drawn in the gaps of row 8.
  for (int column = 0; column < 6; ++column) {
    const int gap = 12 + 5 + column * 68 + 65;
    EXPECT_EQ(ChangedIn(session, {gap, 265 + 3 * 25, gap + 3, 265 + 3 * 25 + 22}), 0) << "after column " << column;
  }
}

}  // namespace
