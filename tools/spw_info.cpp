// Prints the plug-in's parameter table and programme list, or what a programme
// does: the status messages its selection shows and the ear frequencies of
// every sounding slot after one block of audio.
//   spw_info                       parameters and programmes
//   spw_info --params | --presets  one of the two (--list-params, --list-programs)
//   spw_info --program N|NAME      one programme, by number or name as spw_render takes it

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "program_catalog.h"
#include "stereo_pulse_weaver.h"

namespace {
const char* const kUsage =
    "usage: spw_info [--params | --presets | --program N|NAME | --help]\n"
    "Prints stereoPulseWeaver's parameter table and programme list (no host, no bundle).\n"
    "  --params, --list-params        the parameter table only\n"
    "  --presets, --list-programs     the programme list only\n"
    "  -p, --program N|NAME           what selecting a programme shows and which ear frequencies\n"
    "                                 it sounds; by number or name, as spw_render takes it\n"
    "  -h, --help                     this text\n";
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
  for (int i = 0; i < plug.PresetCount(); ++i) {
    std::printf("%3d  %s\n", i, spwrender::ListedProgrammeName(i, plug.PresetName(i)).c_str());
  }
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

std::vector<std::string> ProgrammeNames(const IEffectBase& plug) {
  std::vector<std::string> names;
  for (int i = 0; i < plug.PresetCount(); ++i) names.push_back(plug.PresetName(i));
  return names;
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
  // Named as the lists name it: selecting an empty slot renames it in the plug-in.
  const std::vector<std::string> names = ProgrammeNames(plug);
  int slot = 0;
  std::string error;
  if (!spwrender::ResolveProgramme(names, which, &slot, &error)) {
    std::fprintf(stderr, "spw_info: %s\n", error.c_str());
    return 2;
  }
  StatusRecorder status;
  plug.SetSampleRate(kRate);
  for (int i = 0; i < plug.ParameterCount(); ++i) plug.ParameterChanged(i);  // as a host's set-up does
  RenderOneBlock(plug);
  plug.statusLine = &status;
  plug.SelectPreset(slot);
  RenderOneBlock(plug);

  std::printf("Programme %d: %s\n\nStatus messages:\n", slot,
              spwrender::ListedProgrammeName(slot, names[size_t(slot)]).c_str());
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

// One of two spellings of an option.
bool Is(const char* arg, const char* a, const char* b) { return std::strcmp(arg, a) == 0 || std::strcmp(arg, b) == 0; }
}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && Is(argv[1], "--help", "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  CLS_STEREOPULSEWEAVER plug;
  if (argc == 3 && Is(argv[1], "--program", "-p")) return PrintProgramme(plug, argv[2]);
  bool params = true, presets = true;
  if (argc == 2 && Is(argv[1], "--params", "--list-params")) {
    presets = false;
  } else if (argc == 2 && Is(argv[1], "--presets", "--list-programs")) {
    params = false;
  } else if (argc != 1) {
    std::fprintf(stderr, "spw_info: unexpected arguments (see --help)\n%s", kUsage);
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
