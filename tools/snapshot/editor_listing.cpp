#include "editor_listing.h"

#include <cxxabi.h>

#include <cstdlib>
#include <string>
#include <typeinfo>

#include "control.h"
#include "effect_base.h"
#include "graphics.h"
#include "parameter.h"

namespace spwsnapshot {
namespace {

std::string ClassName(const IControl& control) {
  const char* mangled = typeid(control).name();
  int status = 0;
  char* readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  const std::string name = status == 0 && readable ? readable : mangled;
  std::free(readable);
  return name;
}

}  // namespace

void PrintControls(const IGraphics& graphics, std::FILE* out) {
  for (int i = 0; i < graphics.ControlCount(); ++i) {
    const IControl& control = *graphics.ControlAt(i);
    const IArea& r = control.Rect();
    std::fprintf(out, "%d\t%s\t%d\t%d\t%d\t%d\t%d\t%d\n", i, ClassName(control).c_str(), r.left, r.top, r.right,
                 r.bottom, control.ParamIdx(), control.IsHidden() ? 1 : 0);
  }
}

void PrintParameters(const IEffectBase& plug, std::FILE* out) {
  for (int i = 0; i < plug.ParameterCount(); ++i) {
    const IParameter& param = *plug.ParamAt(i);
    char display[IParameter::kDisplaySize];
    param.FormatValue(param.Value(), false, display);
    const std::string unit = param.UnitLabel()[0] ? std::string(" ") + param.UnitLabel() : "";
    std::fprintf(out, "%s\t%.6f\t%s%s\n", param.ParameterName(), param.NormalizedValue(), display, unit.c_str());
  }
}

}  // namespace spwsnapshot
