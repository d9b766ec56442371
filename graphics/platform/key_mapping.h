#pragma once
// The key code of a typed character, shared by the window systems whose key
// codes are characters for these keys (Win32 virtual keys, X11 key symbols).

#include "key_code.h"

// Space, digits and letters of either case; false for every other character.
inline bool KeyForCharacter(int ch, EKey* key) {
  if (ch == ' ') {
    *key = EKey::Space;
  } else if (ch >= '0' && ch <= '9') {
    *key = DigitKey(ch - '0');
  } else if (ch >= 'A' && ch <= 'Z') {
    *key = LetterKey(static_cast<char>(ch));
  } else if (ch >= 'a' && ch <= 'z') {
    *key = LetterKey(static_cast<char>(ch - 'a' + 'A'));
  } else {
    return false;
  }
  return true;
}
