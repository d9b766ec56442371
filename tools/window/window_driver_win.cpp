// The window driver on Windows: a top-level parent window, input posted to the
// editor's window as mouse and key messages, and the picture copied with BitBlt
// from the editor window's device context.

#include <windows.h>

#include "host_frame.h"
#include "window_driver.h"

namespace spwwin {
namespace {

constexpr wchar_t kParentClass[] = L"SpwHostParent";
constexpr wchar_t kEditorClass[] = L"IEffectWndClass";
constexpr uint32_t kOpaque = 0xFF000000u;
constexpr LPARAM kKeyUpBits = static_cast<LPARAM>(0xC0000000u);  // previous state down, transition up

LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class WinDriver : public WindowDriver {
 public:
  WinDriver(HWND parent) : parent_(parent) {}
  ~WinDriver() override;

  void* ParentHandle() const override { return parent_; }
  const char* PlatformType() const override { return Steinberg::kPlatformTypeHWND; }
  HostFrame* Frame() override { return &frame_; }
  void* EditorWindow() override { return Editor(); }
  void DestroyParent() override;
  void Pump(int ms) override;

  void Move(int x, int y) override;
  void Press(int x, int y, Button button) override;
  void Release(int x, int y, Button button) override;
  void Wheel(int x, int y, int notches) override;
  void Type(const std::string& text) override;
  void PressReturn() override;
  Picture Capture() override;

 private:
  HWND Editor() const { return parent_ ? FindWindowExW(parent_, nullptr, kEditorClass, nullptr) : nullptr; }
  WPARAM Held() const { return held_; }
  void PostKey(HWND target, WPARAM virtualKey);
  void Dispatch();  // every message queued now

  HWND parent_;
  HostFrame frame_;
  WPARAM held_ = 0;  // MK_ flags of the buttons pressed and not released
};

WinDriver::~WinDriver() {
  DestroyParent();
  UnregisterClassW(kParentClass, GetModuleHandleW(nullptr));
}

void WinDriver::DestroyParent() {
  if (!parent_) return;
  DestroyWindow(parent_);
  parent_ = nullptr;
}

void WinDriver::Dispatch() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void WinDriver::Pump(int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  for (;;) {
    Dispatch();
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

void WinDriver::Move(int x, int y) {
  // The cursor really goes there, so the editor's leave tracking agrees with the message.
  HWND editor = Editor();
  POINT screen = {x, y};
  ClientToScreen(editor, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageW(editor, WM_MOUSEMOVE, Held(), Point(x, y));
}

void WinDriver::Press(int x, int y, Button button) {
  Move(x, y);
  const bool left = button == Button::kLeft;
  held_ |= left ? MK_LBUTTON : MK_RBUTTON;
  PostMessageW(Editor(), left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, Held(), Point(x, y));
}

void WinDriver::Release(int x, int y, Button button) {
  const bool left = button == Button::kLeft;
  held_ &= ~static_cast<WPARAM>(left ? MK_LBUTTON : MK_RBUTTON);
  PostMessageW(Editor(), left ? WM_LBUTTONUP : WM_RBUTTONUP, Held(), Point(x, y));
}

void WinDriver::Wheel(int x, int y, int notches) {
  HWND editor = Editor();
  POINT screen = {x, y};
  ClientToScreen(editor, &screen);
  const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(Held()), static_cast<WORD>(notches * WHEEL_DELTA));
  PostMessageW(editor, WM_MOUSEWHEEL, wParam, Point(screen.x, screen.y));
}

void WinDriver::PostKey(HWND target, WPARAM virtualKey) {
  // As the keyboard sends them: the message loop's TranslateMessage makes the characters.
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | scan);
  PostMessageW(target, WM_KEYUP, virtualKey, 1 | scan | kKeyUpBits);
  // A key's character is posted behind what is queued already: each key is served
  // before the next, so the characters keep the keys' order, as a keyboard's do.
  Dispatch();
}

void WinDriver::Type(const std::string& text) {
  // The keys go where a person's would: the window with the keyboard focus.
  HWND focus = GetFocus();
  for (unsigned char ch : text) PostKey(focus, static_cast<WPARAM>(VkKeyScanW(ch) & 0xFF));
}

void WinDriver::PressReturn() { PostKey(GetFocus(), VK_RETURN); }

Picture WinDriver::Capture() {
  Picture picture;
  HWND editor = Editor();
  RECT client;
  if (!editor || !GetClientRect(editor, &client)) return picture;
  const int w = client.right, h = client.bottom;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(editor);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory && dib && bits) {
    HGDIOBJ previous = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    picture.width = w;
    picture.height = h;
    picture.pixels.assign(pixels, pixels + static_cast<size_t>(w) * static_cast<size_t>(h));
    for (uint32_t& pixel : picture.pixels) pixel |= kOpaque;
    SelectObject(memory, previous);
  }
  if (dib) DeleteObject(dib);
  if (memory) DeleteDC(memory);
  ReleaseDC(editor, screen);
  return picture;
}

}  // namespace

std::unique_ptr<WindowDriver> WindowDriver::Create(int width, int height, std::string* error, Embedding) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kParentClass;
  RegisterClassExW(&wc);
  HWND parent = CreateWindowExW(0, kParentClass, L"spw host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                                height, nullptr, nullptr, instance, nullptr);
  if (!parent) {
    if (error) *error = "cannot make a window (is there a display?)";
    return nullptr;
  }
  return std::make_unique<WinDriver>(parent);
}

}  // namespace spwwin
