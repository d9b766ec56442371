#include "desktop_scale.h"

#include <cstdlib>
#include <sstream>

namespace spwwin {
namespace {

constexpr double kPlainDpi = 96.0;
constexpr char kDpiResource[] = "Xft.dpi:";

}  // namespace

double ScaleFromResources(const std::string& resources) {
  std::istringstream lines(resources);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.compare(0, sizeof kDpiResource - 1, kDpiResource) != 0) continue;
    const char* value = line.c_str() + sizeof kDpiResource - 1;
    char* end = nullptr;
    const double dpi = std::strtod(value, &end);
    const bool whole = end != value && line.find_first_not_of(" \t\r", size_t(end - line.c_str())) == std::string::npos;
    return whole && dpi > 0.0 ? dpi / kPlainDpi : 0.0;
  }
  return 0.0;
}

}  // namespace spwwin
