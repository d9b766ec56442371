// spw_moduleinfo: loads a built VST 3 bundle through its factory, as a host
// does, and writes the bundle's Contents/Resources/moduleinfo.json from what
// the factory answers and the snapshots the bundle holds.
//   spw_moduleinfo BUNDLE          writes BUNDLE/Contents/Resources/moduleinfo.json
//   spw_moduleinfo --cid BUNDLE    prints the first class ID as snapshot names use it
// Exit status 2 for bad arguments, 1 when the module does not load or the file
// cannot be written.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "module_info.h"
#include "vst3_host.h"

namespace {

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "spw_moduleinfo: %s\n", message.c_str());
  return status;
}

// The bundle's name: its folder's name without ".vst3".
std::string BundleName(const std::string& bundle) {
  std::string name = std::filesystem::path(bundle).filename().string();
  if (name.empty()) name = std::filesystem::path(bundle).parent_path().filename().string();
  const size_t dot = name.rfind(".vst3");
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

int main(int argc, char** argv) {
  const bool cidOnly = argc == 3 && std::string(argv[1]) == "--cid";
  if (argc != 2 && !cidOnly) return Fail(2, "usage: spw_moduleinfo [--cid] BUNDLE.vst3");
  const std::string bundle = argv[argc - 1];
  std::string error;
  std::unique_ptr<spwhost::Module> module = spwhost::Module::Load(bundle, &error);
  if (!module) return Fail(1, error);
  const std::vector<spwhost::ClassInfo> classes = module->Classes();
  if (classes.empty()) return Fail(1, bundle + ": the factory offers no class");
  if (cidOnly) {
    std::printf("%s\n", spwmoduleinfo::ClassIdText(classes.front().cid).c_str());
    return 0;
  }
  const std::string resources = bundle + "/Contents/Resources";
  std::vector<std::vector<spwmoduleinfo::Snapshot>> snapshots;
  for (const spwhost::ClassInfo& c : classes) {
    snapshots.push_back(spwmoduleinfo::FindSnapshots(resources, spwmoduleinfo::ClassIdText(c.cid)));
  }
  const std::string text =
      spwmoduleinfo::ModuleInfo(BundleName(bundle), module->Factory(), classes, snapshots).dump(2) + "\n";
  std::error_code made;
  std::filesystem::create_directories(resources, made);
  const std::string path = resources + "/moduleinfo.json";
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    std::remove(path.c_str());
    return Fail(1, "cannot write " + path);
  }
  return 0;
}
