// The C functions a page's script plays sessions through ("_spw_session_*"):
// a SessionPlayer for an instance made by spw_create. Texts returned stay valid
// until the player's next Load.

#include <emscripten/emscripten.h>

#include "session_player.h"

using spw_web::IEffectWeb;
using spw_web::SessionPlayer;

extern "C" {

EMSCRIPTEN_KEEPALIVE SessionPlayer* spw_session_create(IEffectWeb* effect, int maxFrames) {
  return new SessionPlayer(*effect, maxFrames);
}
EMSCRIPTEN_KEEPALIVE void spw_session_destroy(SessionPlayer* session) { delete session; }

// The number of problems the text has (0: it plays from its start).
EMSCRIPTEN_KEEPALIVE int spw_session_load(SessionPlayer* session, const char* text, int sampleRate) {
  session->Load(text, sampleRate);
  return static_cast<int>(session->Problems().size());
}
// Problem i's line (0: the file as a whole) and message.
EMSCRIPTEN_KEEPALIVE int spw_session_problem_line(SessionPlayer* session, int i) {
  return session->Problems()[static_cast<size_t>(i)].line;
}
EMSCRIPTEN_KEEPALIVE const char* spw_session_problem_text(SessionPlayer* session, int i) {
  return session->Problems()[static_cast<size_t>(i)].message.c_str();
}
EMSCRIPTEN_KEEPALIVE double spw_session_length(SessionPlayer* session) {
  return static_cast<double>(session->LengthFrames());
}
EMSCRIPTEN_KEEPALIVE double spw_session_frame(SessionPlayer* session) { return static_cast<double>(session->Frame()); }

// 1 with the next frames in spw_session_output; 0 once the session has ended.
EMSCRIPTEN_KEEPALIVE int spw_session_render(SessionPlayer* session, int frames) {
  return session->Render(frames) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE float* spw_session_output(SessionPlayer* session, int channel) {
  return session->Output(channel);
}

}  // extern "C"
