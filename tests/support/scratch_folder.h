#pragma once
// A folder of one test's own in the temporary folder, not made yet (the code under
// test makes it), removed with everything in it when the test ends. Named after
// the test and a random number: other builds may run the same test at the same time.

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

struct ScratchFolder {
  explicit ScratchFolder(const std::string& prefix)
      : path(std::filesystem::temp_directory_path() /
             (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
              std::to_string(std::random_device{}()))) {
    std::filesystem::remove_all(path);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // A file's bytes, "" when it cannot be read.
  static std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // How many entries a folder holds: what a write left beside its file.
  static std::ptrdiff_t Entries(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
  }

  const std::filesystem::path path;
};
