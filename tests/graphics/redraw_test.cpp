// The draw cycle: what is drawn, when, and where; frames and shapes by pixel probes.
#include <gtest/gtest.h>

#include <algorithm>

#include "bitmap_control.h"
#include "graphics_rig.h"

namespace {
// Fills its rectangle with its colour and counts its draws.
class Patch : public IControl {
 public:
  Patch(IEffectBase* plug, const IArea& rect, uint32_t colour, int paramIdx = -1)
      : IControl(plug, rect, paramIdx), colour_(colour) {}
  bool Draw(IGraphics& graphics) override {
    ++draws;
    const IRgba c(static_cast<int>(colour_ >> 24), static_cast<int>((colour_ >> 16) & 0xFF),
                  static_cast<int>((colour_ >> 8) & 0xFF), static_cast<int>(colour_ & 0xFF));
    return graphics.FillRect(c, Rect(), &Blend());
  }
  int draws = 0;

 private:
  uint32_t colour_;
};

struct PatchRig : Rig {
  PatchRig() {
    gfx->AddControl(background = new Patch(&plug, IArea(0, 0, 100, 80), kBlack));
    gfx->AddControl(a = new Patch(&plug, IArea(10, 10, 30, 30), kRed, kGain));
    gfx->AddControl(b = new Patch(&plug, IArea(20, 20, 40, 40), kBlue, kCount));
    Attach();
    gfx->Tick();  // the first draw of everything
    gfx->Tick();  // the second of the values pushed on attaching
  }
  Patch *background, *a, *b;
};
}  // namespace

TEST(Redraw, AValueChangeIsDrawnOnTwoConsecutiveTicks) {
  PatchRig rig;
  EXPECT_FALSE(rig.gfx->NeedsRedraw(nullptr));
  rig.gfx->PushParameterToControls(kGain, 0.9, true);
  IArea dirty;
  ASSERT_TRUE(rig.gfx->NeedsRedraw(&dirty));
  EXPECT_EQ(dirty, IArea(10, 10, 30, 30));
  const int drawsBefore = rig.a->draws, paints = rig.gfx->PaintCount();
  rig.gfx->Tick();
  rig.gfx->Tick();
  rig.gfx->Tick();
  EXPECT_EQ(rig.a->draws - drawsBefore, 2);
  EXPECT_EQ(rig.gfx->PaintCount() - paints, 2);
  EXPECT_EQ(rig.gfx->LastPaint(), IArea(10, 10, 30, 30));
  // The same value again draws nothing.
  rig.gfx->PushParameterToControls(kGain, 0.9, true);
  EXPECT_FALSE(rig.gfx->NeedsRedraw(nullptr));
}

TEST(Redraw, DirtyControlsAreRedrawnAsOneUnionWithTheControlsTheyOverlap) {
  PatchRig rig;
  rig.gfx->PushParameterToControls(kCount, 1.0, true);  // b
  rig.gfx->PushParameterToControls(kGain, 1.0, true);   // a
  const int backgroundDraws = rig.background->draws;
  rig.gfx->Tick();
  EXPECT_EQ(rig.gfx->LastPaint(), IArea(10, 10, 40, 40));
  EXPECT_EQ(rig.background->draws, backgroundDraws + 1) << "what lies beneath is drawn first";
  EXPECT_EQ(rig.Pixel(25, 25), kBlue) << "b is attached later, so it lies on top";
  EXPECT_EQ(rig.Pixel(15, 15), kRed);
  EXPECT_EQ(rig.Pixel(35, 12), kBlack);
}

TEST(Redraw, AnEmptyUpdateDrawsNothingButCleansEverything) {
  PatchRig rig;
  rig.gfx->RedrawAll();
  rig.gfx->PushParameterToControls(kGain, 0.7, true);
  const int a = rig.a->draws, background = rig.background->draws;
  rig.gfx->Draw(IArea());
  EXPECT_EQ(rig.a->draws, a);
  EXPECT_EQ(rig.background->draws, background);
  // The value change keeps its second tick; everything else is clean.
  IArea dirty;
  ASSERT_TRUE(rig.gfx->NeedsRedraw(&dirty));
  EXPECT_EQ(dirty, IArea(10, 10, 30, 30));
}

TEST(Redraw, HiddenAndOffScreenControlsAreNeitherDrawnNorHitAndGreyedOnesAreDrawnFaintButNotHit) {
  PatchRig rig;
  auto* offScreen = new Patch(&rig.plug, IArea(), kGreen);
  rig.gfx->AddControl(offScreen);
  auto* white = new IBitmapControl(&rig.plug, 50, 50, kMode, rig.Image(Frames(10, 10, {kWhite}, true), 1));
  rig.gfx->AddControl(white);

  rig.gfx->HideControlsOfParameter(kCount, true);
  white->SetGreyed(true);
  rig.gfx->Draw(IArea(0, 0, 100, 80));
  EXPECT_EQ(offScreen->draws, 0);
  EXPECT_EQ(rig.Pixel(35, 35), kBlack) << "b is hidden";
  EXPECT_NEAR(Red(rig.Pixel(55, 55)), 64, 1) << "white over black at weight 0.25";
  EXPECT_EQ(rig.gfx->ControlIndexAt(35, 35), 0) << "the background is hit where b hides";
  EXPECT_EQ(rig.gfx->ControlIndexAt(55, 55), 0);

  rig.gfx->HideControlsOfParameter(kCount, false);
  white->SetGreyed(false);
  rig.gfx->Draw(IArea(0, 0, 100, 80));
  EXPECT_EQ(rig.Pixel(35, 35), kBlue);
  EXPECT_EQ(rig.Pixel(55, 55), kWhite);
  EXPECT_EQ(rig.gfx->ControlIndexAt(35, 35), 2);
  EXPECT_EQ(rig.gfx->ControlIndexAt(59, 59), 4);
}

TEST(Redraw, WithoutStrictDrawingADirtyControlRedrawsOnlyWhatItOverlaps) {
  PatchRig rig;
  rig.gfx->SetStrictDrawing(false);
  auto* far = new Patch(&rig.plug, IArea(60, 60, 70, 70), kGreen);
  rig.gfx->AddControl(far);
  rig.gfx->Tick();
  const int background = rig.background->draws, b = rig.b->draws, farDraws = far->draws;
  rig.gfx->PushParameterToControls(kGain, 0.3, true);
  rig.gfx->Tick();
  EXPECT_EQ(rig.background->draws, background + 1);
  EXPECT_EQ(rig.b->draws, b + 1);
  EXPECT_EQ(far->draws, farDraws);
  // A dirty background redraws everything.
  rig.gfx->RedrawAll();
  rig.gfx->Tick();
  EXPECT_EQ(far->draws, farDraws + 1);
}

TEST(Redraw, ImageFramesAreTakenFromTheirOffsetInTheImage) {
  struct Case {
    bool stacked;
    int frames;
    int frame;
    uint32_t expected;
  };
  const Case cases[] = {
      {true, 3, 1, kRed},  {true, 3, 2, kGreen}, {true, 3, 3, kBlue},   {false, 3, 2, kGreen},
      {false, 3, 3, kBlue}, {false, 1, 2, kRed}, {true, 3, 0, kRed},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.Attach();
    const std::vector<uint32_t> colours = c.frames == 3 ? std::vector<uint32_t>{kRed, kGreen, kBlue}
                                                        : std::vector<uint32_t>{kRed};
    const IImage image = rig.Image(Frames(8, 6, colours, c.stacked), c.frames);
    rig.gfx->AddControl(new Patch(&rig.plug, IArea(0, 0, 100, 80), kBlack));
    rig.gfx->Draw(IArea(0, 0, 100, 80));  // also makes the whole editor the draw rectangle
    rig.gfx->DrawImageFrame(image, IArea(20, 20, 28, 26), c.frame, nullptr, c.stacked);
    EXPECT_EQ(rig.Pixel(20, 20), c.expected) << c.stacked << " " << c.frames << " " << c.frame;
    EXPECT_EQ(rig.Pixel(27, 25), c.expected) << c.stacked << " " << c.frames << " " << c.frame;
    EXPECT_EQ(rig.Pixel(28, 26), kBlack);
  }
}

TEST(Redraw, DrawingStaysInsideTheUpdateRectangle) {
  PatchRig rig;
  EXPECT_EQ(rig.Pixel(25, 25), kBlue);
  rig.gfx->HideControlsOfParameter(kCount, true);  // b: (20, 20, 40, 40)
  rig.gfx->Draw(IArea(0, 0, 22, 22));
  EXPECT_EQ(rig.gfx->DrawRect(), IArea(0, 0, 22, 22));
  EXPECT_EQ(rig.Pixel(21, 21), kRed) << "a shows where b was, inside the update";
  EXPECT_EQ(rig.Pixel(25, 25), kBlue) << "outside the update nothing changes";
  EXPECT_EQ(rig.Pixel(22, 15), kRed);
}

TEST(Redraw, RoundedBoxesLeaveTheirCornersAndFillOrOutlineTheRest) {
  struct Case {
    int corners;
    bool topRounded, bottomRounded;
  };
  for (const Case c : {Case{4, true, true}, Case{2, true, false}, Case{-2, false, true}}) {
    PatchRig rig;
    rig.gfx->HideControlsOfParameter(kGain, true);
    rig.gfx->HideControlsOfParameter(kCount, true);
    rig.gfx->Draw(IArea(0, 0, 100, 80));  // all black, and the whole editor to draw in
    const IRgba white(255, 255, 255, 255);
    rig.gfx->FillRoundedBox(white, IArea(40, 40, 80, 70), 6, c.corners, nullptr, true);
    EXPECT_EQ(rig.Pixel(60, 55), kWhite);
    EXPECT_EQ(rig.Pixel(60, 40), kWhite) << "top edge";
    EXPECT_EQ(rig.Pixel(40, 55), kWhite) << "left edge";
    EXPECT_EQ(rig.Pixel(40, 40) == kBlack, c.topRounded) << c.corners;
    EXPECT_EQ(rig.Pixel(79, 69) == kBlack, c.bottomRounded) << c.corners;
    EXPECT_EQ(rig.Pixel(80, 55), kBlack) << "right is exclusive";
  }
  PatchRig rig;
  rig.gfx->Draw(IArea(0, 0, 100, 80));
  rig.gfx->DrawRoundedBox(IRgba(255, 255, 255, 255), IArea(40, 40, 80, 70), 6, nullptr, false);
  EXPECT_EQ(rig.Pixel(60, 40), kWhite);
  EXPECT_EQ(rig.Pixel(60, 69), kWhite);
  EXPECT_EQ(rig.Pixel(40, 55), kWhite);
  EXPECT_EQ(rig.Pixel(79, 55), kWhite);
  EXPECT_EQ(rig.Pixel(60, 55), kBlack);
  EXPECT_EQ(rig.Pixel(40, 40), kBlack);
}

TEST(Redraw, EveryTickRunsTheControlsTimerWorkFirstPaintedOrNot) {
  // Marks itself dirty from its timer work when asked.
  struct Ticking : Patch {
    using Patch::Patch;
    void OnTimer() override {
      ++ticks;
      if (mark) MarkDirty(false);
      mark = false;
    }
    int ticks = 0;
    bool mark = false;
  };
  PatchRig rig;
  auto* ticking = new Ticking(&rig.plug, IArea(50, 50, 60, 60), kGreen);
  rig.gfx->AddControl(ticking);
  rig.gfx->Tick();
  const int draws = ticking->draws, paints = rig.gfx->PaintCount();
  rig.gfx->Tick();
  rig.gfx->Tick();
  EXPECT_EQ(ticking->ticks, 3);
  EXPECT_EQ(rig.gfx->PaintCount(), paints) << "nothing to paint, the timer work ran anyway";
  ticking->mark = true;
  rig.gfx->Tick();
  EXPECT_EQ(ticking->draws, draws + 1) << "drawn in the tick that marked it";
  EXPECT_EQ(rig.gfx->LastPaint(), IArea(50, 50, 60, 60));
}

TEST(Redraw, TextIsMeasuredAsWideAsItIsDrawn) {
  PatchRig rig;
  rig.gfx->Draw(IArea(0, 0, 100, 80));
  ITextStyle style("Arial", 14, IRgba(255, 255, 255, 255));
  const int width = rig.gfx->MeasureText(style, "12274.13Hz");
  ASSERT_TRUE(rig.gfx->DrawText(style, "12274.13Hz", IArea(5, 45, 95, 65)));
  int left = 100, right = 0;  // columns with ink
  for (int y = 45; y < 65; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (Red(rig.Pixel(x, y)) < 128) continue;
      left = std::min(left, x);
      right = std::max(right, x + 1);
    }
  }
  EXPECT_NEAR(right - 5, width, 2);  // the advance ends about where the ink does
  EXPECT_LE(left, 6);
  ITextStyle smaller("Arial", 12, IRgba(255, 255, 255, 255));
  EXPECT_LT(rig.gfx->MeasureText(smaller, "12274.13Hz"), width);
  EXPECT_EQ(rig.gfx->MeasureText(style, ""), 0);
}
