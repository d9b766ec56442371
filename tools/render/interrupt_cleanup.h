#pragma once
// Files to remove should the renderer be interrupted (Ctrl-C, SIGTERM, SIGHUP)
// while writing them: a render stopped half way must not leave a large temporary
// file behind. After the removal the signal ends the program as it would have.

#include <string>

namespace spwrender {

// Registers path for removal on interruption. Returns a ticket for ForgetOnInterrupt,
// or -1 when it cannot be registered (too many at once, or a path beyond 4095 bytes).
int RemoveOnInterrupt(const std::string& path);
// The file is gone or in its final place: an interruption leaves it alone.
void ForgetOnInterrupt(int ticket);

}  // namespace spwrender
