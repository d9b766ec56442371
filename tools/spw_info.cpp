// Prints the plug-in's parameter table and its programme list.
//   spw_info            both tables
//   spw_info --params   parameters only
//   spw_info --presets  programmes only

#include <cstdio>
#include <cstring>

#include "stereo_pulse_weaver.h"

namespace {
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
}  // namespace

int main(int argc, char** argv) {
  bool params = true, presets = true;
  if (argc > 2) {
    std::fprintf(stderr, "usage: spw_info [--params | --presets]\n");
    return 2;
  }
  if (argc == 2) {
    if (std::strcmp(argv[1], "--params") == 0) {
      presets = false;
    } else if (std::strcmp(argv[1], "--presets") == 0) {
      params = false;
    } else {
      std::fprintf(stderr, "spw_info: unknown option '%s'\nusage: spw_info [--params | --presets]\n", argv[1]);
      return 2;
    }
  }
  CLS_STEREOPULSEWEAVER plug;
  char version[16];
  plug.VersionText(version, sizeof version);
  std::printf("%s %s by %s\n\n", plug.EffectName(), version, plug.ManufacturerName());
  if (params) PrintParameters(plug);
  if (params && presets) std::printf("\n");
  if (presets) PrintPresets(plug);
  return 0;
}
