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

}  // namespace
}  // namespace spwrender
