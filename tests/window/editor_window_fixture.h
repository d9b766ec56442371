#pragma once
// The built bundle loaded as a host loads it, switched on, with a component
// handler that records edits, and its editor opened through IPlugView::attached
// in a real parent window (window_driver.h). Between actions the host's event
// loop runs long enough for several ticks of the editor's 24 Hz timer.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bundle_location.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "recording_handler.h"
#include "vst3_host.h"
#include "window_driver.h"

class EditorWindowTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 520, kHeight = 402;  // the editor, pixels
  static constexpr int kSettleMs = 300;               // about seven timer ticks
  static constexpr int kHoldMs = 100;                 // a person's click
  static constexpr int kRestX = 3, kRestY = 3;        // a corner of the background

  void SetUp() override {
    std::string error;
    KeepUserSettingsOut();
    // Room for the editor at the host's scale.
    const double room = hostScale_ > 1.0 ? hostScale_ : 1.0;
    driver_ = spwwin::WindowDriver::Create(static_cast<int>(kWidth * room + 0.5), static_cast<int>(kHeight * room + 0.5),
                                           &error, HostEmbedding());
    ASSERT_TRUE(driver_) << error;
    module_ = spwhost::Module::Load(BundlePath(), &error);
    ASSERT_TRUE(module_) << error;
    plugin_ = module_->CreatePlugin(&error);
    ASSERT_TRUE(plugin_ && plugin_->Initialize(&error)) << error;
    plugin_->SetStereoOutput();
    ASSERT_TRUE(plugin_->SetupProcessing(48000.0, kBlock, spwhost::SampleSize::k32, false));
    ASSERT_TRUE(plugin_->SetActive(true));
    plugin_->Controller()->setComponentHandler(&handler_);
    for (int i = 0; i < kStartBlocks; ++i) Render();  // the slot panel shows its grid once the engine runs
    view_ = plugin_->Controller()->createView("editor");
    ASSERT_NE(view_, nullptr);
    view_->setFrame(driver_->Frame());
    if (hostScale_ > 0.0) {
      ASSERT_EQ(ContentScale().setContentScaleFactor(static_cast<float>(hostScale_)), Steinberg::kResultOk);
    }
    ASSERT_EQ(view_->attached(driver_->ParentHandle(), driver_->PlatformType()), Steinberg::kResultOk);
    // The pointer rests on the background, not where an earlier test left it over a control.
    driver_->Move(kRestX, kRestY);
    Settle();
  }

  // The person's saved zoom must not size the editor under test: the settings folder is an
  // empty one (emptied again for every test, so a zoom one test chose stays in that test).
  static void KeepUserSettingsOut() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "spw_window_tests_settings";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    const std::string empty = folder.u8string();
#ifdef _WIN32
    _putenv_s("APPDATA", empty.c_str());
#else
    setenv("XDG_CONFIG_HOME", empty.c_str(), 1);
#endif
  }

  void TearDown() override {
    if (view_) {
      view_->removed();
      view_->setFrame(nullptr);
      view_->release();
    }
    if (plugin_) plugin_->Controller()->setComponentHandler(nullptr);
    plugin_.reset();
    module_.reset();
    driver_.reset();
  }

  // How the host embeds the editor's window.
  virtual spwwin::Embedding HostEmbedding() const { return spwwin::Embedding::kPlain; }

  void Render() {
    float* outputs[2] = {left_, right_};
    plugin_->ProcessFloat(outputs, kBlock);
  }
  // A block of audio, then the host's loop for a while.
  void Settle(int ms = kSettleMs) {
    Render();
    driver_->Pump(ms);
  }
  void Click(int x, int y, spwwin::Button button = spwwin::Button::kLeft) {
    driver_->Press(x, y, button);
    driver_->Pump(kHoldMs);
    driver_->Release(x, y, button);
    Settle();
  }
  // Presses, moves in steps to (x + dx, y + dy), and (unless hold) releases.
  void Drag(int x, int y, int dx, int dy, bool hold = false) {
    constexpr int kSteps = 4;
    driver_->Press(x, y, spwwin::Button::kLeft);
    driver_->Pump(kHoldMs);
    for (int k = 1; k <= kSteps; ++k) {
      driver_->Move(x + dx * k / kSteps, y + dy * k / kSteps);
      driver_->Pump(kHoldMs);
    }
    if (!hold) driver_->Release(x + dx, y + dy, spwwin::Button::kLeft);
    Settle();
  }
  double Normalized(Steinberg::Vst::ParamID id) { return plugin_->GetParamNormalized(id); }
  // The view's scale support, as a host finds it.
  Steinberg::IPlugViewContentScaleSupport& ContentScale() {
    Steinberg::FUnknownPtr<Steinberg::IPlugViewContentScaleSupport> support(view_);
    EXPECT_TRUE(support) << "the view offers no content scale";
    return *support.getInterface();  // the view holds it
  }

  static constexpr int kBlock = 512;
  static constexpr int kStartBlocks = 20;
  double hostScale_ = 0.0;  // set before SetUp: the scale the host gives the view before attaching; 0: none
  std::unique_ptr<spwwin::WindowDriver> driver_;
  std::unique_ptr<spwhost::Module> module_;
  std::unique_ptr<spwhost::Plugin> plugin_;
  RecordingHandler handler_;
  Steinberg::IPlugView* view_ = nullptr;
  float left_[kBlock] = {};
  float right_[kBlock] = {};
};

// A rectangle of editor pixels, right and bottom exclusive.
struct Area {
  int left, top, right, bottom;
  int Pixels() const { return (right - left) * (bottom - top); }
};

// The pixels of area that differ between two pictures of the editor.
inline int ChangedPixels(const spwwin::Picture& a, const spwwin::Picture& b, const Area& area) {
  int changed = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) changed += a.At(x, y) != b.At(x, y) ? 1 : 0;
  }
  return changed;
}
