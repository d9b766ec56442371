#pragma once
// Keys passed to the controls: space, arrows, digits and letters (5 is unused),
// and Escape, which closes an open popup menu.

enum class EKey : int {
  Space = 0,
  Up = 1,
  Down = 2,
  Left = 3,
  Right = 4,
  Digit0 = 6,    // '0'..'9' are 6..15
  LetterA = 16,  // 'A'..'Z' are 16..41
  Escape = 42,
};

inline EKey DigitKey(int digit) { return static_cast<EKey>(static_cast<int>(EKey::Digit0) + digit); }
inline EKey LetterKey(char upper) { return static_cast<EKey>(static_cast<int>(EKey::LetterA) + (upper - 'A')); }
