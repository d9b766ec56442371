#pragma once
// The Win32 edit box or drop-down list of a typed entry: a child of the editor
// window (id IGraphicsWin::kEntryId), subclassed so that its keys and focus
// drive the entry's state machine. It owns its font and deletes it when it goes;
// a box whose window died with its parent only deletes the font.
//
// Threads: the window's thread.

#include <memory>
#include <string>
#include <vector>

#include "value_entry.h"

#include <windows.h>

class WinEntryBox : public ValueEntry::Box {
 public:
  // An edit box of class "EDIT" with style (ES_ flags added to child | visible | border)
  // holding text, all of it selected. Takes font; null on failure.
  static std::unique_ptr<WinEntryBox> Edit(HWND parent, const IArea& rect, DWORD style,
                                           const std::string& text, HFONT font, ValueEntry& entry);
  // A drop-down list of texts with selected chosen (-1: none). Takes font; null on failure.
  static std::unique_ptr<WinEntryBox> List(HWND parent, const IArea& rect, const std::vector<std::string>& texts,
                                           int selected, HFONT font, ValueEntry& entry);
  ~WinEntryBox() override;
  WinEntryBox(const WinEntryBox&) = delete;
  WinEntryBox& operator=(const WinEntryBox&) = delete;

  // The whole window text, however long.
  std::string Text() const override;
  HWND Handle() const { return hwnd_; }

 private:
  WinEntryBox(HWND hwnd, HFONT font, bool isEdit, ValueEntry& entry);
  static std::unique_ptr<WinEntryBox> Create(HWND parent, const wchar_t* windowClass, const IArea& rect,
                                             DWORD style, HFONT font, ValueEntry& entry);
  void Show();
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Previous(UINT msg, WPARAM wParam, LPARAM lParam) const;

  HWND hwnd_;
  HFONT font_;
  bool isEdit_;
  ValueEntry& entry_;
  WNDPROC previous_ = nullptr;
};
