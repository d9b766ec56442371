// Prints the plug-in's parameter table and programme list, or what a programme
// does: the status messages its selection shows and the ear frequencies of
// every sounding slot after one block of audio.
//   spw_info                       parameters and programmes
//   spw_info --params | --presets  one of the two
//   spw_info --program N|NAME      one programme, by slot number or exact name

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "stereo_pulse_weaver.h"

namespace {
const char* const kUsage = "usage: spw_info [--params | --presets | --program NUMBER|NAME]\n";
constexpr double kRate = 48000.0;  // Hz, the sample rate of the one block rendered
constexpr int kFrames = 512;

const char* KindName(EParameterKind kind) {
  switch (kind) {
    case EParameterKind::Bool: return "bool";
    case EParameterKind::Int: return "integer";
    case EParameterKind::Enum: return "enum";
    case EParameterKind::Double: return "double";
    default: return "none";
  }
}

void PrintParameters(const IEffectBase& plug) {
  std::printf("%-5s %-16s %-8s %-22s %-9s %-5s %s\n", "index", "name", "kind", "range", "default", "unit",
              "display");
  for (int i = 0; i < plug.ParameterCount(); ++i) {
    const IParameter& p = *plug.ParamAt(i);
    char range[64], def[32], display[IParameter::kDisplaySize];
    std::snprintf(range, sizeof range, "%g .. %g", p.Minimum(), p.Maximum());
    std::snprintf(def, sizeof def, "%g", p.Default());
    p.FormatValue(p.Default(), false, display);
    std::printf("%-5d %-16s %-8s %-22s %-9s %-5s %s%s%s\n", i, p.ParameterName(), KindName(p.Kind()), range,
                def, p.UnitLabel(), display, p.UnitLabel()[0] ? " " : "", p.UnitLabel());
  }
}

void PrintPresets(const IEffectBase& plug) {
  for (int i = 0; i < plug.PresetCount(); ++i) std::printf("%3d  %s\n", i, plug.PresetName(i));
}

// Keeps every text the status line is given, once when repeated.
class StatusRecorder : public TextSink {
 public:
  void SetText(const char* text) noexcept override {
    const std::string message = text && *text ? text : "(status line cleared)";
    if (messages.empty() || messages.back() != message) messages.push_back(message);
  }
  std::vector<std::string> messages;
};

// The preset slot named by a number or an exact name; -1 when there is none.
int FindProgramme(const IEffectBase& plug, const char* which) {
  char* end = nullptr;
  const long number = std::strtol(which, &end, 10);
  if (end != which && *end == '\0') return number >= 0 && number < plug.PresetCount() ? int(number) : -1;
  for (int i = 0; i < plug.PresetCount(); ++i) {
    if (std::strcmp(plug.PresetName(i), which) == 0) return i;
  }
  return -1;
}

void RenderOneBlock(CLS_STEREOPULSEWEAVER& plug) {
  std::vector<double> left(kFrames), right(kFrames);
  double* outs[2] = {left.data(), right.data()};
  plug.ProcessBlock(nullptr, outs, kFrames);
}

double EarFrequency(const OscillatorBank& bank, int index) {
  return bank.targetIncrement[index] * kRate / kTwoPi;
}

int PrintProgramme(CLS_STEREOPULSEWEAVER& plug, const char* which) {
  const int slot = FindProgramme(plug, which);
  if (slot < 0) {
    std::fprintf(stderr, "spw_info: no programme '%s' (give a number 0 to %d or an exact name)\n", which,
                 plug.PresetCount() - 1);
    return 2;
  }
  StatusRecorder status;
  plug.SetSampleRate(kRate);
  for (int i = 0; i < plug.ParameterCount(); ++i) plug.ParameterChanged(i);  // as a host's set-up does
  RenderOneBlock(plug);
  plug.statusLine = &status;
  plug.SelectPreset(slot);
  RenderOneBlock(plug);

  std::printf("Programme %d: %s\n\nStatus messages:\n", slot, plug.PresetName(slot));
  for (const std::string& m : status.messages) std::printf("  %s\n", m.c_str());
  if (status.messages.empty()) std::printf("  (none: the selection changed nothing)\n");

  std::printf("\nSounding slots (after one block of %d frames at %.0f Hz):\n", kFrames, kRate);
  const ToneEngine& engine = plug.Engine();
  for (int s = 0; s < kToneSlots; ++s) {
    if (!engine.bank.slotActive[s]) continue;
    std::printf("  slot %2d  cell %3d  left %9.2f Hz  right %9.2f Hz\n", s + 1, engine.slotCell[s],
                EarFrequency(engine.bank, s), EarFrequency(engine.bank, kToneSlots + s));
  }
  if (engine.activeSlotCount == 0) std::printf("  (none)\n");
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  CLS_STEREOPULSEWEAVER plug;
  if (argc == 3 && std::strcmp(argv[1], "--program") == 0) return PrintProgramme(plug, argv[2]);
  bool params = true, presets = true;
  if (argc == 2 && std::strcmp(argv[1], "--params") == 0) {
    presets = false;
  } else if (argc == 2 && std::strcmp(argv[1], "--presets") == 0) {
    params = false;
  } else if (argc != 1) {
    std::fprintf(stderr, "spw_info: unexpected arguments\n%s", kUsage);
    return 2;
  }
  char version[16];
  plug.VersionText(version, sizeof version);
  std::printf("%s %s by %s\n\n", plug.EffectName(), version, plug.ManufacturerName());
  if (params) PrintParameters(plug);
  if (params && presets) std::printf("\n");
  if (presets) PrintPresets(plug);
  return 0;
}
