#include "program_catalog.h"

#include <algorithm>
#include <cctype>

#include "name_match.h"
#include "plugin_controls.h"

namespace spwrender {
namespace {

bool IsNumber(const std::string& text) {
  return !text.empty() && text.size() < 10 &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::string JoinNumbers(const std::vector<int>& numbers) {
  std::string text;
  for (int n : numbers) text += (text.empty() ? "" : ", ") + std::to_string(n);
  return text;
}

}  // namespace

bool ProgramCatalog::Read(spwhost::PluginControls& plugin, std::string* error) {
  int32_t listId = 0;
  if (!plugin.ProgramList(&listId, &listName_, &names_) || names_.empty()) {
    *error = "the plug-in offers no programme list";
    return false;
  }
  for (int i = 0; i < plugin.ParameterCount(); ++i) {
    spwhost::ParameterInfo info;
    if (plugin.GetParameterInfo(i, &info) && (info.flags & spwhost::parameter_flags::kIsProgramChange) != 0) {
      parameterId_ = info.id;
      stepCount_ = info.stepCount;
      return true;
    }
  }
  *error = "the plug-in offers no parameter that selects a programme";
  return false;
}

bool ResolveProgramme(const std::vector<std::string>& names, const std::string& text, int* number,
                      std::string* error) {
  const int last = static_cast<int>(names.size()) - 1;
  if (IsNumber(text)) {
    *number = std::stoi(text);
    if (*number <= last) return true;
    *error = "programme number " + text + " is out of range 0 to " + std::to_string(last);
    return false;
  }
  const std::vector<int> found = MatchName(names, text);
  if (found.size() == 1) {
    *number = found.front();
    return true;
  }
  *error = found.empty() ? "no programme is named '" + text + "' (see --list-programs)"
                         : "'" + text + "' names several programmes (" + JoinNumbers(found) + "): choose one by number";
  return false;
}

bool ProgramCatalog::Resolve(const std::string& text, int* number, std::string* error) const {
  return ResolveProgramme(names_, text, number, error);
}

ParameterChange ProgramCatalog::Selection(int number) const {
  ParameterChange change;
  change.id = parameterId_;
  change.normalized = stepCount_ > 0 ? std::min(1.0, double(number) / double(stepCount_)) : 0.0;
  return change;
}

bool IsEmptySlotName(int number, const std::string& name) { return name == "- " + std::to_string(number + 1) + " -"; }

std::string ListedProgrammeName(int number, const std::string& name) {
  return IsEmptySlotName(number, name) ? "(empty slot)" : name;
}

bool ProgramCatalog::IsEmptySlot(int number) const { return IsEmptySlotName(number, Name(number)); }

void ProgramCatalog::Print(std::FILE* out) const {
  std::fprintf(out, "%s (%zu programmes; choose with --program NUMBER or --program NAME)\n", listName_.c_str(),
               names_.size());
  for (int i = 0; i < Count(); ++i) std::fprintf(out, "%4d  %s\n", i, ListedProgrammeName(i, Name(i)).c_str());
}

}  // namespace spwrender
