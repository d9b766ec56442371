#include "start_settings.h"

#include <cstdio>
#include <vector>

#include "automation_player.h"
#include "silent_settings.h"
#include "vst3_host.h"

namespace spwplay {

bool ApplyStartSettings(const spwrender::ToolMessages& io, spwhost::Plugin& plugin,
                        const spwrender::SessionOptions& options, std::string* error) {
  std::vector<spwrender::AutomationEvent> events;
  std::string programName;
  if (!spwrender::ResolveStartSettings(io, plugin, options, &events, &programName, error)) return false;
  spwrender::AutomationPlayer start(events, 1);
  if (!start.Deliver(plugin, 0, error)) return false;
  plugin.ProcessFloat(nullptr, 0);
  // A --set the other settings make silent is said to be so, as the renderer says it.
  for (const spwrender::AutomationEvent& event : events) {
    const std::string note = spwrender::SilentSettingNote(plugin, event);
    if (!note.empty()) std::fprintf(io.err, "%s: warning: %s\n", io.tool, note.c_str());
  }
  return true;
}

}  // namespace spwplay
