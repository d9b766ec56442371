// The main window's messages turned into IGraphics dispatch.

#include "graphics_win.h"

#include <windowsx.h>

#include "key_mapping.h"

namespace {

constexpr int kWheelNotch = WHEEL_DELTA;  // 120 units per notch

// Sent when the window (or, for a child window, its top-level parent) moves to a monitor
// of another DPI; older headers lack them.
constexpr UINT kDpiChanged = 0x02E0;             // WM_DPICHANGED
constexpr UINT kDpiChangedAfterParent = 0x02E3;  // WM_DPICHANGED_AFTERPARENT

IMouseKeys KeysFrom(WPARAM flags) {
  IMouseKeys keys;
  keys.left = (flags & MK_LBUTTON) != 0;
  keys.right = (flags & MK_RBUTTON) != 0;
  keys.shift = (flags & MK_SHIFT) != 0;
  keys.control = (flags & MK_CONTROL) != 0;
  keys.alt = GetKeyState(VK_MENU) < 0;
  return keys;
}

IMouseKeys ModifiersNow() {
  IMouseKeys keys;
  keys.shift = GetKeyState(VK_SHIFT) < 0;
  keys.control = GetKeyState(VK_CONTROL) < 0;
  keys.alt = GetKeyState(VK_MENU) < 0;
  return keys;
}

bool KeyForVirtualKey(WPARAM vk, EKey* key) {
  switch (vk) {
    case VK_UP: *key = EKey::Up; return true;
    case VK_DOWN: *key = EKey::Down; return true;
    case VK_LEFT: *key = EKey::Left; return true;
    case VK_RIGHT: *key = EKey::Right; return true;
    case VK_ESCAPE: *key = EKey::Escape; return true;
    default: break;
  }
  // Space, digit and letter keys have their (upper-case) character as virtual key.
  return (vk == VK_SPACE || (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) &&
         KeyForCharacter(static_cast<int>(vk), key);
}

POINT CursorIn(HWND hwnd) {
  POINT p = {};
  GetCursorPos(&p);
  ScreenToClient(hwnd, &p);
  return p;
}

}  // namespace

LRESULT IGraphicsWin::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (msg) {
    case WM_CREATE:
      SetTimer(window_, kRedrawTimerId, static_cast<UINT>(kMillisecondsPerSecond / FrameRate()), nullptr);
      SetFocus(window_);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_TIMER:
      if (wParam == kRedrawTimerId) Tick();
      return 0;
    case WM_CLOSE:
      CloseEditorWindow();
      return 0;
    case WM_NCDESTROY:
      ForgetWindow();
      return 0;
    case WM_MOUSEACTIVATE:
      // Keys come here, unless a click goes into the open entry box, which keeps them.
      if (!entry_.IsOpen()) SetFocus(window_);
      return MA_ACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:  // a quick second right press is a press too
      Press(x, y, KeysFrom(wParam), msg != WM_LBUTTONDOWN);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      Release(x, y, KeysFrom(wParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      entry_.PressElsewhere(*this, false);
      if (MouseDoubleClick(x, y, KeysFrom(wParam))) SetCapture(window_);
      return 0;
    case WM_MOUSEMOVE:
      if (wParam & (MK_LBUTTON | MK_RBUTTON)) {
        if (GetCapture() == window_) MouseDrag(x, y, KeysFrom(wParam));
      } else if (MouseOver(x, y, KeysFrom(wParam))) {
        TrackLeave();
      }
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse while a button was held here.
      if (reinterpret_cast<HWND>(lParam) != window_) MouseCaptureLost();
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      MouseOut();
      return 0;
    case WM_MOUSEWHEEL: {
      POINT p = {x, y};  // screen coordinates
      ScreenToClient(window_, &p);
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / kWheelNotch;
      // Less than a notch moves nothing, so no gesture is begun for it.
      if (notches != 0) MouseWheel(p.x, p.y, KeysFrom(GET_KEYSTATE_WPARAM(wParam)), notches);
      return 0;
    }
    case WM_KEYDOWN: {
      EKey key;
      if (KeyForVirtualKey(wParam, &key)) {
        const POINT p = CursorIn(window_);
        KeyDown(p.x, p.y, key);
      }
      return 0;
    }
    case kDpiChanged:
    case kDpiChangedAfterParent:
      FollowWindowDpi();
      return 0;
    case WM_COMMAND:
      // The drop-down list of an entry reports a choice.
      if (HIWORD(wParam) == CBN_SELCHANGE && LOWORD(wParam) == kEntryId && entry_.IsOpen()) entry_.Commit();
      return 0;
    default:
      return DefWindowProcW(window_, msg, wParam, lParam);
  }
}

void IGraphicsWin::Press(int x, int y, const IMouseKeys& keys, bool right) {
  if (!entry_.PressElsewhere(*this, right)) return;
  SetCapture(window_);
  MouseDown(x, y, keys);
}

void IGraphicsWin::Release(int x, int y, const IMouseKeys& keys) {
  // The control hears the release before the capture goes, so losing the capture
  // here is not taken for a lost one.
  MouseUp(x, y, keys);
  if (GetCapture() == window_) ReleaseCapture();
}

void IGraphicsWin::TrackLeave() {
  if (trackingLeave_) return;
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window_;
  trackingLeave_ = TrackMouseEvent(&track) != 0;
}

bool IGraphicsWin::HostMouseWheel(float distance) {
  if (!window_) return false;
  POINT screen = {};
  GetCursorPos(&screen);
  if (WindowFromPoint(screen) != window_) return false;
  const POINT p = CursorIn(window_);
  MouseWheel(p.x, p.y, ModifiersNow(), static_cast<int>(distance));
  return true;
}
