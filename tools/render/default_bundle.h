#pragma once
// Where the tools find the plug-in bundle when --bundle is not given: beside the
// program (an unpacked archive), the bundle of the same build tree (found from the
// program's own location, so the tree can be moved or copied as a whole), the one
// installed with the program (bin/ and lib/vst3/ under one prefix), then the
// folders VST 3 hosts look in.

#include <functional>
#include <string>
#include <vector>

namespace spwrender {

// One folder a bundle may be in, and how a person would name that place.
struct BundlePlace {
  std::string path;
  std::string where;  // "beside the program", "in ~/.vst3", ...
};

// What the host folders depend on, read from the environment by the tools.
struct HostFolders {
  std::string home;                // Linux: $HOME; empty: no user folder
  std::string commonProgramFiles;  // Windows: %CommonProgramFiles%; empty: none
};

// The folder of the running program, with a trailing separator; empty when unknown.
std::string ExecutableFolder();
HostFolders HostFoldersOfEnvironment();

// Every place, in the order they are tried, for a program in programFolder
// (with its trailing separator).
std::vector<BundlePlace> BundlePlaces(const std::string& programFolder, const HostFolders& folders);
// The first place that is a folder (isFolder decides); null when none is.
const BundlePlace* FirstBundlePlace(const std::vector<BundlePlace>& places,
                                    const std::function<bool(const std::string&)>& isFolder);

// The running program's places, and the first of them that is there.
std::vector<BundlePlace> DefaultBundlePlaces();
bool FindDefaultBundle(BundlePlace* found);
// The found bundle, else the build tree's (for the error message).
std::string DefaultBundlePath();

}  // namespace spwrender
