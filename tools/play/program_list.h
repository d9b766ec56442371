#pragma once
// The plug-in's programmes as the player's bar offers them: the controller's list,
// read as a host reads it, what each programme sets (read from an instance of the
// plug-in's own, before the sound starts), and which one plays, as the player's
// copy of the values has it.
//
// Threads: the main (UI) thread, but Playing (any thread).

#include <cstdint>
#include <string>
#include <vector>

#include "program_catalog.h"

namespace spwhost {
class Module;
class Plugin;
}  // namespace spwhost

namespace spwplay {

class ParameterTable;

class ProgramList {
 public:
  // Reads plugin's list, and what each programme sets through a new instance
  // made by module. A plug-in without a list leaves this empty; false with a
  // reason when the plug-in fails.
  bool Read(spwhost::Module& module, spwhost::Plugin& plugin, const ParameterTable& table, std::string* error);
  bool Empty() const { return values_.empty(); }

  const std::vector<std::string>& Names() const { return catalog_.Names(); }
  // By programme number: the normalised value of every parameter of the table
  // once the programme applies, NaN for one it leaves alone.
  const std::vector<std::vector<double>>& Values() const { return values_; }
  // The programme-change parameter, and the change that selects programme n.
  uint32_t ParameterId() const { return catalog_.Selection(0).id; }
  spwrender::ParameterChange Selection(int n) const { return catalog_.Selection(n); }
  // The programme that plays, as table has it.
  int Playing(const ParameterTable& table) const;

  // The plug-in's state does not keep which programme was chosen: after a
  // restore, the one whose values plugin holds is told to its controller (as a
  // host shows the programme it chose) and to table. Nothing when none matches.
  void FindRestored(spwhost::Plugin& plugin, ParameterTable& table) const;

 private:
  spwrender::ProgramCatalog catalog_;
  std::vector<std::vector<double>> values_;
};

}  // namespace spwplay
