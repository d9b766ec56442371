// What a host of SDK 3.7.5 or later reads from the bundle instead of loading
// the module: moduleinfo.json, which must say what the module's factory says,
// and the snapshots it lists, at the editor's size and at twice it.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "bundle_location.h"
#include "vst3_host.h"

namespace {

std::string Resources() { return BundlePath() + "/Contents/Resources/"; }

std::string Hex(const uint8_t* bytes, int n) {
  std::string text;
  char pair[3];
  for (int i = 0; i < n; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

// Width and height from a PNG's header, 0 x 0 when the file is no PNG.
std::pair<int, int> PngSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char header[24] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[1] != 'P' || header[12] != 'I') return {0, 0};
  auto word = [&](int at) { return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]; };
  return {word(16), word(20)};
}

TEST(BundleModuleInfo, SaysWhatTheFactorySaysAndListsTheSnapshotsThatAreThere) {
  std::ifstream file(Resources() + "moduleinfo.json");
  ASSERT_TRUE(file) << "no moduleinfo.json in " << Resources();
  const nlohmann::json info = nlohmann::json::parse(file, nullptr, false);
  ASSERT_FALSE(info.is_discarded()) << "not JSON";

  std::string error;
  const auto module = spwhost::Module::Load(BundlePath(), &error);
  ASSERT_TRUE(module) << error;
  const spwhost::FactoryInfo factory = module->Factory();
  const std::vector<spwhost::ClassInfo> classes = module->Classes();
  ASSERT_EQ(classes.size(), 1u);
  const spwhost::ClassInfo& c = classes[0];

  EXPECT_EQ(info.at("Name"), "stereoPulseWeaver");
  EXPECT_EQ(info.at("Version"), c.version);
  const nlohmann::json& f = info.at("Factory Info");
  EXPECT_EQ(f.at("Vendor"), factory.vendor);
  EXPECT_EQ(f.at("URL"), factory.url);
  EXPECT_EQ(f.at("E-Mail"), factory.email);
  EXPECT_EQ(f.at("Flags").at("Unicode"), (factory.flags & 16) != 0);

  ASSERT_EQ(info.at("Classes").size(), 1u);
  const nlohmann::json& entry = info.at("Classes")[0];
  const std::string cid = Hex(c.cid, 16);
  EXPECT_EQ(entry.at("CID"), cid);
  EXPECT_EQ(entry.at("Category"), c.category);
  EXPECT_EQ(entry.at("Name"), c.name);
  EXPECT_EQ(entry.at("Vendor"), c.vendor);
  EXPECT_EQ(entry.at("Version"), c.version);
  EXPECT_EQ(entry.at("SDKVersion"), c.sdkVersion);
  EXPECT_EQ(entry.at("Sub Categories"), nlohmann::json::array({c.subCategories}));
  EXPECT_EQ(entry.at("Class Flags"), c.classFlags);
  EXPECT_EQ(entry.at("Cardinality"), c.cardinality);

  const nlohmann::json& shots = entry.at("Snapshots");
  ASSERT_EQ(shots.size(), 2u);
  const struct {
    double scale;
    const char* suffix;
    int width, height;
  } expected[] = {{1.0, "_snapshot.png", 520, 402}, {2.0, "_snapshot_2.0x.png", 1040, 804}};
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(expected[i].suffix);
    EXPECT_EQ(shots[i].at("Scale Factor"), expected[i].scale);
    const std::string path = "Snapshots/" + cid + expected[i].suffix;
    EXPECT_EQ(shots[i].at("Path"), path);
    EXPECT_EQ(PngSize(Resources() + path), std::make_pair(expected[i].width, expected[i].height));
  }
}

}  // namespace
