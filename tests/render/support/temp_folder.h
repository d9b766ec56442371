#pragma once
// A fresh, empty folder for one test, removed with everything in it afterwards.

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "host_path.h"

class TempFolder {
 public:
  TempFolder() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0;; ++attempt) {
      path_ = std::filesystem::temp_directory_path() /
              ("spw_render_test_" + std::to_string(stamp) + "_" + std::to_string(attempt));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The path of a file name inside the folder, as a command line would give it.
  std::string File(const std::string& name) const { return spwhost::NarrowPath(path_ / name); }
  // The names of everything in the folder, so tests can tell that nothing was left.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};
