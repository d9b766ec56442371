#include "module_info.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace spwmoduleinfo {

namespace {

// PFactoryInfo::FactoryFlags.
constexpr int32_t kClassesDiscardable = 1 << 0;
constexpr int32_t kComponentNonDiscardable = 1 << 3;
constexpr int32_t kUnicode = 1 << 4;

std::vector<std::string> SubCategories(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t bar = text.find('|', start);
    const std::string part = text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (!part.empty()) parts.push_back(part);
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return parts;
}

}  // namespace

std::string ClassIdText(const uint8_t cid[16]) {
  char text[33] = {};
  for (int i = 0; i < 16; ++i) std::snprintf(text + 2 * i, 3, "%02X", cid[i]);
  return text;
}

nlohmann::ordered_json ModuleInfo(const std::string& name, const spwhost::FactoryInfo& factory,
                                  const std::vector<spwhost::ClassInfo>& classes,
                                  const std::vector<std::vector<Snapshot>>& snapshots) {
  nlohmann::ordered_json info;
  info["Name"] = name;
  info["Version"] = classes.empty() ? std::string() : classes.front().version;
  info["Factory Info"] = {
      {"Vendor", factory.vendor},
      {"URL", factory.url},
      {"E-Mail", factory.email},
      {"Flags",
       {{"Unicode", (factory.flags & kUnicode) != 0},
        {"Classes Discardable", (factory.flags & kClassesDiscardable) != 0},
        {"Component Non Discardable", (factory.flags & kComponentNonDiscardable) != 0}}}};
  info["Compatibility"] = nlohmann::ordered_json::array();
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (size_t i = 0; i < classes.size(); ++i) {
    const spwhost::ClassInfo& c = classes[i];
    nlohmann::ordered_json entry;
    entry["CID"] = ClassIdText(c.cid);
    entry["Category"] = c.category;
    entry["Name"] = c.name;
    entry["Vendor"] = c.vendor;
    entry["Version"] = c.version;
    entry["SDKVersion"] = c.sdkVersion;
    entry["Sub Categories"] = SubCategories(c.subCategories);
    entry["Class Flags"] = c.classFlags;
    entry["Cardinality"] = c.cardinality;
    nlohmann::ordered_json shots = nlohmann::ordered_json::array();
    if (i < snapshots.size()) {
      for (const Snapshot& s : snapshots[i]) shots.push_back({{"Scale Factor", s.scale}, {"Path", s.path}});
    }
    entry["Snapshots"] = shots;
    list.push_back(entry);
  }
  info["Classes"] = list;
  return info;
}

std::vector<Snapshot> FindSnapshots(const std::string& resources, const std::string& cidText) {
  namespace fs = std::filesystem;
  std::vector<Snapshot> found;
  std::error_code error;
  const std::string prefix = cidText + "_snapshot";
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(resources) / "Snapshots", error)) {
    const std::string file = entry.path().filename().string();
    if (file.rfind(prefix, 0) != 0 || entry.path().extension() != ".png") continue;
    const std::string rest = file.substr(prefix.size(), file.size() - prefix.size() - 4);  // "" or "_2.0x"
    Snapshot snapshot;
    snapshot.path = "Snapshots/" + file;
    if (!rest.empty()) {
      if (rest.front() != '_' || rest.back() != 'x') continue;
      char* end = nullptr;
      snapshot.scale = std::strtod(rest.c_str() + 1, &end);
      if (end != rest.c_str() + rest.size() - 1 || !(snapshot.scale > 0.0)) continue;
    }
    found.push_back(snapshot);
  }
  std::sort(found.begin(), found.end(), [](const Snapshot& a, const Snapshot& b) { return a.scale < b.scale; });
  return found;
}

}  // namespace spwmoduleinfo
