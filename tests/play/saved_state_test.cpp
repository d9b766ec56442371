// What the player remembers: written whole and read back, and every kind of
// damaged file recognised, so that it is moved aside rather than trusted.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "play_command.h"
#include "saved_state.h"
#include "temp_folder.h"

namespace spwplay {
namespace {

std::vector<uint8_t> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(SavedState, WrittenIntoANewFolderAndReadBackAsItWas) {
  TempFolder folder;
  const std::string path = StateFilePath(folder.File("settings"));
  PluginState state;
  state.component = {1, 2, 3, 0, 255};
  state.controller = {};
  std::string error;
  ASSERT_TRUE(WriteStateFile(path, state, &error)) << error;
  PluginState read;
  std::string reason;
  ASSERT_EQ(ReadStateFile(path, &read, &reason), ReadResult::kRead) << reason;
  EXPECT_EQ(read.component, state.component);
  EXPECT_EQ(read.controller, state.controller);
  // Written again, the file is replaced whole and nothing else stays in the folder.
  state.component.assign(1000, 7);
  ASSERT_TRUE(WriteStateFile(path, state, &error)) << error;
  ASSERT_EQ(ReadStateFile(path, &read, &reason), ReadResult::kRead) << reason;
  EXPECT_EQ(read.component.size(), 1000u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("settings")),
                          std::filesystem::directory_iterator()), 1);
  EXPECT_EQ(ReadStateFile(folder.File("none.bin"), &read, &reason), ReadResult::kMissing);
}

TEST(SavedState, DamagedFilesAreRecognisedAndMovedAside) {
  TempFolder folder;
  const std::string path = folder.File("state.bin");
  PluginState state;
  state.component.assign(40, 9);
  state.controller.assign(8, 1);
  std::string error;
  ASSERT_TRUE(WriteStateFile(path, state, &error)) << error;
  const std::vector<uint8_t> good = Bytes(path);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  std::vector<uint8_t> huge = good;
  huge[8 + 7] = 0x7F;  // the first length's top byte
  const Case cases[] = {
      {"empty", {}},
      {"someone else's file", {'<', 'h', 't', 'm', 'l', '>', 0, 0, 0, 0}},
      {"cut in the header", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
      {"cut in the component state", std::vector<uint8_t>(good.begin(), good.begin() + 30)},
      {"cut before the controller state", std::vector<uint8_t>(good.begin(), good.begin() + 8 + 8 + 40)},
      {"a byte too many", longer},
      {"a length beyond the file", huge},
  };
  for (const Case& c : cases) {
    WriteBytes(path, c.bytes);
    PluginState read;
    std::string reason;
    EXPECT_EQ(ReadStateFile(path, &read, &reason), ReadResult::kDamaged) << c.what;
    EXPECT_FALSE(reason.empty()) << c.what;
    EXPECT_EQ(MoveAside(path), path + ".damaged") << c.what;
    EXPECT_FALSE(std::filesystem::exists(path)) << c.what;
    EXPECT_EQ(Bytes(path + ".damaged"), c.bytes) << c.what << ": kept as it was";
  }
}

// A settings path that is no file to keep settings in is said before anything plays,
// in one line, and what is there stays as it was.
TEST(SavedState, APathThatCannotHoldTheSettingsIsSaidInOneLine) {
  TempFolder folder;
  std::filesystem::create_directories(folder.File("a folder/stereoPulseWeaver"));
  WriteBytes(folder.File("a file"), {1, 2, 3});
  struct Case {
    std::string path;
    bool usable;
    const char* mentions;
  };
  const Case cases[] = {
      {folder.File("new/folders/state.bin"), true, ""},
      {folder.File("a file"), true, ""},
      {folder.File("a folder/stereoPulseWeaver"), false, "are a folder, not a file"},
      {folder.File("a file/stereoPulseWeaver/state.bin"), false, "it is a file, not a folder"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(CheckStatePath(c.path, &error), c.usable) << c.path;
    EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
  // Read anyway, a folder is an unreadable file, not a crash.
  PluginState read;
  std::string reason;
  EXPECT_EQ(ReadStateFile(folder.File("a folder/stereoPulseWeaver"), &read, &reason), ReadResult::kDamaged);
  EXPECT_EQ(reason, "cannot be read");
  EXPECT_EQ(Bytes(folder.File("a file")), std::vector<uint8_t>({1, 2, 3}));
}

#ifndef _WIN32  // the settings folder is moved with XDG_CONFIG_HOME, and a symbolic link is made
TEST(SavedState, NeverWrittenOverTheTimelineOrIntoTheBundle) {
  TempFolder config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string savedXdg = xdg ? xdg : "";
  const std::string home = config.File("home"), insideBundle = config.File("b.vst3/Contents");
  std::filesystem::create_directories(home + "/stereoPulseWeaver");
  std::filesystem::create_directories(insideBundle);
  const std::string state = StateFilePath(home + "/stereoPulseWeaver");
  const std::vector<uint8_t> session = {'0', ' ', 'e', 'n', 'd', '\n'};
  WriteBytes(state, session);
  std::filesystem::create_symlink(state, config.File("session.txt"));
  struct Case {
    std::string configHome, option, path;
  };
  // The settings file as the timeline, by its own name and through a link; a
  // settings folder inside the bundle.
  const Case cases[] = {{home, "--timeline", state},
                        {home, "--timeline", config.File("session.txt")},
                        {insideBundle, "--bundle", config.File("b.vst3")}};
  for (const Case& c : cases) {
    setenv("XDG_CONFIG_HOME", c.configHome.c_str(), 1);
    std::vector<const char*> argv = {"spw_play", "--no-window", c.option.c_str(), c.path.c_str()};
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(RunPlayCommand(int(argv.size()), argv.data(), stdout, err), 2) << c.path;
    std::rewind(err);
    char line[512] = {};
    EXPECT_NE(std::fgets(line, sizeof line, err), nullptr);
    EXPECT_NE(std::string(line).find("the remembered settings"), std::string::npos) << line;
    std::fclose(err);
  }
  EXPECT_EQ(Bytes(state), session);
  // A folder where the settings file goes: exit status 1 and one line, before the bundle is even loaded.
  const std::string blocked = config.File("blocked");
  std::filesystem::create_directories(StateFilePath(blocked + "/stereoPulseWeaver"));
  setenv("XDG_CONFIG_HOME", blocked.c_str(), 1);
  std::vector<const char*> argv = {"spw_play", "--no-window", "--bundle", "/nonexistent.vst3"};
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(RunPlayCommand(int(argv.size()), argv.data(), stdout, err), 1);
  std::rewind(err);
  char line[512] = {};
  EXPECT_NE(std::fgets(line, sizeof line, err), nullptr);
  EXPECT_NE(std::string(line).find("are a folder, not a file: move it away; nothing was played"), std::string::npos)
      << line;
  EXPECT_EQ(std::fgets(line, sizeof line, err), nullptr) << "one line: " << line;
  std::fclose(err);
  if (xdg) {
    setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}
#endif

}  // namespace
}  // namespace spwplay
