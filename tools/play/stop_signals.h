#pragma once
// Every way a person (or the system) asks the player to stop: Ctrl-C, termination,
// a closed terminal (SIGHUP), SIGQUIT, a closed pipe on standard error (SIGPIPE);
// on Windows Ctrl-C, Ctrl-Break, closing the console window, logging off and
// shutting down. They only raise a count, which the main loop reads and answers
// with a fade-out and the save, as if the window had been closed. A second request
// (not a repeated SIGPIPE, which every later write to the closed pipe raises) asks
// to end at once, still saving. SIGHUP ignored when the player starts (nohup)
// stays ignored.
//
// Windows ends a process whose console closes (or whose session ends) as soon as
// its handler returns: the handler waits there until ReportStopped, for at most
// the grace Windows gives.
//
// Threads: Catch and ReportStopped on the main thread; the rest from any thread.

namespace spwplay {

void CatchStopSignals();
// Asked to stop at least once.
bool StopRequested();
// Asked again: end now.
bool StopUrgent();
// The settings are safe: a console handler waiting for that may let the process end.
void ReportStopped();

}  // namespace spwplay
