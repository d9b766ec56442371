#pragma once
// Ctrl-C and termination signals (SIGINT, SIGTERM; SIGBREAK on Windows) asking the
// player to stop: they only raise a flag, which the main loop reads and answers
// with a fade-out, so the player ends as if its window had been closed.
//
// Threads: Catch on the main thread; Requested from any thread.

namespace spwplay {

void CatchStopSignals();
bool StopRequested();

}  // namespace spwplay
