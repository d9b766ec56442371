// Where the tools look for the plug-in when no --bundle names it: beside
// themselves, their build tree, the prefix they were installed in, then the
// folders VST 3 hosts look in, first found first taken.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "default_bundle.h"

namespace spwrender {
namespace {

#ifdef _WIN32
const std::string kProgram = "C:\\spw\\";
const HostFolders kFolders{"", "C:\\Program Files\\Common Files"};
const std::string kHostBundle = "C:\\Program Files\\Common Files\\VST3\\stereoPulseWeaver.vst3";
#else
const std::string kProgram = "/opt/spw/bin/";
const HostFolders kFolders{"/home/ann", ""};
const std::string kHostBundle = "/home/ann/.vst3/stereoPulseWeaver.vst3";
#endif

// The places of a program in kProgram, by what they are called.
std::string PathOf(const std::string& where) {
  for (const BundlePlace& place : BundlePlaces(kProgram, kFolders)) {
    if (place.where == where) return place.path;
  }
  return "(no place " + where + ")";
}

TEST(DefaultBundle, TakesTheFirstPlaceThatHoldsTheBundle) {
  const std::string beside = kProgram + "stereoPulseWeaver.vst3";
  const std::string built = PathOf("in the program's build tree");
  const std::string installed = PathOf("installed with the program");
  struct Case {
    const char* name;
    std::set<std::string> present;
    std::string expected;  // empty: none found
  };
  std::vector<Case> cases = {
      {"an unpacked archive", {beside, kHostBundle}, beside},
      {"a build tree", {built, kHostBundle}, built},
      {"an install under one prefix", {installed, kHostBundle}, installed},
      {"a program copied beside a host's plug-in", {kHostBundle}, kHostBundle},
      {"nothing anywhere", {}, ""},
  };
#ifndef _WIN32
  cases.push_back({"a system-wide package", {"/usr/lib/vst3/stereoPulseWeaver.vst3",
                                            "/usr/local/lib/vst3/stereoPulseWeaver.vst3"},
                   "/usr/lib/vst3/stereoPulseWeaver.vst3"});
  cases.push_back({"a local install", {"/usr/local/lib/vst3/stereoPulseWeaver.vst3"},
                   "/usr/local/lib/vst3/stereoPulseWeaver.vst3"});
  cases.push_back({"the user's before the system's", {"/usr/lib/vst3/stereoPulseWeaver.vst3", kHostBundle},
                   kHostBundle});
#endif
  const std::vector<BundlePlace> places = BundlePlaces(kProgram, kFolders);
  for (const Case& c : cases) {
    const BundlePlace* found =
        FirstBundlePlace(places, [&c](const std::string& path) { return c.present.count(path) > 0; });
    EXPECT_EQ(found ? found->path : "", c.expected) << c.name;
  }
}

TEST(DefaultBundle, LeavesOutHostFoldersTheEnvironmentDoesNotGive) {
  const std::vector<BundlePlace> withFolders = BundlePlaces(kProgram, kFolders);
  const std::vector<BundlePlace> without = BundlePlaces(kProgram, HostFolders{});
  EXPECT_EQ(without.size() + 1, withFolders.size());
  for (const BundlePlace& place : without) EXPECT_NE(place.path, kHostBundle) << place.where;
}

}  // namespace
}  // namespace spwrender
