#pragma once
// The built bundle, loaded and initialised as a host does, for one test.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "test_bundle.h"
#include "vst3_host.h"

class LoadedPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    module_ = spwhost::Module::Load(TestBundle(), &error);
    ASSERT_NE(module_, nullptr) << error;
    plugin_ = module_->CreatePlugin(&error);
    ASSERT_NE(plugin_, nullptr) << error;
    ASSERT_TRUE(plugin_->Initialize(&error)) << error;
  }
  void TearDown() override {
    plugin_.reset();
    module_.reset();
  }
  spwhost::Plugin& plugin() { return *plugin_; }

 private:
  std::unique_ptr<spwhost::Module> module_;
  std::unique_ptr<spwhost::Plugin> plugin_;
};
