#pragma once
// What each programme selection of a session does to the parameters, read before
// the sound starts so the audio callback can keep the player's copy of the values
// without calling the edit controller. A programme may bring only some parameters
// (the "(only harmonics)" ones bring only the slots); the others keep whatever
// they held, so only what a programme really sets is recorded.
//
// Threads: the main thread.

#include <cstdint>
#include <string>
#include <vector>

#include "automation.h"
#include "program_catalog.h"

namespace spwhost {
class Plugin;
}

namespace spwplay {

class ParameterTable;

// For every programme selection of events, the normalised value of each parameter
// of table (by index) once it applies, or NaN for a parameter it leaves as it was;
// an empty row for the other events. scratch: an initialised instance of the same
// plug-in, used for nothing else (its values are changed). False with a reason.
bool ReadProgramValues(spwhost::Plugin& scratch, const ParameterTable& table,
                       const std::vector<spwrender::AutomationEvent>& events,
                       std::vector<std::vector<double>>* programValues, std::string* error);

// The same for every programme of catalog, by programme number.
bool ReadEveryProgramme(spwhost::Plugin& scratch, const ParameterTable& table,
                        const spwrender::ProgramCatalog& catalog, std::vector<std::vector<double>>* programValues,
                        std::string* error);

// [any thread] What a programme's row sets goes into table; the rest keeps what it held.
void SetProgrammeValues(ParameterTable& table, const std::vector<double>& row) noexcept;

// The programme whose row matches table's values (programmeId's own aside),
// preferring one that sets more of them (a whole programme before one that brings
// only the slots); -1 for none. The plug-in's state does not keep which programme
// was chosen: this finds it again after a restore.
int MatchingProgramme(const ParameterTable& table, const std::vector<std::vector<double>>& programValues,
                      uint32_t programmeId);

}  // namespace spwplay
