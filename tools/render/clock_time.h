#pragma once
// Times as people write them in a session: seconds ("90", "12.5"), minutes and
// seconds ("1:30", "1:30.5") or hours, minutes and seconds ("1:05:00"). Decimal
// digits only; minutes and seconds after a colon are two digits below 60.

#include <string>

namespace spwrender {

// Reads text as a time in seconds. False when it is not one of the forms above.
bool ParseClockTime(const std::string& text, double* seconds);

// Seconds as "m:ss" or "h:mm:ss", with tenths when there are any ("1:30", "0:12.5").
std::string FormatClockTime(double seconds);

}  // namespace spwrender
