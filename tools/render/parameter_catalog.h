#pragma once
// The plug-in's parameters as a host sees them through its edit controller: names,
// units, ranges and value texts, all from the plug-in. Turns "NAME=VALUE" settings
// into parameter changes.

#include <cstdio>
#include <string>
#include <vector>

#include "parameter_change.h"

namespace spwhost {
class PluginControls;
struct ParameterInfo;
}

namespace spwrender {

class ParameterCatalog {
 public:
  // Reads every parameter a user may set (not the program-change parameter, hidden
  // or read-only ones) from an initialised plug-in, which must outlive the catalog.
  explicit ParameterCatalog(spwhost::PluginControls& plugin);

  // The change for parameter name (its exact title) set to value: a number in the
  // parameter's units (a trailing unit label is allowed) or, for a list parameter,
  // one of its value texts. False with a reason for an unknown name, a value that is
  // not a number or value text, a value outside the range or between steps.
  bool Resolve(const std::string& name, const std::string& value, ParameterChange* change,
               std::string* error) const;

  // Whether parameter id takes value texts ("Wave", "Binaural Pan") rather than numbers.
  bool IsList(uint32_t id) const;

  void Print(std::FILE* out) const;

 private:
  struct Entry {
    uint32_t id = 0;
    std::string title;
    std::string units;
    int stepCount = 0;                    // 0: continuous
    double minimum = 0.0, maximum = 0.0;  // plain units
    double defaultNormalized = 0.0;
    std::vector<std::string> valueTexts;  // list parameters only, in value order
  };

  Entry ReadEntry(const spwhost::ParameterInfo& info) const;
  bool ResolveNumber(const Entry& entry, const std::string& value, double* normalized, std::string* error) const;
  std::string Display(const Entry& entry, double normalized) const;
  std::string RangeText(const Entry& entry) const;

  spwhost::PluginControls& plugin_;
  std::vector<Entry> entries_;
  std::vector<std::string> titles_;
};

}  // namespace spwrender
