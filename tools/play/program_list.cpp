#include "program_list.h"

#include <cmath>
#include <memory>

#include "parameter_table.h"
#include "program_values.h"
#include "vst3_host.h"

namespace spwplay {

bool ProgramList::Read(spwhost::Module& module, spwhost::Plugin& plugin, const ParameterTable& table,
                       std::string* error) {
  std::string none;
  if (!catalog_.Read(plugin, &none)) return true;
  std::unique_ptr<spwhost::Plugin> scratch = module.CreatePlugin(error);
  return scratch && scratch->Initialize(error, "spw_play") &&
         ReadEveryProgramme(*scratch, table, catalog_, &values_, error);
}

int ProgramList::Playing(const ParameterTable& table) const {
  const int index = table.IndexOf(ParameterId());
  const int last = catalog_.Count() - 1;
  return index < 0 || last <= 0 ? 0 : int(std::lround(table.Value(index) * last));
}

void ProgramList::FindRestored(spwhost::Plugin& plugin, ParameterTable& table) const {
  const int found = MatchingProgramme(table, values_, ParameterId());
  if (found < 0) return;
  const double normalized = Selection(found).normalized;
  plugin.SetParamNormalized(ParameterId(), normalized);
  table.Set(table.IndexOf(ParameterId()), normalized);
}

}  // namespace spwplay
