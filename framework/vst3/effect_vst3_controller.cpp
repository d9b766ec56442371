// The binding's state, controller values, units and program list, and the view
// factory [host main thread].

#include <cmath>
#include <cstring>

#include "effect_vst3.h"
#include "effect_vst3_view.h"
#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ustring.h"
#include "utf16_text.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spw_vst3 {

namespace {

constexpr int32 kStateReadPiece = 128;        // bytes per read of a stored state
constexpr int32 kStateTrailerBytes = 4;       // the word a host may have stored after the values
constexpr int kHostCodeWavelab = 28;          // reports read errors while still delivering data
constexpr int kMaxStateBytes = 1 << 20;       // far beyond any state of ours: a stream that never ends is corrupt
const char* const kEditorViewName = "editor";

}  // namespace

// ---------------------------------------------------------------- state

tresult IEffectVST3::getComponentState(IBStream* state) {
  if (!state) return kInvalidArgument;
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  StateChunk chunk;
  if (SaveState(chunk)) {
    int32 written = 0;
    const tresult result = state->write(const_cast<uint8_t*>(chunk.Data()), chunk.Size(), &written);
    return result == kResultOk && written == chunk.Size() ? kResultOk : kResultFalse;
  }
  int32 bypassWord = Bypassed() ? 1 : 0;
  state->write(&bypassWord, sizeof bypassWord, nullptr);
  return kResultFalse;
}

tresult IEffectVST3::setComponentStateFromHost(IBStream* state) {
  if (!state) return kInvalidArgument;
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  StateChunk chunk;
  uint8_t piece[kStateReadPiece];
  for (;;) {
    int32 got = 0;
    const tresult result = state->read(piece, kStateReadPiece, &got);
    if (got <= 0) break;
    if (got > kStateReadPiece) got = kStateReadPiece;  // a stream may claim more than it can have written
    if (result != kResultOk && HostCode() != kHostCodeWavelab) break;
    chunk.PutBytes(piece, got);
    if (chunk.Size() >= kMaxStateBytes) break;
  }
  const int pos = LoadState(chunk, 0);
  PushAllParametersToEditor();
  // A state that ended before every value was read cannot be positioned after.
  if (pos < 0) return kResultFalse;
  // Only the read after the values decides the result: a stream that cannot seek
  // is still read from where it stands.
  int64 ignored = 0;
  state->seek(pos, IBStream::kIBSeekSet, &ignored);
  uint8_t trailer[kStateTrailerBytes];
  int32 got = 0;
  return state->read(trailer, kStateTrailerBytes, &got) == kResultOk ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IEffectVST3::setComponentState(IBStream*) { return kNotImplemented; }

tresult IEffectVST3::getControllerState(IBStream*) {
  // Component and controller are one object: the component's state holds everything.
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  return kResultOk;
}

tresult IEffectVST3::setControllerState(IBStream*) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  return kResultOk;
}

// ---------------------------------------------------------------- controller values

ParamValue PLUGIN_API IEffectVST3::getParamNormalized(ParamID id) {
  if (id == kBypassId) return Bypassed() ? 1.0 : 0.0;
  if (id == kProgramChangeId) {
    return PresetCount() > 1 ? static_cast<double>(CurrentPresetIdx()) / (PresetCount() - 1) : 0.0;
  }
  if (const IParameter* param = ParamAt(static_cast<int>(id))) {
    return param->NormalizedValue();
  }
  return 0.0;
}

tresult PLUGIN_API IEffectVST3::setParamNormalized(ParamID id, ParamValue value) {
  if (id == kBypassId) {
    SetBypassed(value != 0.0);
    return kResultOk;
  }
  if (id == kProgramChangeId) {
    // Only the index the host shows; the preset itself arrives through process.
    const int index = PresetIndexFor(value);
    if (index >= 0) SetCurrentPresetIdx(index);
    return kResultOk;
  }
  if (IParameter* param = ParamAt(static_cast<int>(id))) {
    param->SetFromNormalized(value);
    return kResultOk;
  }
  return kResultFalse;
}

ParamValue PLUGIN_API IEffectVST3::plainParamToNormalized(ParamID id, ParamValue plain) {
  if (id == kProgramChangeId) return PresetCount() > 1 ? plain / (PresetCount() - 1) : 0.0;
  if (const IParameter* param = ParamAt(static_cast<int>(id))) {
    return param->PlainToNormalized(plain);
  }
  return plain;
}

ParamValue PLUGIN_API IEffectVST3::normalizedParamToPlain(ParamID id, ParamValue valueNormalized) {
  if (id == kProgramChangeId) valueNormalized = std::isnan(valueNormalized) ? 0.0 : LimitNormalized(valueNormalized);
  return SingleComponentEffect::normalizedParamToPlain(id, valueNormalized);
}

tresult PLUGIN_API IEffectVST3::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                      String128 string) {
  const IParameter* param = ParamAt(static_cast<int>(id));
  if (!param || !string) return kResultFalse;
  char text[IParameter::kDisplaySize];
  param->FormatValue(valueNormalized, true, text);
  WidenText(text, string, 128);
  return kResultOk;
}

// ---------------------------------------------------------------- units and programs

int32 PLUGIN_API IEffectVST3::getUnitCount() {
  return static_cast<int32>(ParameterGroups().size()) + 1;
}

tresult PLUGIN_API IEffectVST3::getUnitInfo(int32 unitIndex, UnitInfo& info) {
  if (unitIndex < 0 || unitIndex >= getUnitCount()) return kResultFalse;
  if (unitIndex == 0) {
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    WidenText("Root Unit", info.name, 128);
    info.programListId = PresetCount() > 0 ? static_cast<ProgramListID>(kProgramChangeId) : kNoProgramListId;
  } else {
    info.id = unitIndex;
    info.parentUnitId = kRootUnitId;
    WidenText(ParameterGroups()[static_cast<size_t>(unitIndex - 1)], info.name, 128);
    info.programListId = kNoProgramListId;
  }
  return kResultOk;
}

int32 PLUGIN_API IEffectVST3::getProgramListCount() { return PresetCount() > 0 ? 1 : 0; }

tresult PLUGIN_API IEffectVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info) {
  if (listIndex != 0 || PresetCount() <= 0) return kResultFalse;
  info.id = static_cast<ProgramListID>(kProgramChangeId);
  WidenText("Factory Presets", info.name, 128);
  info.programCount = PresetCount();
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::getProgramName(ProgramListID listId, int32 programIndex, String128 name) {
  if (listId != static_cast<ProgramListID>(kProgramChangeId) || !name) return kResultFalse;
  // Selecting an empty slot names it on the audio thread, under the lock.
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  WidenText(PresetName(programIndex), name, 128);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::getProgramInfo(ProgramListID, int32, Vst::CString, String128) {
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::hasProgramPitchNames(ProgramListID, int32) { return kNotImplemented; }

tresult PLUGIN_API IEffectVST3::getProgramPitchName(ProgramListID, int32, int16, String128) {
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::selectUnit(UnitID) { return kNotImplemented; }

tresult PLUGIN_API IEffectVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) {
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::setUnitProgramData(int32, int32, IBStream*) { return kNotImplemented; }

// ---------------------------------------------------------------- view

IPlugView* PLUGIN_API IEffectVST3::createView(FIDString name) {
  if (!name || std::strcmp(name, kEditorViewName) != 0) return nullptr;
  return new IEffectVST3View(this);
}

}  // namespace spw_vst3
