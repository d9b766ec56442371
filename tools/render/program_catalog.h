#pragma once
// The plug-in's factory programmes as a host sees them: the program list of its root
// unit and the program-change parameter that selects one.

#include <cstdio>
#include <string>
#include <vector>

#include "parameter_change.h"

namespace spwhost {
class PluginControls;
}

namespace spwrender {

// The programme a command-line text names among names: a number (0-based, as the
// lists show) or a name, matched as MatchName does. False with a reason when it
// names none or several. Every tool resolves programmes this way.
bool ResolveProgramme(const std::vector<std::string>& names, const std::string& text, int* number,
                      std::string* error);

// Whether name is the plug-in's name of an empty slot at number: it names such a
// slot by its 1-based number ("- 158 -" for slot 157), as a host that counts from
// 1 shows it.
bool IsEmptySlotName(int number, const std::string& name);
// A slot as the tools' lists show it, numbered from 0: an empty one as
// "(empty slot)", so that no list shows two numbers for one slot.
std::string ListedProgrammeName(int number, const std::string& name);

class ProgramCatalog {
 public:
  // Reads the list from an initialised plug-in. False with a reason when it offers
  // no program list or no program-change parameter.
  bool Read(spwhost::PluginControls& plugin, std::string* error);

  // The programme a command-line text names: a number (0-based, as --list-programs
  // shows) or an exact name. False with a reason when it names none or several.
  bool Resolve(const std::string& text, int* number, std::string* error) const;
  // The parameter change that selects programme number.
  ParameterChange Selection(int number) const;

  int Count() const { return static_cast<int>(names_.size()); }
  const std::string& Name(int number) const { return names_[size_t(number)]; }
  const std::vector<std::string>& Names() const { return names_; }
  // True for a slot that holds no programme (IsEmptySlotName): selecting it changes
  // no setting.
  bool IsEmptySlot(int number) const;
  void Print(std::FILE* out) const;

 private:
  std::string listName_;
  std::vector<std::string> names_;
  uint32_t parameterId_ = 0;
  int stepCount_ = 0;
};

}  // namespace spwrender
