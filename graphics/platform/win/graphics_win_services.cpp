// The system services of the Windows editor: folders, file and colour dialogs,
// the web browser and the module's images.

#include "graphics_win.h"

#include <commdlg.h>
#include <shellapi.h>

#include <sstream>

#include "module_image.h"
#include "win_text.h"

namespace {

constexpr DWORD kModuleNameSize = 256;  // characters
constexpr int kFileNameSize = 256;      // characters, with the terminator
constexpr INT_PTR kShellSuccess = 32;   // ShellExecute results above this are success
constexpr wchar_t kFileDialogTitle[] = L"Select audio sample";

// The folder of a module's file name with its trailing backslash; empty when there is
// none, or when the name ends in one.
std::string FolderOf(HMODULE module) {
  wchar_t name[kModuleNameSize + 1] = {};
  const DWORD length = GetModuleFileNameW(module, name, kModuleNameSize);
  if (length == 0 || length >= kModuleNameSize) return std::string();
  std::wstring path(name, length);
  const size_t cut = path.find_last_of(L'\\');
  if (cut == std::wstring::npos || cut + 1 == path.size()) return std::string();
  return Narrow(path.substr(0, cut + 1).c_str());
}

// "*.wav;*.aif" from "wav aif".
std::wstring FilterPattern(const char* extensions, std::wstring* firstExtension) {
  std::istringstream words(extensions ? extensions : "");
  std::string word;
  std::wstring pattern;
  while (words >> word) {
    if (pattern.empty()) *firstExtension = Widen(word.c_str());
    if (!pattern.empty()) pattern += L';';
    pattern += L"*." + Widen(word.c_str());
  }
  return pattern;
}

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    const auto* choose = reinterpret_cast<const CHOOSECOLORW*>(lParam);
    SetWindowTextW(dialog, reinterpret_cast<const wchar_t*>(choose->lCustData));
  }
  return 0;
}

}  // namespace

void IGraphicsWin::HostFolder(std::string& out) { out = FolderOf(nullptr); }

void IGraphicsWin::ModuleFolder(std::string& out) { out = FolderOf(instance_); }

void IGraphicsWin::AskForFile(std::string& path, int action, const char* folder, const char* extensions) {
  const std::string given = path;
  path.clear();
  if (!window_) return;
  wchar_t file[kFileNameSize] = {};
  const std::wstring wideGiven = Widen(given.c_str()).substr(0, kFileNameSize - 1);
  wideGiven.copy(file, wideGiven.size());
  std::wstring defaultExtension;
  const std::wstring pattern = FilterPattern(extensions, &defaultExtension);
  // Description and pattern are the same text, each terminated, the list doubly so.
  std::wstring filter = pattern + L'\0' + pattern + L'\0' + L'\0';
  const std::wstring initialFolder = Widen(folder);
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_;
  ofn.lpstrFilter = pattern.empty() ? nullptr : filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = kFileNameSize;
  ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  ofn.lpstrTitle = kFileDialogTitle;
  ofn.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  const bool saving = action == 1;
  if (saving) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (saving ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn)) path = Narrow(file);
}

bool IGraphicsWin::AskForColour(IRgba& colour, const char* caption) {
  if (!window_) return false;
  const std::wstring title = Widen(caption);
  CHOOSECOLORW choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = window_;
  choose.rgbResult = RGB(colour.R, colour.G, colour.B);
  choose.lpCustColors = customColours_.data();
  choose.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_SOLIDCOLOR | CC_RGBINIT | CC_ENABLEHOOK;
  choose.lCustData = reinterpret_cast<LPARAM>(title.c_str());
  choose.lpfnHook = &ColourDialogHook;
  if (!ChooseColorW(&choose)) return false;
  colour.R = GetRValue(choose.rgbResult);
  colour.G = GetGValue(choose.rgbResult);
  colour.B = GetBValue(choose.rgbResult);
  return true;
}

bool IGraphicsWin::OpenWebPage(const char* target, const char* caption, const char* confirmation,
                               const char* error) {
  const std::wstring title = Widen(caption);
  if (confirmation &&
      MessageBoxW(window_, Widen(confirmation).c_str(), title.c_str(), MB_YESNO) != IDYES) {
    return false;
  }
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(window_, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > kShellSuccess) return true;
  if (error) MessageBoxW(window_, Widen(error).c_str(), title.c_str(), MB_OK);
  return false;
}

std::unique_ptr<RasterBitmap> IGraphicsWin::LoadImageFromModule(int id, const char* name) {
  return LoadModuleImage(id);
}
