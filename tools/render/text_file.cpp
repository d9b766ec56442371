#include "text_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "host_path.h"

namespace spwrender {

bool ReadTextFile(const std::string& path, size_t maxBytes, std::string* text, std::string* error) {
  const std::filesystem::path native = spwhost::NativePath(path);
  std::error_code ec;
  if (std::filesystem::is_directory(native, ec)) {
    *error = "cannot read '" + path + "': it is a folder";
    return false;
  }
  std::ifstream in(native, std::ios::binary);
  if (!in) {
    *error = "cannot read '" + path + "': " + std::strerror(errno);
    return false;
  }
  // Read one byte beyond the limit to tell a file that fits from one that does not,
  // without trusting a size the file system reports (pipes and devices have none).
  text->assign(maxBytes + 1, '\0');
  in.read(&(*text)[0], static_cast<std::streamsize>(text->size()));
  text->resize(static_cast<size_t>(in.gcount()));
  if (in.bad()) {
    *error = "cannot read '" + path + "': reading failed";
    return false;
  }
  if (text->size() > maxBytes) {
    *error = "cannot read '" + path + "': it is larger than " + std::to_string(maxBytes >> 20) + " MiB";
    return false;
  }
  return true;
}

}  // namespace spwrender
