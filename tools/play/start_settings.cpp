#include "start_settings.h"

#include <vector>

#include "automation_player.h"
#include "vst3_host.h"

namespace spwplay {

bool ApplyStartSettings(const spwrender::ToolMessages& io, spwhost::Plugin& plugin,
                        const spwrender::SessionOptions& options, std::string* error) {
  std::vector<spwrender::AutomationEvent> events;
  std::string programName;
  if (!spwrender::ResolveStartSettings(io, plugin, options, &events, &programName, error)) return false;
  spwrender::AutomationPlayer start(std::move(events), 1);
  if (!start.Deliver(plugin, 0, error)) return false;
  plugin.ProcessFloat(nullptr, 0);
  return true;
}

}  // namespace spwplay
