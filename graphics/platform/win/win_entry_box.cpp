#include "win_entry_box.h"

#include "graphics_win.h"
#include "win_text.h"

WinEntryBox::WinEntryBox(HWND hwnd, HFONT font, bool isEdit, ValueEntry& entry)
    : hwnd_(hwnd), font_(font), isEdit_(isEdit), entry_(entry) {}

WinEntryBox::~WinEntryBox() {
  if (hwnd_) DestroyWindow(hwnd_);  // WM_NCDESTROY restores the procedure and clears hwnd_
  if (font_) DeleteObject(font_);
}

std::unique_ptr<WinEntryBox> WinEntryBox::Create(HWND parent, const wchar_t* windowClass, const IArea& rect,
                                                 DWORD style, HFONT font, ValueEntry& entry) {
  HWND hwnd = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                              rect.W(), rect.H(), parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IGraphicsWin::kEntryId)),
                              reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (!hwnd) {
    if (font) DeleteObject(font);
    return nullptr;
  }
  std::unique_ptr<WinEntryBox> box(new WinEntryBox(hwnd, font, std::wcscmp(windowClass, L"EDIT") == 0, entry));
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return box;
}

std::unique_ptr<WinEntryBox> WinEntryBox::Edit(HWND parent, const IArea& rect, DWORD style,
                                               const std::string& text, HFONT font, ValueEntry& entry) {
  auto box = Create(parent, L"EDIT", rect, WS_BORDER | style, font, entry);
  if (!box) return nullptr;
  SetWindowTextW(box->hwnd_, Widen(text.c_str()).c_str());
  SendMessageW(box->hwnd_, EM_SETSEL, 0, -1);
  box->Show();
  return box;
}

std::unique_ptr<WinEntryBox> WinEntryBox::List(HWND parent, const IArea& rect,
                                               const std::vector<std::string>& texts, int selected,
                                               HFONT font, ValueEntry& entry) {
  auto box = Create(parent, L"COMBOBOX", rect, CBS_DROPDOWNLIST | WS_VSCROLL, font, entry);
  if (!box) return nullptr;
  for (const std::string& text : texts) {
    SendMessageW(box->hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text.c_str()).c_str()));
  }
  SendMessageW(box->hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  box->Show();
  return box;
}

void WinEntryBox::Show() {
  // Focused before it is subclassed: the entry starts in no state, not typing.
  SetFocus(hwnd_);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinEntryBox::Proc)));
}

std::string WinEntryBox::Text() const {
  if (!hwnd_) return std::string();
  // Sized by the window's own length: any text fits, and nothing is read past it.
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd_, &text[0], length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return Narrow(text.c_str());
}

LRESULT WinEntryBox::Previous(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcW(previous_, hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK WinEntryBox::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<WinEntryBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!box || box->hwnd_ != hwnd) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return box->Handle(msg, wParam, lParam);
}

LRESULT WinEntryBox::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    const WNDPROC previous = previous_;
    HWND hwnd = hwnd_;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
  }
  // A box being closed (no longer the entry's) only finishes its own business.
  if (entry_.OpenBox() != this) return Previous(msg, wParam, lParam);
  switch (msg) {
    case WM_KILLFOCUS:
      entry_.FocusLost();
      break;
    case WM_SETFOCUS:
      entry_.Typing();
      break;
    case WM_GETDLGCODE: {
      LRESULT code = Previous(msg, wParam, lParam);
      const MSG* m = reinterpret_cast<const MSG*>(lParam);
      // A text control's entry keeps Return from a host's dialog handling.
      if (!entry_.Param() && m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        if (isEdit_) SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(-1), 0);
        entry_.Commit();
        return 0;
      }
      entry_.Typing();
      break;
    case WM_CHAR:
      // The Return that committed must not also become a new line of a multi-line box.
      if (wParam == L'\r' || wParam == L'\n') return 0;
      break;
    default:
      break;
  }
  return Previous(msg, wParam, lParam);
}
