#pragma once
// Loads the built bundle through the host library and initialises one instance,
// exactly as an audio workstation does.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bundle_location.h"
#include "vst3_host.h"

class BundleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    module_ = spwhost::Module::Load(BundlePath(), &error);
    ASSERT_TRUE(module_) << error;
    plugin_ = module_->CreatePlugin(&error);
    ASSERT_TRUE(plugin_) << error;
    ASSERT_TRUE(plugin_->Initialize(&error)) << error;
  }
  void TearDown() override {
    plugin_.reset();
    module_.reset();
  }

  std::unique_ptr<spwhost::Module> module_;
  std::unique_ptr<spwhost::Plugin> plugin_;
};

// Host-visible IDs of the program change parameter and of bypass.
constexpr uint32_t kProgramChangeId = 0x70727374;
constexpr uint32_t kBypassId = 0x62706173;
