#include "sound_library_messages.h"

#ifndef _WIN32
#include <alsa/asoundlib.h>
#include <jack/jack.h>
#endif

namespace spwplay {

#ifdef _WIN32

// RtAudio's Windows systems print nothing of their own.
void QuietSoundLibraries() {}

#else
namespace {

extern "C" void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}
extern "C" void QuietJack(const char*) {}

}  // namespace

void QuietSoundLibraries() {
  snd_lib_error_set_handler(QuietAlsa);
  jack_set_error_function(QuietJack);
  jack_set_info_function(QuietJack);
}

#endif

}  // namespace spwplay
