// Parameter values and texts through the edit controller, as hosts send them:
// setParamNormalized, normalizedParamToPlain, plainParamToNormalized, display text
// and back, getParamValueByString with any text (long, beyond ASCII, unpaired
// surrogates), and automation through the audio thread's queue, with NaN,
// infinities, huge and tiny values, for the 24 parameters, "Presets", bypass and
// unknown IDs. Nothing may be undefined, a value set must stay within 0..1, a
// number in range must convert to a finite plain value in range, and audio must
// stay finite.
//
// Input: a sequence of operations, each an operation byte, an ID byte (and four
// more for an unknown ID), a value (one byte choosing a special value, or eight
// bytes of a double) and, for texts, a length and UTF-16 units.

#include <cstdint>
#include <vector>

#include "fuzz_host.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kPresets = 160;

// A zero-terminated UTF-16 text of up to 4080 units.
std::vector<TChar> NextText(FuzzInput& in) {
  std::vector<TChar> text(static_cast<size_t>(in.Byte()) * 16);
  for (TChar& unit : text) unit = static_cast<TChar>(in.Byte() | (in.Byte() << 8));
  text.push_back(0);
  return text;
}

bool IsParameter(ParamID id) { return id < static_cast<ParamID>(kParameterCount); }

bool InUnitRange(double n) { return n >= 0.0 && n <= 1.0; }

// The plain range of a conversion's result for an ID, or false for IDs without one.
bool PlainRange(CLS_STEREOPULSEWEAVER& plugin, ParamID id, double* low, double* high) {
  if (IsParameter(id)) {
    *low = plugin.ParamAt(static_cast<int>(id))->Minimum();
    *high = plugin.ParamAt(static_cast<int>(id))->Maximum();
    return true;
  }
  if (id == kPresetsId) {
    *low = 0.0;
    *high = kPresets - 1;
    return true;
  }
  return false;
}

void SetNormalized(CLS_STEREOPULSEWEAVER& plugin, ParamID id, double v) {
  plugin.setParamNormalized(id, v);
  if (IsParameter(id) || id == kPresetsId) Require(InUnitRange(plugin.getParamNormalized(id)), "a value set stays in 0..1");
}

void ToPlain(CLS_STEREOPULSEWEAVER& plugin, ParamID id, double v) {
  const double plain = plugin.normalizedParamToPlain(id, v);
  double low = 0.0, high = 0.0;
  if (InUnitRange(v) && PlainRange(plugin, id, &low, &high)) {
    Require(std::isfinite(plain) && plain >= low && plain <= high, "a value in 0..1 converts into the range");
  }
}

void ToNormalized(CLS_STEREOPULSEWEAVER& plugin, ParamID id, double v) {
  const double normalized = plugin.plainParamToNormalized(id, v);
  if (IsParameter(id) && std::isfinite(v)) Require(InUnitRange(normalized), "a plain value converts into 0..1");
}

// The display text of a value, read back: the value it gives shows the same text.
void TextAndBack(CLS_STEREOPULSEWEAVER& plugin, ParamID id, double v) {
  String128 text = {};
  if (plugin.getParamStringByValue(id, v, text) != kResultOk || !IsParameter(id) || !InUnitRange(v)) return;
  ParamValue back = -1.0;
  Require(plugin.getParamValueByString(id, text, back) == kResultOk, "a display text reads back");
  Require(InUnitRange(back), "a display text reads back into 0..1");
  String128 again = {};
  plugin.getParamStringByValue(id, back, again);
  for (int i = 0; i < 128; ++i) Require(text[i] == again[i], "a display text read back shows the same text");
}

void FromText(CLS_STEREOPULSEWEAVER& plugin, ParamID id, std::vector<TChar>& text) {
  ParamValue normalized = -1.0;
  if (plugin.getParamValueByString(id, text.data(), normalized) != kResultOk) return;
  if (IsParameter(id)) Require(InUnitRange(normalized), "a text reads as a value in 0..1");
}


void ReadProgramName(CLS_STEREOPULSEWEAVER& plugin, uint8_t which) {
  String128 name = {};
  plugin.getProgramName(static_cast<ProgramListID>(kPresetsId), static_cast<int8_t>(which), name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DirectHost& host = FreshHost();
  CLS_STEREOPULSEWEAVER& plugin = host.Plugin();
  FuzzInput in(data, size);
  while (!in.Empty()) {
    const uint8_t op = in.Byte() % 8;
    const ParamID id = NextId(in);
    switch (op) {
      case 0: SetNormalized(plugin, id, NextValue(in)); break;
      case 1: ToPlain(plugin, id, NextValue(in)); break;
      case 2: ToNormalized(plugin, id, NextValue(in)); break;
      case 3: TextAndBack(plugin, id, NextValue(in)); break;
      case 4: {
        std::vector<TChar> text = NextText(in);
        FromText(plugin, id, text);
        break;
      }
      case 5: host.Queue(id, NextValue(in)); break;
      case 6: Require(host.Process(1 + in.Byte(), (id & 1) != 0), "audio stays finite"); break;
      default: ReadProgramName(plugin, in.Byte()); break;
    }
  }
  Require(host.Process(64, true), "audio stays finite");
  return 0;
}
