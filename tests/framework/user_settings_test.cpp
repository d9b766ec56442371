// The user's settings folder as the environment names it, and small files written
// whole or not at all: what the editor's zoom and the player's state rest on.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "atomic_file.h"
#include "scratch_folder.h"
#include "user_settings_folder.h"

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
using EnvName = const wchar_t*;
using EnvText = std::wstring;
const wchar_t* Read(EnvName name) { return _wgetenv(name); }
void SetEnv(EnvName name, const std::optional<EnvText>& value) { _wputenv_s(name, value ? value->c_str() : L""); }
#else
using EnvName = const char*;
using EnvText = std::string;
const char* Read(EnvName name) { return std::getenv(name); }
void SetEnv(EnvName name, const std::optional<EnvText>& value) {
  (void)(value ? setenv(name, value->c_str(), 1) : unsetenv(name));
}
#endif
std::optional<EnvText> GetEnv(EnvName name) {
  const auto* value = Read(name);
  return value ? std::optional<EnvText>(value) : std::nullopt;
}

// Sets the variables for one case and puts the test runner's own back afterwards.
class EnvironmentCase {
 public:
  explicit EnvironmentCase(std::initializer_list<std::pair<EnvName, std::optional<EnvText>>> values) {
    for (const auto& [name, value] : values) {
      kept_.emplace_back(name, GetEnv(name));
      SetEnv(name, value);
    }
  }
  ~EnvironmentCase() {
    for (const auto& [name, value] : kept_) SetEnv(name, value);
  }

 private:
  std::vector<std::pair<EnvName, std::optional<EnvText>>> kept_;
};

#ifndef _WIN32
TEST(UserSettingsFolder, AnAbsoluteXdgConfigHomeElseHomesConfigElseNone) {
  const std::optional<std::string> none;
  const struct {
    std::optional<std::string> xdg, home;
    std::string folder;
  } cases[] = {
      {"/tmp/cfg", "/home/zo\xc3\xab", "/tmp/cfg/stereoPulseWeaver"},
      {"relative/cfg", "/home/zo\xc3\xab", "/home/zo\xc3\xab/.config/stereoPulseWeaver"},  // the XDG rules ignore it
      {"", "/home/zo\xc3\xab", "/home/zo\xc3\xab/.config/stereoPulseWeaver"},
      {none, "/home/zo\xc3\xab", "/home/zo\xc3\xab/.config/stereoPulseWeaver"},
      {"relative/cfg", none, ""},
      {none, "", ""},
      {none, none, ""},
  };
  for (const auto& c : cases) {
    EnvironmentCase environment({{"XDG_CONFIG_HOME", c.xdg}, {"HOME", c.home}});
    EXPECT_EQ(UserSettingsFolder().native(), c.folder)
        << c.xdg.value_or("(unset)") << " " << c.home.value_or("(unset)");
  }
}
#else
TEST(UserSettingsFolder, ApplicationDataSpelledWholeInUtf8ElseNone) {
  const struct {
    std::optional<std::wstring> appData;
    std::string folderUtf8;
  } cases[] = {
      {L"C:\\Users\\Zo\u00eb\\AppData\\Roaming", "C:\\Users\\Zo\xc3\xab\\AppData\\Roaming\\stereoPulseWeaver"},
      {std::nullopt, ""},
  };
  for (const auto& c : cases) {
    EnvironmentCase environment({{L"APPDATA", c.appData}});
    EXPECT_EQ(UserSettingsFolder().u8string(), c.folderUtf8);
  }
}
#endif

TEST(AtomicFile, WrittenWholeIntoANewFolderOrNotAtAllAndNothingTemporaryStays) {
  const ScratchFolder scratch("spw_atomic_");
  const fs::path& folder = scratch.path;
  const fs::path target = folder / "deeper" / "settings.ini";
  std::string reason;
  ASSERT_TRUE(WriteFileAtomically(target, std::string("zoom=150\n\0\xff", 11), &reason)) << reason;
  EXPECT_EQ(ScratchFolder::Contents(target), std::string("zoom=150\n\0\xff", 11));
  ASSERT_TRUE(WriteFileAtomically(target, "z", &reason)) << reason;
  EXPECT_EQ(ScratchFolder::Contents(target), "z") << "replaced whole, not overwritten in place";
  EXPECT_EQ(ScratchFolder::Entries(target.parent_path()), 1);

  // A folder where the file should go cannot be replaced; one it cannot make either.
  fs::create_directories(folder / "taken" / "settings.ini");
  std::ofstream(folder / "blocked") << "a file";
  for (const fs::path& failing : {folder / "taken" / "settings.ini", folder / "blocked" / "settings.ini"}) {
    reason.clear();
    EXPECT_FALSE(WriteFileAtomically(failing, "zoom=200\n", &reason)) << failing;
    EXPECT_FALSE(reason.empty()) << failing;
  }
  EXPECT_EQ(ScratchFolder::Entries(folder / "taken"), 1) << "the temporary file is removed";
  EXPECT_EQ(ScratchFolder::Contents(folder / "blocked"), "a file");
}

}  // namespace
