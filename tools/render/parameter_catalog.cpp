#include "parameter_catalog.h"

#include <cmath>

#include "decimal_number.h"
#include "name_match.h"
#include "plugin_controls.h"

namespace spwrender {
namespace {

// Discrete parameters with more steps than this are treated as numbers only.
constexpr int kMaxListedValues = 64;
// How far off a whole step a value may be and still count as that step (in steps).
constexpr double kStepTolerance = 1e-6;

// Reads a number and what follows it; false when the text does not start with one.
bool SplitNumber(const std::string& text, double* number, std::string* rest) {
  size_t used = 0;
  if (!ReadLeadingDecimal(text, number, &used)) return false;
  *rest = text.substr(used);
  rest->erase(0, rest->find_first_not_of(' '));
  return true;
}

bool IsPlainNumber(const std::string& text) {
  double number = 0.0;
  std::string rest;
  return SplitNumber(text, &number, &rest) && rest.empty();
}

bool IsSettable(int32_t flags) {
  return (flags & (spwhost::parameter_flags::kIsProgramChange | spwhost::parameter_flags::kIsHidden |
                  spwhost::parameter_flags::kIsReadOnly)) == 0;
}

std::string Join(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : ", ") + text;
  return joined;
}

}  // namespace

ParameterCatalog::ParameterCatalog(spwhost::PluginControls& plugin) : plugin_(plugin) {
  for (int i = 0; i < plugin.ParameterCount(); ++i) {
    spwhost::ParameterInfo info;
    if (!plugin.GetParameterInfo(i, &info) || !IsSettable(info.flags)) continue;
    entries_.push_back(ReadEntry(info));
    titles_.push_back(info.title);
  }
}

ParameterCatalog::Entry ParameterCatalog::ReadEntry(const spwhost::ParameterInfo& info) const {
  const uint32_t id = info.id;
  const int stepCount = info.stepCount;
  Entry entry;
  entry.id = id;
  entry.title = info.title;
  entry.units = info.units;
  entry.stepCount = stepCount;
  entry.defaultNormalized = info.defaultNormalized;
  entry.minimum = plugin_.NormalizedToPlain(id, 0.0);
  entry.maximum = plugin_.NormalizedToPlain(id, 1.0);
  if (stepCount <= 0 || stepCount > kMaxListedValues) return entry;
  std::vector<std::string> texts;
  bool allNumbers = true;
  for (int k = 0; k <= stepCount; ++k) {
    texts.push_back(plugin_.ValueToString(id, double(k) / stepCount));
    allNumbers = allNumbers && IsPlainNumber(texts.back());
  }
  if (!allNumbers) entry.valueTexts = std::move(texts);
  return entry;
}

std::string ParameterCatalog::Display(const Entry& entry, double normalized) const {
  const std::string text = plugin_.ValueToString(entry.id, normalized);
  return entry.units.empty() ? text : text + " " + entry.units;
}

std::string ParameterCatalog::RangeText(const Entry& entry) const {
  if (!entry.valueTexts.empty()) return "one of " + Join(entry.valueTexts);
  return Display(entry, 0.0) + " to " + Display(entry, 1.0) + (entry.stepCount > 0 ? " in whole steps" : "");
}

bool ParameterCatalog::Resolve(const std::string& name, const std::string& value, ParameterChange* change,
                               std::string* error) const {
  const std::vector<int> found = MatchName(titles_, name);
  if (found.size() != 1) {
    *error = (found.empty() ? "no parameter is named '" : "several parameters are named '") + name +
             "' (see --list-params)";
    return false;
  }
  const Entry& entry = entries_[size_t(found.front())];
  change->id = entry.id;
  const std::vector<int> text = MatchName(entry.valueTexts, value);
  if (text.size() == 1) {
    change->normalized = double(text.front()) / entry.stepCount;
    return true;
  }
  return ResolveNumber(entry, value, &change->normalized, error);
}

bool ParameterCatalog::ResolveNumber(const Entry& entry, const std::string& value, double* normalized,
                                     std::string* error) const {
  const std::string setting = entry.title + "=" + value;
  double plain = 0.0;
  std::string rest;
  if (!SplitNumber(value, &plain, &rest) || !(rest.empty() || MatchName({entry.units}, rest).size() == 1)) {
    *error = setting + ": not a value of " + entry.title + ", which takes " + RangeText(entry);
    return false;
  }
  const double low = std::fmin(entry.minimum, entry.maximum), high = std::fmax(entry.minimum, entry.maximum);
  if (plain < low || plain > high) {
    *error = setting + " is out of range: " + entry.title + " takes " + RangeText(entry);
    return false;
  }
  *normalized = plugin_.PlainToNormalized(entry.id, plain);
  if (entry.stepCount > 0) {
    const double steps = *normalized * entry.stepCount;
    if (std::fabs(steps - std::round(steps)) > kStepTolerance) {
      *error = setting + " falls between steps: " + entry.title + " takes " + RangeText(entry);
      return false;
    }
    *normalized = std::round(steps) / entry.stepCount;
  }
  return true;
}

bool ParameterCatalog::IsList(uint32_t id) const {
  for (const Entry& entry : entries_) {
    if (entry.id == id) return !entry.valueTexts.empty();
  }
  return false;
}

void ParameterCatalog::Print(std::FILE* out) const {
  std::fprintf(out, "%4s  %-16s %-14s %s\n", "id", "name", "default", "values (set with --set \"NAME=VALUE\")");
  for (const Entry& entry : entries_) {
    std::fprintf(out, "%4u  %-16s %-14s %s\n", entry.id, entry.title.c_str(),
                 Display(entry, entry.defaultNormalized).c_str(), RangeText(entry).c_str());
  }
}

}  // namespace spwrender
