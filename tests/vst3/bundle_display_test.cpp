// Without a display the bundle still loads and plays: the editor's window
// system connects only when a host opens the editor, and opening it then is
// refused instead of failing later.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "bundle_fixture.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#if !defined(_WIN32)

TEST_F(BundleTest, WithoutADisplayTheEditorIsRefusedAndThePluginPlaysOn) {
  const char* display = std::getenv("DISPLAY");
  const std::string saved = display ? display : "";
  unsetenv("DISPLAY");
  Steinberg::IPlugView* view = plugin_->Controller()->createView("editor");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->isPlatformTypeSupported(Steinberg::kPlatformTypeX11EmbedWindowID), Steinberg::kResultTrue);
  const uintptr_t someWindow = 0x400001;
  EXPECT_EQ(view->attached(reinterpret_cast<void*>(someWindow), Steinberg::kPlatformTypeX11EmbedWindowID),
            Steinberg::kResultFalse);
  view->release();
  if (!saved.empty()) setenv("DISPLAY", saved.c_str(), 1);

  plugin_->SetStereoOutput();
  ASSERT_TRUE(plugin_->SetupProcessing(48000.0, 512, spwhost::SampleSize::k32, true));
  ASSERT_TRUE(plugin_->SetActive(true));
  std::vector<float> left(512), right(512);
  float* outputs[2] = {left.data(), right.data()};
  float peak = 0.0f;
  for (int block = 0; block < 20; ++block) {
    ASSERT_TRUE(plugin_->ProcessFloat(outputs, 512));
    for (float v : left) peak = std::max(peak, std::abs(v));
  }
  EXPECT_GT(peak, 0.0f) << "the default programme sounds";
}

#endif
