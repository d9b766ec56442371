// The host window on Windows: a titled top-level window the person cannot resize
// (the editor decides its size). WM_CLOSE
// (the close button, Alt-F4) is reported, not obeyed: the host destroys the window
// once the editor inside it has gone.

#include <windows.h>

#include <string>

#include "host_frame.h"
#include "host_window.h"

namespace spwwin {
namespace {

constexpr wchar_t kWindowClass[] = L"SpwHostWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

class WinHostWindow : public HostWindow {
 public:
  explicit WinHostWindow(HWND window) : window_(window) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    frame_.FollowResizes([this](int w, int h) { Resize(w, h); });
  }
  ~WinHostWindow() override {
    DestroyWindow(window_);
    UnregisterClassW(kWindowClass, GetModuleHandleW(nullptr));
  }

  void* ParentHandle() const override { return window_; }
  const char* PlatformType() const override { return Steinberg::kPlatformTypeHWND; }
  Steinberg::IPlugFrame* Frame() override { return &frame_; }
  void Pump(int ms) override {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    for (;;) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      const ULONGLONG now = GetTickCount64();
      if (now >= end) return;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
  }
  bool CloseRequested() const override { return closeRequested_; }
  void Resize(int width, int height) override {
    const SIZE outer = OuterSize(width, height);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Windows tells the editor's own window its DPI.
  double DesktopScale() const override { return 0.0; }

  // The window's size for an inside of width x height.
  static SIZE OuterSize(int width, int height) {
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WinHostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_CLOSE) {
      if (self) self->closeRequested_ = true;
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

 private:
  HWND window_;
  bool closeRequested_ = false;
  HostFrame frame_;
};

std::wstring Wide(const std::string& text) {
  std::wstring wide;
  for (unsigned char c : text) wide.push_back(static_cast<wchar_t>(c));
  return wide;
}

}  // namespace

std::unique_ptr<HostWindow> HostWindow::Create(int width, int height, const std::string& title, std::string* error) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WinHostWindow::Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);
  // The editor fills the client area: the window is that much larger than it.
  const SIZE outer = WinHostWindow::OuterSize(width, height);
  HWND window = CreateWindowExW(0, kWindowClass, Wide(title).c_str(), kStyle | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.cx, outer.cy, nullptr, nullptr, instance, nullptr);
  if (!window) {
    if (error) *error = "cannot make a window (is there a display? or play with --no-window)";
    return nullptr;
  }
  return std::make_unique<WinHostWindow>(window);
}

}  // namespace spwwin
