// The module's one plug-in class, made for the page: the plug-in without an
// editor, every parameter applied once, as a host's initialise does.

#include <emscripten/emscripten.h>

#include "stereo_pulse_weaver.h"

extern "C" EMSCRIPTEN_KEEPALIVE spw_web::IEffectWeb* spw_create() {
  auto* plugin = new CLS_STEREOPULSEWEAVER();
  plugin->Initialize();
  return plugin;
}
