// The user's settings folder as the environment names it, and small files written
// whole or not at all: what the editor's zoom and the player's state rest on.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "atomic_file.h"
#include "user_settings_folder.h"

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
using EnvName = const wchar_t*;
using EnvText = std::wstring;
void SetEnv(EnvName name, const std::optional<EnvText>& value) { _wputenv_s(name, value ? value->c_str() : L""); }
std::optional<EnvText> GetEnv(EnvName name) {
  const wchar_t* value = _wgetenv(name);
  return value ? std::optional<EnvText>(value) : std::nullopt;
}
#else
using EnvName = const char*;
using EnvText = std::string;
void SetEnv(EnvName name, const std::optional<EnvText>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}
std::optional<EnvText> GetEnv(EnvName name) {
  const char* value = std::getenv(name);
  return value ? std::optional<EnvText>(value) : std::nullopt;
}
#endif

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

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const int seed = ::testing::UnitTest::GetInstance()->random_seed();
    folder = fs::temp_directory_path() / ("spw_atomic_" + std::to_string(seed));
    fs::remove_all(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string Contents(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::ptrdiff_t Entries(const fs::path& dir) const {
    return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
  }
  fs::path folder;
};

TEST_F(AtomicFile, WrittenWholeIntoANewFolderOrNotAtAllAndNothingTemporaryStays) {
  const fs::path target = folder / "deeper" / "settings.ini";
  std::string reason;
  ASSERT_TRUE(WriteFileAtomically(target, std::string("zoom=150\n\0\xff", 11), &reason)) << reason;
  EXPECT_EQ(Contents(target), std::string("zoom=150\n\0\xff", 11));
  ASSERT_TRUE(WriteFileAtomically(target, "z", &reason)) << reason;
  EXPECT_EQ(Contents(target), "z") << "replaced whole, not overwritten in place";
  EXPECT_EQ(Entries(target.parent_path()), 1);

  // A folder where the file should go cannot be replaced; one it cannot make either.
  fs::create_directories(folder / "taken" / "settings.ini");
  std::ofstream(folder / "blocked") << "a file";
  for (const fs::path& failing : {folder / "taken" / "settings.ini", folder / "blocked" / "settings.ini"}) {
    reason.clear();
    EXPECT_FALSE(WriteFileAtomically(failing, "zoom=200\n", &reason)) << failing;
    EXPECT_FALSE(reason.empty()) << failing;
  }
  EXPECT_EQ(Entries(folder / "taken"), 1) << "the temporary file is removed";
  EXPECT_EQ(Contents(folder / "blocked"), "a file");
}

}  // namespace
