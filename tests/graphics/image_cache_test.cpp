// The process-wide image and font caches, seen through the graphics core.
#include <gtest/gtest.h>

#include "graphics_rig.h"
#include "image_cache.h"
#include "font_cache.h"
#include "knob_rot_val.h"

TEST(ImageCache, LoadsAResourceOnceForEveryEditorAndRetriesAFailedLoad) {
  Rig a, b;
  const int id = FreshId();
  const IImage missing = a.gfx->LoadImageResource(id, "late.png", 1);
  EXPECT_EQ(missing.bitmap, nullptr);
  EXPECT_EQ(missing.w, 0);
  const int entries = ImageCache::Instance().Count();

  a.gfx->images.emplace(id, Frames(4, 3, {kRed, kGreen}, false));
  const IImage first = a.gfx->LoadImageResource(id, "late.png", 2);
  ASSERT_NE(first.bitmap, nullptr);
  EXPECT_EQ(ImageCache::Instance().Count(), entries) << "the failed entry is replaced, not followed";
  EXPECT_EQ(first.w, 8);
  EXPECT_EQ(first.h, 3);
  EXPECT_EQ(first.frames, 2);
  EXPECT_EQ(first.tempId, 0);

  const IImage again = b.gfx->LoadImageResource(id, "other name", 2);
  EXPECT_EQ(again.bitmap, first.bitmap);
  EXPECT_EQ(a.gfx->loads[id], 2);
  EXPECT_EQ(b.gfx->loads[id], 0) << "a cached image never touches the resources again";
}

TEST(ImageCache, CutImageKeepsBothPartsInTheCacheOncePerSourceImage) {
  Rig a, b;
  const int id = FreshId();
  a.gfx->images.emplace(id, Frames(5, 4, {kRed, kBlue}, false));
  b.gfx->images.emplace(id, Frames(5, 4, {kRed, kBlue}, false));

  IImage knob = a.gfx->LoadImageResource(id, "knob.png", 1);
  const int before = ImageCache::Instance().Count();
  const IImage left = a.gfx->CutImage(knob, 0.5);
  EXPECT_EQ(ImageCache::Instance().Count(), before + 2);
  ASSERT_NE(left.bitmap, nullptr);
  ASSERT_NE(knob.bitmap, nullptr);
  EXPECT_EQ(left.w, 5);
  EXPECT_EQ(left.h, 4);
  EXPECT_EQ(knob.w, 5);
  EXPECT_EQ(knob.frames, 1);
  EXPECT_LT(knob.tempId, -1);
  EXPECT_EQ(a.gfx->CachedImage(knob.tempId), left.bitmap);
  EXPECT_EQ(left.bitmap->Row(3)[4], kRed);
  EXPECT_EQ(knob.bitmap->Row(0)[0], kBlue);

  IImage secondKnob = b.gfx->LoadImageResource(id, "knob.png", 1);
  const IImage secondLeft = b.gfx->CutImage(secondKnob, 0.5);
  EXPECT_EQ(ImageCache::Instance().Count(), before + 2) << "a second editor adds nothing";
  EXPECT_EQ(secondLeft.bitmap, left.bitmap);
  EXPECT_EQ(secondKnob.bitmap, knob.bitmap);
  EXPECT_EQ(secondKnob.tempId, knob.tempId);
}

TEST(ImageCache, CuttingAMissingImageGivesEmptyParts) {
  Rig rig;
  IImage knob = rig.gfx->LoadImageResource(FreshId(), "missing.png", 1);
  const int before = ImageCache::Instance().Count();
  const IImage left = rig.gfx->CutImage(knob, 0.5);
  EXPECT_EQ(left.bitmap, nullptr);
  EXPECT_EQ(left.w, 0);
  EXPECT_EQ(knob.bitmap, nullptr);
  EXPECT_EQ(knob.tempId, 0);
  EXPECT_EQ(ImageCache::Instance().Count(), before);

  // A knob made of it draws nothing and does not fail.
  rig.Attach();
  IKnobRotVal::Look look;
  rig.gfx->AddControl(new IKnobRotVal(&rig.plug, kGain, 20, 20, knob, look));
  EXPECT_TRUE(rig.gfx->Draw(IArea(0, 0, 100, 80)));
}

TEST(ImageCache, ASplitKnobTurnsItsLeftPartOverItsFixedRightPart) {
  Rig rig;
  // Left part: a red square with a green bar in its top middle (the pointer); right part: blue.
  RasterMemBitmap picture = Frames(20, 20, {kRed, kBlue}, false);
  for (int y = 0; y < 6; ++y) {
    for (int x = 8; x < 12; ++x) picture.Row(y)[x] = kGreen;
  }
  IImage knob = rig.Image(picture, 1);
  rig.gfx->CutImage(knob, 0.5);
  rig.Attach();
  IKnobRotVal::Look look;
  look.rangeDeg = 180.0;
  auto* control = new IKnobRotVal(&rig.plug, -1, 40, 40, knob, look);
  rig.gfx->AddControl(control);
  EXPECT_EQ(control->Rect(), IArea(30, 30, 50, 50));

  control->SetValue(0.5);  // upright: the pointer at the top
  rig.gfx->Draw(IArea(0, 0, 100, 80));
  EXPECT_EQ(rig.Pixel(40, 32), kGreen);
  EXPECT_EQ(rig.Pixel(40, 47), kRed);
  control->SetValue(1.0);  // a quarter turn clockwise: the pointer at the right
  rig.gfx->Draw(IArea(0, 0, 100, 80));
  EXPECT_EQ(rig.Pixel(47, 40), kGreen);
  EXPECT_EQ(rig.Pixel(40, 32), kRed);
  // The right part alone would be blue everywhere: it lies beneath, covered by the left part.
  EXPECT_NE(rig.Pixel(35, 35), kBlue);
}

TEST(FontCache, OneFontPerSizeStyleAndFaceWhateverTheColour) {
  Rig rig;
  rig.Attach();
  ITextStyle style("Arial", 17, IRgba(255, 255, 255, 255));
  ITextStyle same = style;
  same.colour = IRgba(100, 0, 0, 0);
  same.align = kAlignRight;  // colour and alignment are not part of a font
  ASSERT_TRUE(rig.gfx->DrawText(style, "a", IArea(0, 0, 50, 20)));
  const int fonts = FontCache::Instance().Count();
  ASSERT_TRUE(rig.gfx->DrawText(same, "a", IArea(0, 0, 50, 20)));
  EXPECT_NE(style.cachedFont, nullptr);
  EXPECT_EQ(style.cachedFont, same.cachedFont);
  EXPECT_EQ(FontCache::Instance().Count(), fonts);

  ITextStyle bold = style;
  bold.cachedFont = nullptr;
  bold.style = kTextBold;
  ASSERT_TRUE(rig.gfx->DrawText(bold, "a", IArea(0, 0, 50, 20)));
  EXPECT_NE(bold.cachedFont, style.cachedFont);
  EXPECT_EQ(FontCache::Instance().Count(), fonts + 1);
}
