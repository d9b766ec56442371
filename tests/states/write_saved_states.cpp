// Writes the saved states this build makes, for tests/data/states/: every
// factory programme and a session edited in the editor, each with what
// restoring it gives (see saved_state.h). Run once per platform when the set is
// first made or after a deliberate change of the stored format; never to make a
// failing saved-state test pass.
//   write_saved_states FILE

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "editor_session.h"
#include "parameter_ids.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "program_catalog.h"
#include "public.sdk/source/common/memorystream.h"
#include "saved_state.h"
#include "stereo_pulse_weaver.h"
#include "vst3_host.h"

namespace {

// The centre of the slot panel's cell in column (0..6) of visible row (0..4), editor pixels.
int CellX(int column) { return 12 + 5 + column * 68 + 32; }
int CellY(int visibleRow) { return 263 + 2 + visibleRow * 25 + 11; }
constexpr int kLinkSwitchX = 123, kLinkSwitchY = 243;

bool Capture(spwsnapshot::EditorSession& session, const std::string& name, spwstates::SavedState* state,
             std::string* error) {
  state->name = name;
  if (!session.Host().GetState(&state->component)) {
    *error = name + ": the component gives no state";
    return false;
  }
  Steinberg::MemoryStream stream;
  session.Host().Controller()->getState(&stream);
  const auto* bytes = reinterpret_cast<const uint8_t*>(stream.getData());
  state->controller.assign(bytes, bytes + stream.getSize());
  if (!spwstates::Replay(state->component, state->controller, &state->values, &state->digest, error)) {
    *error = name + ": " + *error;
    return false;
  }
  return true;
}

bool Programmes(std::vector<spwstates::SavedState>* states, std::string* error) {
  spwsnapshot::EditorSession session;
  spwrender::ProgramCatalog programmes;
  if (!session.Start(error) || !programmes.Read(session.Host(), error)) return false;
  for (int n = 0; n < programmes.Count(); ++n) {
    if (programmes.IsEmptySlot(n)) continue;
    const spwrender::ParameterChange selection = programmes.Selection(n);
    session.QueueChange(selection.id, selection.normalized);
    session.Step();
    char name[32];
    std::snprintf(name, sizeof name, "programme-%03d", n);
    states->emplace_back();
    if (!Capture(session, name, &states->back(), error)) return false;
  }
  return true;
}

// A person's session: cells added on the grid, one removed again, "Link Freq" stepped.
bool EditedSession(std::vector<spwstates::SavedState>* states, std::string* error) {
  spwsnapshot::EditorSession session;
  if (!session.Start(error)) return false;
  for (const auto& cell : {std::make_pair(1, 0), {3, 1}, {0, 3}, {5, 2}, {2, 4}}) {
    session.Hover(CellX(cell.first), CellY(cell.second));
    session.Click(CellX(cell.first), CellY(cell.second), false);
  }
  session.Click(CellX(0), CellY(3), true);
  const double link = session.Plug().ParamAt(kLinkFreq)->Value();
  session.Click(kLinkSwitchX, kLinkSwitchY, false);
  if (session.Plug().ParamAt(kLinkFreq)->Value() == link) {
    *error = "the click on the \"Link Freq\" switch changed nothing";
    return false;
  }
  states->emplace_back();
  return Capture(session, "edited-session", &states->back(), error);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_saved_states FILE\n");
    return 2;
  }
  std::vector<spwstates::SavedState> states;
  std::string error;
  if (!Programmes(&states, &error) || !EditedSession(&states, &error)) {
    std::fprintf(stderr, "write_saved_states: %s\n", error.c_str());
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << "# Saved states made by write_saved_states; restoring each must give these values and this audio.\n";
  for (const spwstates::SavedState& state : states) out << spwstates::FormatLine(state) << "\n";
  out.close();
  if (!out) {
    std::fprintf(stderr, "write_saved_states: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%zu states written to %s\n", states.size(), argv[1]);
  return 0;
}
