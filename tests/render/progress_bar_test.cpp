// The progress bar: silent for short renders and when switched off, redrawn in
// place otherwise.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "captured_file.h"
#include "progress_bar.h"

namespace spwrender {
namespace {

constexpr int64_t kTotal = 480000;
constexpr double kRate = 48000.0;

TEST(ProgressBar, ShortOrSwitchedOffRendersShowNothing) {
  CapturedFile off, quick;
  ProgressBar disabled(off.get(), false, kTotal, kRate);
  ProgressBar fast(quick.get(), true, kTotal, kRate);
  for (int64_t done = 0; done <= kTotal; done += kTotal / 10) {
    disabled.Update(done);
    fast.Update(done);
  }
  disabled.Finish();
  fast.Finish();
  EXPECT_EQ(off.Text(), "");
  EXPECT_EQ(quick.Text(), "");
}

TEST(ProgressBar, LongRendersRedrawOneLineAndEndIt) {
  CapturedFile out;
  ProgressBar bar(out.get(), true, kTotal, kRate);
  std::this_thread::sleep_for(std::chrono::milliseconds(350));
  bar.Update(kTotal / 2);
  bar.Update(kTotal / 2 + 1);  // within the redraw interval: not drawn
  bar.Finish();
  const std::string text = out.Text();
  EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 2) << text;
  EXPECT_NE(text.find(" 50%  5.0 / 10.0 s"), std::string::npos) << text;
  EXPECT_NE(text.find("100%  10.0 / 10.0 s"), std::string::npos) << text;
}

TEST(ProgressBar, LineShowsTheFilledShareAndTheSpeed) {
  const std::string quarter = FormatProgressLine(kTotal / 4, kTotal, kRate, 0.5);
  const auto open = quarter.find('['), close = quarter.find(']');
  ASSERT_LT(open, close);
  const std::string bar = quarter.substr(open + 1, close - open - 1);
  EXPECT_EQ(static_cast<size_t>(std::count(bar.begin(), bar.end(), '#')), bar.size() / 4) << quarter;
  EXPECT_NE(quarter.find(" 25%"), std::string::npos) << quarter;
  EXPECT_NE(quarter.find("(5x real time)"), std::string::npos) << quarter;  // 2.5 s of audio in 0.5 s
}

}  // namespace
}  // namespace spwrender
