#include "saved_state.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

#include "atomic_file.h"
#include "host_path.h"
#include "user_settings_folder.h"

namespace spwplay {
namespace {

constexpr char kMagic[8] = {'S', 'P', 'W', 'P', 'L', 'A', 'Y', '1'};
constexpr uint64_t kMaxBlock = uint64_t(64) << 20;  // far beyond any state of the plug-in
constexpr char kFileName[] = "spw_play-state.bin";

void PutLength(std::vector<uint8_t>* out, uint64_t n) {
  for (int i = 0; i < 8; ++i) out->push_back(static_cast<uint8_t>(n >> (8 * i)));
}

bool TakeBlock(const std::vector<uint8_t>& bytes, size_t* at, std::vector<uint8_t>* block) {
  if (bytes.size() - *at < 8) return false;
  uint64_t n = 0;
  for (int i = 0; i < 8; ++i) n |= uint64_t(bytes[*at + size_t(i)]) << (8 * i);
  *at += 8;
  if (n > kMaxBlock || n > bytes.size() - *at) return false;
  block->assign(bytes.begin() + std::ptrdiff_t(*at), bytes.begin() + std::ptrdiff_t(*at + n));
  *at += size_t(n);
  return true;
}

}  // namespace

std::string SettingsFolder() {
  return spwhost::NarrowPath(UserSettingsFolder());
}

std::string StateFilePath(const std::string& folder) {
  return spwhost::NarrowPath(spwhost::NativePath(folder) / kFileName);
}

bool CheckStatePath(const std::string& path, std::string* error) {
  namespace fs = std::filesystem;
  const fs::path file = spwhost::NativePath(path);
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    *error = "the remembered settings '" + path + "' are a " +
             (fs::is_directory(status) ? "folder" : "special file") + ", not a file: move it away";
    return false;
  }
  // The nearest folder that exists on the way there must be one.
  for (fs::path up = file.parent_path();; up = up.parent_path()) {
    const fs::file_status above = fs::status(up, ec);
    if (fs::is_directory(above)) return true;
    if (fs::exists(above)) {
      *error = "the remembered settings cannot be kept in '" + spwhost::NarrowPath(up) + "': it is a file, not a folder";
      return false;
    }
    if (up == up.parent_path()) return true;
  }
}

ReadResult ReadStateFile(const std::string& path, PluginState* state, std::string* reason) {
  std::error_code ec;
  if (!std::filesystem::exists(spwhost::NativePath(path), ec)) return ReadResult::kMissing;
  std::ifstream in(spwhost::NativePath(path), std::ios::binary);
  std::vector<uint8_t> bytes;
  // A read that fails part way (an unreadable disk, a folder) throws from the stream's buffer.
  try {
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {
    in.setstate(std::ios::badbit);
  }
  if (!in) {
    *reason = "cannot be read";
    return ReadResult::kDamaged;
  }
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    *reason = "is not a stereoPulseWeaver player state";
    return ReadResult::kDamaged;
  }
  size_t at = sizeof kMagic;
  if (!TakeBlock(bytes, &at, &state->component) || !TakeBlock(bytes, &at, &state->controller)) {
    *reason = "is truncated";
    return ReadResult::kDamaged;
  }
  if (at != bytes.size()) {
    *reason = "has " + std::to_string(bytes.size() - at) + " bytes too many";
    return ReadResult::kDamaged;
  }
  return ReadResult::kRead;
}

std::string MoveAside(const std::string& path) {
  const std::string aside = path + ".damaged";
  std::error_code ec;
  std::filesystem::rename(spwhost::NativePath(path), spwhost::NativePath(aside), ec);
  return ec ? std::string() : aside;
}

bool WriteStateFile(const std::string& path, const PluginState& state, std::string* error) {
  std::vector<uint8_t> bytes(kMagic, kMagic + sizeof kMagic);
  PutLength(&bytes, state.component.size());
  bytes.insert(bytes.end(), state.component.begin(), state.component.end());
  PutLength(&bytes, state.controller.size());
  bytes.insert(bytes.end(), state.controller.begin(), state.controller.end());
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (WriteFileAtomically(spwhost::NativePath(path), text, error)) return true;
  *error = "cannot write '" + path + "': " + *error;
  return false;
}

}  // namespace spwplay
