// spw_playw: the player as the Start menu opens it, with no console. What the
// player prints goes to scratch files instead: a listing or --help is shown in a
// message box, and so is the error of a player that could not play, since no
// terminal is there to show them.

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "play_command.h"

namespace {

constexpr long kMaxShownBytes = 4096;

// A file in the user's temporary folder, deleted when closed; null when none can be made.
std::FILE* ScratchFile() {
  wchar_t folder[MAX_PATH + 1], path[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"spw", 0, path) == 0) return nullptr;
  const HANDLE handle = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDWR | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, "w+b");
  if (!file) _close(fd);
  return file;
}

std::string Contents(std::FILE* file) {
  std::string text(size_t(kMaxShownBytes), '\0');
  std::rewind(file);
  text.resize(std::fread(&text[0], 1, text.size(), file));
  return text;
}

void Show(const std::string& text, UINT icon) {
  MessageBoxA(nullptr, text.c_str(), "stereoPulseWeaver Player", MB_OK | icon);
}

}  // namespace

int main(int argc, char** argv) {
  std::FILE* out = ScratchFile();
  std::FILE* err = ScratchFile();
  if (!out || !err) {
    Show("The player cannot make a file for its messages in the temporary folder.", MB_ICONERROR);
    return 1;
  }
  const int status = spwplay::RunPlayCommand(argc, argv, out, err);
  const std::string listing = Contents(out);
  if (!listing.empty()) Show(listing, MB_ICONINFORMATION);
  if (status != 0) {
    const std::string error = Contents(err);
    Show(error.empty() ? "The player stopped with an error." : error, MB_ICONERROR);
  }
  std::fclose(out);
  std::fclose(err);
  return status;
}
