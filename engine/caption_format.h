#pragma once
// Frequency captions ("%.2fHz") written without the C library's formatter, so
// that captions set from the audio thread never allocate.

#include <cstddef>

constexpr std::size_t kHzCaptionSize = 32;  // room for any float as "%.2fHz", terminator included

// Writes hz with two decimals followed by "Hz", rounded exactly as printf's
// "%.2f" rounds (to nearest, ties to even on the exact binary value); out
// holds kHzCaptionSize bytes. Values beyond +-1e15 Hz are written as "---".
// [any thread]
void FormatHzCaption(float hz, char* out) noexcept;
