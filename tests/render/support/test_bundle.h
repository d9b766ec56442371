#pragma once
// The built bundle, found from the test program's folder (the build records the
// relative path as SPW_TEST_BUNDLE).

#include <string>

#include "default_bundle.h"

inline std::string TestBundle() { return spwrender::ExecutableFolder() + SPW_TEST_BUNDLE; }
