// The player's programme bar on its own: where its parts lie at 100 % and 200 %,
// what a press, the wheel and the arrow keys choose (empty slots skipped), and
// that its picture shows the programme playing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_bar.h"

namespace spwplay {
namespace {

constexpr int kEditorHeight = 402;  // the editor at 100 %, pixels

// Programme 2 is an empty slot, named by its 1-based number as the plug-in names one.
std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(i == 2 ? "- 3 -" : "Programme " + std::to_string(i));
  return names;
}

TEST(ProgramBarLayout, PartsScaleWithTheEditor) {
  struct Case {
    double scale;
    int x, y;  // at 100 %
    BarPart part;
  };
  const Case cases[] = {
      {1.0, 15, 14, BarPart::kPrevious}, {2.0, 15, 14, BarPart::kPrevious}, {1.0, 260, 14, BarPart::kName},
      {2.0, 260, 14, BarPart::kName},    {1.0, 505, 14, BarPart::kNext},    {2.0, 505, 14, BarPart::kNext},
      {1.0, 1, 1, BarPart::kNone},       {2.0, 35, 14, BarPart::kNone},  // between previous and the name
  };
  for (const Case& c : cases) {
    const ProgramBarLayout layout(int(520 * c.scale), int(kEditorHeight * c.scale));
    EXPECT_EQ(layout.BarHeight(), int(28 * c.scale));
    EXPECT_EQ(layout.HitBar(int(c.x * c.scale), int(c.y * c.scale)).part, c.part) << c.scale << " at " << c.x;
  }
  for (double scale : {1.0, 2.0}) {
    const ProgramBarLayout layout(int(520 * scale), int(kEditorHeight * scale));
    EXPECT_EQ(layout.VisibleRows(), kEditorHeight / 20) << "as many rows at every scale";
    const BarHit row = layout.HitList(int(100 * scale), int(45 * scale), 0, 156);
    EXPECT_EQ(row.part, BarPart::kRow);
    EXPECT_EQ(row.row, 2);
    // The thumb of a list scrolled to its middle has track above and below it.
    EXPECT_EQ(layout.HitList(int(515 * scale), 1, 70, 156).part, BarPart::kScrollUp);
    EXPECT_EQ(layout.HitList(int(515 * scale), int(400 * scale), 70, 156).part, BarPart::kScrollDown);
  }
}

TEST(ProgramBar, PressesWheelAndKeysChooseProgrammes) {
  std::vector<int> chosen;
  ProgramBar bar(Names(156), [&chosen](int n) { chosen.push_back(n); });
  bar.Layout(1040, 2 * kEditorHeight);
  const ProgramBarLayout& at = bar.Geometry();
  bar.Show(1, "");
  bar.Key(spwwin::StripKey::kNext);  // over the empty slot
  bar.PressStrip(at.Next().x + 1, at.Next().y + 1);
  bar.Key(spwwin::StripKey::kPrevious);
  bar.PressStrip(at.Previous().x + 1, at.Previous().y + 1);
  bar.PressStrip(at.Previous().x + 1, at.Previous().y + 1);  // over the empty slot again
  bar.Key(spwwin::StripKey::kPrevious);
  bar.Key(spwwin::StripKey::kPrevious);  // at the first: stays
  EXPECT_EQ(chosen, (std::vector<int>{3, 4, 3, 1, 0}));
  chosen.clear();

  bar.PressStrip(at.Name().x + 1, at.Name().y + 1);
  ASSERT_TRUE(bar.PanelOpen());
  bar.WheelPanel(-10);  // down by 30 rows
  EXPECT_EQ(bar.FirstRow(), 30);
  bar.PressPanel(10, at.RowHeight() * 5 + 1);
  EXPECT_FALSE(bar.PanelOpen()) << "a choice closes the list";
  bar.PressStrip(at.Name().x + 1, at.Name().y + 1);
  bar.WheelPanel(-100);
  EXPECT_EQ(bar.FirstRow(), 156 - at.VisibleRows()) << "the last row at the bottom, no further";
  bar.PressPanel(at.Track().x + 1, 1);  // the track above the thumb: a page up
  EXPECT_EQ(bar.FirstRow(), 156 - 2 * at.VisibleRows() + 1);
  bar.PressPanel(10, 1);
  EXPECT_EQ(chosen, (std::vector<int>{35, 156 - 2 * at.VisibleRows() + 1}));
  bar.PressStrip(at.Name().x + 1, at.Name().y + 1);
  bar.WheelPanel(100);
  bar.PressPanel(10, at.RowHeight() * 2 + 1);  // the empty slot: nothing
  EXPECT_EQ(chosen.size(), 2u);
}

// The name field's pixels in the colour of text.
int TextPixels(const RasterMemBitmap& picture, const RasterRect& field) {
  int count = 0;
  for (int y = field.y; y < field.y + field.h; ++y) {
    for (int x = field.x; x < field.x + field.w; ++x) count += (picture.Row(y)[x] & 0xFFFFFF) > 0xC0C0C0;
  }
  return count;
}

TEST(ProgramBar, ThePictureShowsTheProgrammePlaying) {
  ProgramBar bar(Names(156), [](int) {});
  const int height = bar.Layout(520, kEditorHeight);
  RasterMemBitmap first(520, height), other(520, height), list(520, kEditorHeight);
  bar.Show(1, "");
  bar.DrawStrip(first);
  EXPECT_FALSE(bar.Show(1, "")) << "nothing new";
  EXPECT_TRUE(bar.Show(150, "slide Binaural=6 over 600 s"));
  bar.DrawStrip(other);
  bar.PressStrip(bar.Geometry().Name().x + 1, 5);
  bar.DrawPanel(list);
  const RasterRect name = bar.Geometry().Name();
  EXPECT_GT(TextPixels(first, name), 50) << "a name is written";
  EXPECT_GT(TextPixels(other, name), TextPixels(first, name)) << "a longer name, and the event";
  int differ = 0;
  for (int x = 0; x < 520; ++x) differ += first.Row(name.y + name.h / 2)[x] != other.Row(name.y + name.h / 2)[x];
  EXPECT_GT(differ, 0);
  const RasterRect current = bar.Geometry().Row(150 - bar.FirstRow());
  EXPECT_EQ(list.Row(current.y)[current.x], 0xFF2F5F8Fu) << "the programme playing is marked in the list";
}

}  // namespace
}  // namespace spwplay
