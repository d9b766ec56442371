#pragma once
// moduleinfo.json, the description of a VST 3 bundle that hosts of SDK 3.7.5
// and later read instead of loading the module: the module's name and
// version, the factory's information and its classes, each with the
// snapshots the bundle holds for host browsers. Built from what the loaded
// module's factory answers, so it cannot disagree with it.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "vst3_host.h"

namespace spwmoduleinfo {

// A class ID as hosts write it in moduleinfo.json and in snapshot file names:
// the 16 bytes in order, upper-case hexadecimal.
std::string ClassIdText(const uint8_t cid[16]);

// One snapshot of a class: its scale factor and its path inside Contents/Resources.
struct Snapshot {
  double scale = 1.0;
  std::string path;
};

// The JSON for a module name, the factory's description and its classes with
// the snapshots of each (snapshots[i] belongs to classes[i]).
nlohmann::ordered_json ModuleInfo(const std::string& name, const spwhost::FactoryInfo& factory,
                                  const std::vector<spwhost::ClassInfo>& classes,
                                  const std::vector<std::vector<Snapshot>>& snapshots);

// The snapshots of a class ID present in resources/Snapshots: <CID>_snapshot.png
// (scale 1) and <CID>_snapshot_<F>x.png (scale F), by rising scale.
std::vector<Snapshot> FindSnapshots(const std::string& resources, const std::string& cidText);

}  // namespace spwmoduleinfo
