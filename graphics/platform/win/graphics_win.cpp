#include "graphics_win.h"

#include "effect_base.h"
#include "raster_sys_bitmap.h"

namespace {

constexpr wchar_t kWindowTitle[] = L"IEffect";

// The module that holds this code: the plug-in's DLL, or the program it is linked into.
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

RECT ToRect(const IArea& area) { return RECT{area.left, area.top, area.right, area.bottom}; }

constexpr double kStandardDpi = 96.0;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// GetDpiForWindow where the system has it (Windows 10 1607 on), else null.
GetDpiForWindowFunction DpiForWindow() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
  return reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

IGraphicsWin::IGraphicsWin(IEffectBase* plug, int width, int height, int frameRate)
    : IGraphics(plug, width, height, frameRate), instance_(ThisModule()) {}

IGraphicsWin::~IGraphicsWin() {
  CloseEditorWindow();
  // A window the host destroyed leaves the class registered until a close or this.
  UnregisterWindowClass();
}

// ---------------------------------------------------------------- window

bool IGraphicsWin::RegisterWindowClass() const {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &IGraphicsWin::WindowProc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kWindowClass;
  // Another editor of this module may have it registered already.
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  return RegisterClassExW(&wc) != 0 || GetClassInfoExW(instance_, kWindowClass, &existing) != 0;
}

void IGraphicsWin::UnregisterWindowClass() const {
  // Refused while another editor's window of the class exists: the last one out unregisters.
  UnregisterClassW(kWindowClass, instance_);
}

void* IGraphicsWin::OpenEditorWindow(void* parent) {
  HWND parentWindow = static_cast<HWND>(parent);
  RECT place = {0, 0, DeviceWidth(), DeviceHeight()};
  if (window_) {
    // A window moving to a new parent keeps its place and size there.
    GetWindowRect(window_, &place);
    MapWindowPoints(HWND_DESKTOP, parentWindow, reinterpret_cast<POINT*>(&place), 2);
    CloseEditorWindow();
  }
  if (!parentWindow || !RegisterWindowClass()) return nullptr;
  CreateWindowExW(0, kWindowClass, kWindowTitle, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place.left,
                  place.top, place.right - place.left, place.bottom - place.top, parentWindow, nullptr,
                  instance_, this);
  if (!window_) {
    UnregisterWindowClass();
    return nullptr;
  }
  FollowWindowDpi();
  RedrawAll();
  return window_;
}

double IGraphicsWin::WindowDpiScale() const {
  static const GetDpiForWindowFunction dpiForWindow = DpiForWindow();
  const UINT dpi = dpiForWindow && window_ ? dpiForWindow(window_) : 0;
  return dpi > 0 ? dpi / kStandardDpi : 0.0;
}

void IGraphicsWin::FollowWindowDpi() {
  if (HostScaleKnown()) return;  // the host's word counts
  const double scale = WindowDpiScale();
  if (scale > 0.0) SetSystemScale(scale);
}

void IGraphicsWin::ResizeWindowToScale() {
  if (!window_) return;
  RECT client;
  GetClientRect(window_, &client);
  ResizeWindows(DeviceWidth() - (client.right - client.left), DeviceHeight() - (client.bottom - client.top));
}

void IGraphicsWin::CloseEditorWindow() {
  if (!window_) return;
  DestroyWindow(window_);  // WM_NCDESTROY forgets it
  UnregisterWindowClass();
}

void IGraphicsWin::ForgetWindow() {
  EndHeldInput();
  // Work waiting for the redraw timer must not wait for a timer that is gone.
  if (Plug()) Plug()->EditorClosed();
  entry_.Close();  // the box died with its parent
  KillTimer(window_, kRedrawTimerId);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
  paintDc_ = nullptr;
  trackingLeave_ = false;
}

void IGraphicsWin::Resize(int width, int height) {
  IGraphics::Resize(width, height);
  ResizeWindowToScale();
}

void IGraphicsWin::ResizeWindows(int dw, int dh) {
  // The window, and up to two parents that are plain child windows (a host's frame
  // around the editor), grow or shrink by the same amount; positions stay.
  HWND hwnd = window_;
  for (int level = 0; level < 3 && hwnd; ++level) {
    RECT r;
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    if (!(style & WS_CHILD) || (exStyle & WS_EX_MDICHILD)) break;
    hwnd = GetParent(hwnd);
  }
  InvalidateRect(window_, nullptr, FALSE);
}

// ---------------------------------------------------------------- painting

bool IGraphicsWin::PaintToWindow(const IArea& rect) {
  RasterSysBitmap* surface = SystemSurface();
  if (!window_ || !surface || !surface->DeviceContext()) return false;
  HDC dc = paintDc_ ? paintDc_ : GetDC(window_);
  if (!dc) return false;
  BitBlt(dc, rect.left, rect.top, rect.W(), rect.H(), surface->DeviceContext(), rect.left, rect.top, SRCCOPY);
  if (!paintDc_) ReleaseDC(window_, dc);
  return true;
}

void IGraphicsWin::Paint() {
  // The paint is validated even when nothing is drawn (no controls), so no WM_PAINT repeats.
  PAINTSTRUCT ps;
  paintDc_ = BeginPaint(window_, &ps);
  const IArea update = ToEditor(IArea(ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom));
  if (paintDc_ && update.W() > 0 && update.H() > 0) Draw(update);
  EndPaint(window_, &ps);
  paintDc_ = nullptr;
}

void IGraphicsWin::Tick() {
  entry_.Apply(*this);
  RedrawTick([this](const IArea& area) {
    const RECT r = ToRect(ToDevice(area));
    InvalidateRect(window_, &r, FALSE);
    UpdateWindow(window_);
  });
}

// ---------------------------------------------------------------- messages

LRESULT CALLBACK IGraphicsWin::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* graphics = static_cast<IGraphicsWin*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    graphics->window_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(graphics));
  }
  auto* graphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!graphics || graphics->window_ != hwnd) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return graphics->HandleMessage(msg, wParam, lParam);
}
