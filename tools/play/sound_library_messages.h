#pragma once
// The sound libraries under RtAudio print their own messages to standard error
// while RtAudio looks for an output (ALSA's "cannot find card", JACK's "cannot
// connect to server socket", a dozen lines on a machine without sound). The
// player says what matters in its own one line: their error handlers are set to
// keep quiet.
//
// RtAudio prints its own notes to std::cerr (a system without devices, a JACK
// server quitting): that stream is silenced while the player needs it quiet.
//
// Threads: the main thread, before any sound library is used.

#include <iostream>

namespace spwplay {

void QuietSoundLibraries();

// std::cerr prints nothing while one lives.
class SilencedCerr {
 public:
  SilencedCerr() { std::cerr.setstate(std::ios::badbit); }
  ~SilencedCerr() { std::cerr.clear(); }
  SilencedCerr(const SilencedCerr&) = delete;
  SilencedCerr& operator=(const SilencedCerr&) = delete;
};

}  // namespace spwplay
