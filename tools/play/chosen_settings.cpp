#include "chosen_settings.h"

#include "start_settings.h"
#include "vst3_host.h"

namespace spwplay {

bool ReturnToChoices(const spwrender::ToolMessages& io, spwhost::Plugin& plugin, const std::vector<uint8_t>& base,
                     const spwrender::SessionOptions& options, const std::vector<Edit>& byHand, std::string* error) {
  std::vector<uint8_t> session;
  plugin.GetState(&session);
  if (!plugin.SetState(base) || !plugin.SetComponentStateOnController(base)) {
    *error = "the plug-in refuses the settings the session started from";
    plugin.SetState(session);
    return false;
  }
  if (!ApplyStartSettings(io, plugin, options, error)) return false;
  // One call each, in order: the plug-in applies one value per parameter and call,
  // and a programme chosen between two settings of a knob must fall between them.
  for (const Edit& edit : byHand) {
    plugin.QueueParameterChange(edit.id, edit.normalized);
    plugin.ProcessFloat(nullptr, 0);
  }
  return true;
}

}  // namespace spwplay
