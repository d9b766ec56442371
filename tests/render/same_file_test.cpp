// The same-file check the tools run before writing: one file reached by different
// names is one file; different files, devices and empty names never clash.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "same_file.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

void Touch(const std::string& path) { std::ofstream(path) << "user's data"; }

// The name as a relative path from the working folder; as it is where there is
// none (on Windows, another drive).
std::string Relative(const std::string& path) {
  const fs::path relative = fs::relative(path, fs::current_path());
  return relative.empty() ? path : relative.string();
}

TEST(SameFile, OneFileByAnyNameIsOneFile) {
  TempFolder folder;
  const std::string a = folder.File("a.txt"), b = folder.File("b.txt"), bundle = folder.File("x.vst3");
  Touch(a);
  Touch(b);
  fs::create_directories(bundle + "/Contents");
  Touch(bundle + "/Contents/module.so");
  fs::create_directory(folder.File("sub"));
#ifndef _WIN32
  fs::create_symlink(a, folder.File("link-to-a"));
  fs::create_hard_link(a, folder.File("hard-a"));
  fs::create_symlink(folder.File("new.wav"), folder.File("dangling"));
  fs::create_directory_symlink(folder.File("sub"), folder.File("sublink"));
#endif
  struct Case {
    std::string first, second;
    bool secondIsFolder, same;
  } cases[] = {
      {a, a, false, true},
      {a, Relative(a), false, true},
      {a, folder.File("sub/../a.txt"), false, true},
      {a, b, false, false},
      {folder.File("new.wav"), folder.File("./new.wav"), false, true},
      {folder.File("new.wav"), Relative(folder.File("new.wav")), false, true},
      {folder.File("new.wav"), folder.File("new.png"), false, false},
      {bundle + "/Contents/module.so", bundle, true, true},
      {bundle + "/Contents/new.wav", bundle, true, true},
      {bundle + "/Contents/module.so", bundle, false, false},
      {folder.File("x.vst3.wav"), bundle, true, false},
      {a, "", false, false},
      {"", "", false, false},
#ifndef _WIN32
      {a, folder.File("link-to-a"), false, true},
      {a, folder.File("hard-a"), false, true},
      {folder.File("new.wav"), folder.File("dangling"), false, true},
      {folder.File("sub/new.wav"), folder.File("sublink/new.wav"), false, true},
      {"/dev/null", "/dev/null", false, false},
#else
      // Names that differ only in case are one file there, made or still to be made.
      {folder.File("New.wav"), folder.File("nEW.WAV"), false, true},
      {folder.File("A.TXT"), a, false, true},
      {folder.File("X.VST3/Contents/new.wav"), bundle, true, true},
#endif
  };
  for (const Case& c : cases) {
    EXPECT_EQ(spwhost::SameFile(c.first, c.second, c.secondIsFolder), c.same) << c.first << " / " << c.second;
    if (!c.secondIsFolder) {
      EXPECT_EQ(spwhost::SameFile(c.second, c.first), c.same) << c.second << " / " << c.first;
    }
  }
}

TEST(SameFile, TheMessageNamesBothRoles) {
  TempFolder folder;
  const std::string session = folder.File("session.txt");
  Touch(session);
  std::string error;
  EXPECT_TRUE(spwhost::CheckDistinctFiles({{"the output", folder.File("a.wav")}, {"the timeline", session}}, &error));
  EXPECT_FALSE(spwhost::CheckDistinctFiles({{"the output", session}, {"the timeline", session}}, &error));
  EXPECT_EQ(error, "the output '" + session + "' and the timeline '" + session + "' are the same file");
  const std::string bundle = folder.File("b.vst3");
  fs::create_directory(bundle);
  EXPECT_FALSE(spwhost::CheckDistinctFiles({{"the output", bundle + "/o.wav"}, {"the bundle", bundle, true}}, &error));
  EXPECT_EQ(error, "the output '" + bundle + "/o.wav' lies inside the bundle '" + bundle + "'");
}

}  // namespace
