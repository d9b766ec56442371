// The host window on Windows: a titled top-level window the person cannot resize
// (the editor decides its size). WM_CLOSE
// (the close button, Alt-F4) is reported, not obeyed: the host destroys the window
// once the editor inside it has gone. The editor sits in a child window, below the
// strip when there is one; the strip's panel is a child window above it while open.

#include <windows.h>

#include <string>

#include "host_frame.h"
#include "host_window.h"
#include "strip_host.h"

namespace spwwin {
namespace {

constexpr wchar_t kWindowClass[] = L"SpwHostWindow";
constexpr wchar_t kPanelClass[] = L"SpwHostPanel";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

// The arrow keys' virtual keys, by the host's names for them.
bool ArrowOf(WPARAM virtualKey, ArrowKey* key) {
  switch (virtualKey) {
    case VK_LEFT: *key = ArrowKey::kLeft; return true;
    case VK_UP: *key = ArrowKey::kUp; return true;
    case VK_RIGHT: *key = ArrowKey::kRight; return true;
    case VK_DOWN: *key = ArrowKey::kDown; return true;
    default: return false;
  }
}

// The editor's own entry boxes (a text box, a drop-down list) move through their
// text or list with the arrow keys.
bool IsEntryBox(HWND window) {
  wchar_t name[16] = {};
  return GetClassNameW(window, name, 16) > 0 && (lstrcmpiW(name, L"Edit") == 0 || lstrcmpiW(name, L"ComboBox") == 0);
}

// Copies picture to the window's inside at its top-left corner.
void Paint(HWND window, const RasterBitmap& picture) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (picture.Pixels()) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.RowSpan();
    info.bmiHeader.biHeight = -picture.Height();  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(picture.Width()), static_cast<DWORD>(picture.Height()), 0, 0, 0,
                      static_cast<UINT>(picture.Height()), picture.Pixels(), &info, DIB_RGB_COLORS);
  }
  EndPaint(window, &paint);
}

class WinHostWindow : public HostWindow {
 public:
  WinHostWindow(HWND window, int width, int height) : window_(window), editorWidth_(width), editorHeight_(height) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editorParent_ = CreateWindowExW(0, L"STATIC", L"", kChildStyle | WS_VISIBLE, 0, 0, width, height, window_,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    frame_.FollowResizes([this](int w, int h) { Resize(w, h); });
  }
  ~WinHostWindow() override {
    DestroyWindow(window_);
    UnregisterClassW(kWindowClass, GetModuleHandleW(nullptr));
    UnregisterClassW(kPanelClass, GetModuleHandleW(nullptr));
  }

  void* ParentHandle() const override { return editorParent_; }
  const char* PlatformType() const override { return Steinberg::kPlatformTypeHWND; }
  Steinberg::IPlugFrame* Frame() override { return &frame_; }
  void Pump(int ms) override {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    for (;;) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (TakenByStrip(msg)) continue;
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
    editorWidth_ = width;
    editorHeight_ = height;
    const int top = strip_.Layout(width, height);
    const SIZE outer = OuterSize(width, top + height);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(editorParent_, nullptr, 0, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (panel_) SetWindowPos(panel_, HWND_TOP, 0, top, width, height, SWP_NOACTIVATE);
    RedrawStrip();
  }
  // Windows tells the editor's own window its DPI.
  double DesktopScale() const override { return 0.0; }
  void ShowStrip(WindowStrip* strip, Steinberg::IPlugView* view) override {
    strip_.Show(strip, view);
    panel_ = CreateWindowExW(0, kPanelClass, L"", kChildStyle, 0, 0, editorWidth_, editorHeight_, window_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(panel_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Resize(editorWidth_, editorHeight_);
  }
  void RedrawStrip() override {
    if (!strip_.Shown()) return;
    strip_.Draw();
    RECT top = {0, 0, editorWidth_, strip_.Height()};
    InvalidateRect(window_, &top, FALSE);
    if (strip_.PanelOpen()) {
      SetWindowPos(panel_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      InvalidateRect(panel_, nullptr, FALSE);
    } else {
      ShowWindow(panel_, SW_HIDE);
    }
  }

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
    if (self && self->Handle(hwnd, message, lParam)) return 0;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

 private:
  bool Handle(HWND hwnd, UINT message, LPARAM lParam) {
    WindowStrip* strip = strip_.Strip();
    if (!strip) return false;
    const bool panel = hwnd == panel_;
    if (message == WM_PAINT) {
      Paint(hwnd, panel ? strip_.PanelPicture() : strip_.StripPicture());
      return true;
    }
    if (message != WM_LBUTTONDOWN) return false;
    const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    if (panel) {
      strip->PressPanel(x, y);
    } else if (y < strip_.Height()) {
      strip->PressStrip(x, y);
    }
    RedrawStrip();
    return true;
  }

  // The arrow keys pressed anywhere in the window but in an entry box of the
  // editor's, and the wheel over the open panel (Windows
  // sends it to the window with the focus), go to the strip.
  bool TakenByStrip(const MSG& msg) {
    if (!strip_.Shown() || (msg.hwnd != window_ && !IsChild(window_, msg.hwnd))) return false;
    ArrowKey key;
    if (msg.message == WM_KEYDOWN && ArrowOf(msg.wParam, &key) && !IsEntryBox(msg.hwnd)) {
      strip_.Key(key);
    } else if (msg.message == WM_MOUSEWHEEL && strip_.PanelOpen()) {
      strip_.Strip()->WheelPanel(GET_WHEEL_DELTA_WPARAM(msg.wParam) / WHEEL_DELTA);
    } else {
      return false;
    }
    RedrawStrip();
    return true;
  }

  HWND window_;
  HWND editorParent_ = nullptr;
  HWND panel_ = nullptr;
  int editorWidth_, editorHeight_;
  bool closeRequested_ = false;
  StripHost strip_;
  HostFrame frame_;
};

std::wstring Wide(const std::string& text) {
  std::wstring wide;
  for (unsigned char c : text) wide.push_back(static_cast<wchar_t>(c));
  return wide;
}

void RegisterClass(const wchar_t* name, HBRUSH background) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WinHostWindow::Procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

}  // namespace

std::unique_ptr<HostWindow> HostWindow::Create(int width, int height, const std::string& title, std::string* error) {
  RegisterClass(kWindowClass, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RegisterClass(kPanelClass, nullptr);
  // The editor fills the client area: the window is that much larger than it.
  const SIZE outer = WinHostWindow::OuterSize(width, height);
  HWND window = CreateWindowExW(0, kWindowClass, Wide(title).c_str(), kStyle | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.cx, outer.cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) {
    if (error) *error = "cannot make a window (is there a display? or play with --no-window)";
    return nullptr;
  }
  return std::make_unique<WinHostWindow>(window, width, height);
}

}  // namespace spwwin
