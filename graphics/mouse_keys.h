#pragma once
// Mouse buttons and modifier keys held during a mouse event.

struct IMouseKeys {
  bool left = false, right = false, shift = false, control = false, alt = false;
};
