#pragma once
// The X11 names both sides of the editor's window use (the editor here, the
// window driver of the tools): pointer buttons and the key symbols of
// keysymdef.h that the editor reads.

#include <cstdint>

namespace x11 {

// Pointer buttons.
constexpr uint8_t kLeftButton = 1;
constexpr uint8_t kRightButton = 3;
constexpr uint8_t kWheelUp = 4;
constexpr uint8_t kWheelDown = 5;

// Key symbols. Latin-1 characters (0x20..0x7E) are their own symbols.
constexpr uint32_t kFirstPrintable = 0x20;
constexpr uint32_t kLastPrintable = 0x7E;
constexpr uint32_t kBackSpace = 0xFF08;
constexpr uint32_t kReturn = 0xFF0D;
constexpr uint32_t kEscape = 0xFF1B;
constexpr uint32_t kLeftArrow = 0xFF51;
constexpr uint32_t kUpArrow = 0xFF52;
constexpr uint32_t kRightArrow = 0xFF53;
constexpr uint32_t kDownArrow = 0xFF54;
constexpr uint32_t kKeypadEnter = 0xFF8D;
constexpr uint32_t kKeypadSubtract = 0xFFAD;
constexpr uint32_t kKeypadDecimal = 0xFFAE;
constexpr uint32_t kKeypadZero = 0xFFB0;
constexpr uint32_t kKeypadNine = 0xFFB9;
constexpr uint32_t kShiftLeft = 0xFFE1;

}  // namespace x11
