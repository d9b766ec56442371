#include "program_values.h"

#include <cmath>
#include <limits>

#include "parameter_table.h"
#include "vst3_host.h"

namespace spwplay {
namespace {

// Every parameter but the programme's own to one end of its range, then the programme.
bool SelectFrom(spwhost::Plugin& scratch, const ParameterTable& table, const spwrender::AutomationEvent& event,
                double start, std::vector<double>* values, std::string* error) {
  for (int k = 0; k < table.Count(); ++k) {
    if (table.Id(k) != event.change.id) scratch.QueueParameterChange(table.Id(k), start);
  }
  bool ok = scratch.ProcessFloat(nullptr, 0);
  scratch.QueueParameterChange(event.change.id, event.change.normalized);
  ok = scratch.ProcessFloat(nullptr, 0) && ok;
  if (!ok) {
    *error = "the plug-in refuses the programme '" + event.programName + "' (result " +
             std::to_string(scratch.LastProcessResult()) + ")";
    return false;
  }
  values->clear();
  for (int k = 0; k < table.Count(); ++k) values->push_back(scratch.GetParamNormalized(table.Id(k)));
  return true;
}

}  // namespace

bool ReadProgramValues(spwhost::Plugin& scratch, const ParameterTable& table,
                       const std::vector<spwrender::AutomationEvent>& events,
                       std::vector<std::vector<double>>* programValues, std::string* error) {
  programValues->assign(events.size(), {});
  std::vector<double> fromBottom, fromTop;
  for (size_t i = 0; i < events.size(); ++i) {
    if (!events[i].selectsProgram) continue;
    // What the programme sets comes out the same from opposite starts; what it
    // leaves alone keeps the start.
    if (!SelectFrom(scratch, table, events[i], 0.0, &fromBottom, error) ||
        !SelectFrom(scratch, table, events[i], 1.0, &fromTop, error)) {
      return false;
    }
    std::vector<double>& row = (*programValues)[i];
    for (size_t k = 0; k < fromBottom.size(); ++k) {
      row.push_back(fromBottom[k] == fromTop[k] ? fromBottom[k] : std::numeric_limits<double>::quiet_NaN());
    }
  }
  return true;
}

bool ReadEveryProgramme(spwhost::Plugin& scratch, const ParameterTable& table,
                        const spwrender::ProgramCatalog& catalog, std::vector<std::vector<double>>* programValues,
                        std::string* error) {
  std::vector<spwrender::AutomationEvent> selections(size_t(catalog.Count()));
  for (int n = 0; n < catalog.Count(); ++n) {
    selections[size_t(n)].selectsProgram = true;
    selections[size_t(n)].change = catalog.Selection(n);
    selections[size_t(n)].programName = catalog.Name(n);
  }
  return ReadProgramValues(scratch, table, selections, programValues, error);
}

void SetProgrammeValues(ParameterTable& table, const std::vector<double>& row) noexcept {
  for (size_t i = 0; i < row.size() && i < size_t(table.Count()); ++i) {
    if (!std::isnan(row[i])) table.Set(int(i), row[i]);
  }
}

int MatchingProgramme(const ParameterTable& table, const std::vector<std::vector<double>>& programValues,
                      uint32_t programmeId) {
  int best = -1;
  size_t bestSet = 0;
  for (size_t p = 0; p < programValues.size(); ++p) {
    const std::vector<double>& row = programValues[p];
    size_t set = 0;
    bool matches = true;
    for (size_t i = 0; i < row.size() && i < size_t(table.Count()) && matches; ++i) {
      if (std::isnan(row[i]) || table.Id(int(i)) == programmeId) continue;
      matches = row[i] == table.Value(int(i));
      ++set;
    }
    if (matches && set > bestSet) best = int(p), bestSet = set;
  }
  return best;
}

}  // namespace spwplay
