#include "staged_file.h"

#include <fstream>

#include "host_path.h"

namespace spwrender {
namespace {

bool WriteTo(const std::string& path, const std::string& forPath, const std::vector<uint8_t>& bytes,
             std::string* error) {
  std::ofstream out(spwhost::NativePath(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (out) return true;
  *error = "writing '" + forPath + "' failed (is the disk full?)";
  return false;
}

}  // namespace

bool StagedFile::Stage(const std::string& path, std::vector<uint8_t> bytes, std::string* error) {
  path_ = path;
  if (!ResolveOutputTarget(path, &target_, error)) return false;
  if (target_.kind == OutputKind::kDevice) {
    bytes_ = std::move(bytes);
    return true;
  }
  return temporary_.Create(WorkFolder(target_), path, error) && WriteTo(temporary_.Path(), path, bytes, error);
}

bool StagedFile::Deliver(std::string* error) {
  if (target_.kind == OutputKind::kDevice) return WriteTo(path_, path_, bytes_, error);
  return DeliverTemporary(temporary_, target_, path_, error);
}

}  // namespace spwrender
