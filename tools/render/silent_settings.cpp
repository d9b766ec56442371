#include "silent_settings.h"

#include "vst3_host.h"

namespace spwrender {
namespace {

struct Condition {
  const char* parameter;
  const char* value;  // as the plug-in names it
};

struct SilencingRule {
  const char* setting;   // the parameter changed
  Condition silencer;    // the value that silences it, named in the message
  const char* countsAt;  // a value of the silencer at which the setting counts
  Condition also;        // and what must hold besides (no parameter: nothing)
};

constexpr SilencingRule kRules[] = {
    {"Base Freq", {"Reference", "Base Freq"}, "Binaural Freq", {nullptr, nullptr}},
    {"Binaural", {"Reference", "Binaural Freq"}, "Base Freq", {nullptr, nullptr}},
    // Linked, "Binaural" also retunes the tones to its grid, which is heard.
    {"Binaural", {"Binaural Pan", "Null"}, "Center Right", {"Link Freq", "No"}},
    {"Freq Equalizer", {"Reference", "Binaural Freq"}, "Base Freq", {nullptr, nullptr}},
};

// The title of parameter id; "" when the plug-in has none.
std::string TitleOf(spwhost::Plugin& plugin, uint32_t id) {
  spwhost::ParameterInfo info;
  for (int i = 0; plugin.GetParameterInfo(i, &info); ++i) {
    if (info.id == id) return info.title;
  }
  return "";
}

// The value text of the parameter titled title; "" when there is none.
std::string CurrentText(spwhost::Plugin& plugin, const char* title) {
  spwhost::ParameterInfo info;
  const int index = plugin.FindParameter(title);
  if (index < 0 || !plugin.GetParameterInfo(index, &info)) return "";
  return plugin.ValueToString(info.id, plugin.GetParamNormalized(info.id));
}

bool Holds(spwhost::Plugin& plugin, const Condition& condition) {
  return CurrentText(plugin, condition.parameter) == condition.value;
}

}  // namespace

std::string SilentSettingNote(spwhost::Plugin& plugin, const AutomationEvent& event) {
  if (event.selectsProgram) return "";
  const std::string title = TitleOf(plugin, event.change.id);
  for (const SilencingRule& rule : kRules) {
    if (title != rule.setting || !Holds(plugin, rule.silencer) || (rule.also.parameter && !Holds(plugin, rule.also))) {
      continue;
    }
    const std::string silencer = rule.silencer.parameter;
    return "\"" + title + "\" changes nothing audible while \"" + silencer + "\" is \"" + rule.silencer.value +
           "\": set \"" + silencer + "=" + rule.countsAt + "\" for it to count";
  }
  return "";
}

}  // namespace spwrender
