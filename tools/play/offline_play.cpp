#include "offline_play.h"

#include <algorithm>

#include "edit_handler.h"
#include "edit_queue.h"
#include "live_automation.h"
#include "parameter_table.h"
#include "player_engine.h"
#include "program_values.h"
#include "vst3_host.h"

namespace spwplay {

bool PlayOffline(spwhost::Plugin& plugin, spwhost::Plugin& scratch, const OfflineSession& session,
                 std::vector<float>* left, std::vector<float>* right, std::string* error) {
  ParameterTable table(plugin);
  std::vector<std::vector<double>> programValues;
  if (!ReadProgramValues(scratch, table, session.events, &programValues, error)) return false;
  LiveAutomation automation(session.events, std::move(programValues), table,
                            std::max(1, session.sampleRate / spwrender::kSlidePointsPerSecond));
  EditQueue queue;
  EditHandler handler(table, queue);
  PlayerEngine engine(plugin, table, queue, &automation, PlayerEngine::kEndless);
  engine.PlayBare();
  if (!engine.Start(session.sampleRate, session.blockSize, error)) return false;
  left->assign(size_t(session.frames), 0.0f);
  right->assign(size_t(session.frames), 0.0f);
  size_t nextEdit = 0;
  for (int64_t frame = 0; frame < session.frames; frame += session.blockSize) {
    for (; nextEdit < session.edits.size() && session.edits[nextEdit].frame <= frame; ++nextEdit) {
      handler.performEdit(session.edits[nextEdit].id, session.edits[nextEdit].normalized);
    }
    const int n = int(std::min<int64_t>(session.blockSize, session.frames - frame));
    engine.Render(&(*left)[size_t(frame)], &(*right)[size_t(frame)], n);
  }
  engine.Stop();
  return true;
}

}  // namespace spwplay
