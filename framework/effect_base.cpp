#include "effect_base.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "host_identification.h"

IEffectBase::IEffectBase(const IEffectConfig& config)
    : isInstrument_(config.isInstrument),
      latency_(config.latency),
      uniqueCode_(config.uniqueCode),
      manufacturerCode_(config.manufacturerCode),
      version_(config.version),
      apiCode_(config.apiCode),
      doesChunks_(config.doesChunks),
      doesMidi_(config.doesMidi) {
  ParseChannelIo(config.channelIo);
  for (int i = 0; i < config.parameterCount; ++i) params_.push_back(std::make_unique<IParameter>());
  valuesBeforeRestore_.assign(params_.size(), 0.0);
  for (int i = 0; i < config.presetCount; ++i) {
    auto slot = std::make_unique<IPresetSlot>();
    std::snprintf(slot->name, IPresetSlot::kNameSize, "- %d -", i + 1);
    presets_.push_back(std::move(slot));
  }
  CopyText(effectName_, config.effectName, kNameSize);
  CopyText(productName_, config.productName, kNameSize);
  CopyText(manufacturerName_, config.manufacturerName, kNameSize);

  int maxIn = 0, maxOut = 0;
  for (const auto& io : channelIo_) {
    if (io.first > maxIn) maxIn = io.first;
    if (io.second > maxOut) maxOut = io.second;
  }
  inputs_.resize(static_cast<size_t>(maxIn));
  outputs_.resize(static_cast<size_t>(maxOut));
  inputPtrs_.assign(inputs_.size(), nullptr);
  outputPtrs_.assign(outputs_.size(), nullptr);
  for (size_t i = 0; i < inputs_.size(); ++i) inputs_[i].entry = &inputPtrs_[i];
  for (size_t i = 0; i < outputs_.size(); ++i) outputs_[i].entry = &outputPtrs_[i];
}

IEffectBase::~IEffectBase() {
  editor_.reset();
  while (!params_.empty()) params_.pop_back();  // last to first
}

void IEffectBase::ParseChannelIo(const char* text) {
  while (text && *text) {
    int in = 0, out = 0;
    if (std::sscanf(text, "%d-%d", &in, &out) != 2) break;
    channelIo_.emplace_back(in, out);
    text = std::strchr(text, ' ');
    if (text) ++text;
  }
}

// ---------------------------------------------------------------- hooks

void IEffectBase::ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept {
  PassThroughBody(inputs, outputs, nFrames);
}

void IEffectBase::PassThroughBody(double** inputs, double** outputs, int nFrames) noexcept {
  if (nFrames <= 0) return;
  const size_t frames = static_cast<size_t>(nFrames);
  const size_t nIn = inputs_.size(), nOut = outputs_.size();
  for (size_t i = 0; i < nOut; ++i) {
    if (i < nIn && inputs) {
      std::memmove(outputs[i], inputs[i], frames * sizeof(double));
    } else {
      std::memset(outputs[i], 0, frames * sizeof(double));
    }
  }
}

bool IEffectBase::GetNoteName(int note, char* out) {
  if (out) out[0] = '\0';
  return false;
}

void IEffectBase::HostTimeSignature(int* numerator, int* denominator) {
  if (numerator) *numerator = 4;
  if (denominator) *denominator = 4;
}

bool IEffectBase::SendMidiMessages(const IMidiMessage* messages, int count) {
  bool all = true;
  for (int i = 0; i < count; ++i) all = SendMidiMessage(messages[i]) && all;
  return all;
}

// ---------------------------------------------------------------- parameters

IParameter* IEffectBase::ParamAt(int i) {
  return i >= 0 && i < ParameterCount() ? params_[static_cast<size_t>(i)].get() : nullptr;
}

const IParameter* IEffectBase::ParamAt(int i) const {
  return i >= 0 && i < ParameterCount() ? params_[static_cast<size_t>(i)].get() : nullptr;
}

void IEffectBase::SetParameterFromEditor(int paramIdx, double normalized) {
  IParameter* param = ParamAt(paramIdx);
  if (!param) return;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  param->SetFromNormalized(normalized);
  SendHostEdit(paramIdx, normalized);
  ParameterChanged(paramIdx);
}

void IEffectBase::ApplyHostValue(int paramIdx, double normalized) noexcept {
  IParameter* param = ParamAt(paramIdx);
  if (!param) return;
  param->SetFromNormalized(normalized);
  if (editor_) editor_->PushParameterToControls(paramIdx, normalized, true);
  ParameterChanged(paramIdx);
}

void IEffectBase::ReportParameterToHost(int paramIdx) {
  const IParameter* param = ParamAt(paramIdx);
  if (!param) return;
  BeginHostEdit(paramIdx);
  SendHostEdit(paramIdx, param->NormalizedValue());
  EndHostEdit(paramIdx);
}

void IEffectBase::DeferEndInform(int paramIdx) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (editor_) {
    pendingEndInformIdx_ = paramIdx;
    const int ticks = editor_->FrameRate() / 2;
    editor_->StartGestureEndTimer(ticks > 1 ? ticks : 1);
  } else {
    EndHostEdit(paramIdx);
  }
}

void IEffectBase::FlushEndInform() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (editor_) editor_->CancelGestureEndTimer();
  if (pendingEndInformIdx_ >= 0) {
    EndHostEdit(pendingEndInformIdx_);
    pendingEndInformIdx_ = -1;
  }
}

void IEffectBase::AttachEditor(IEditorLink* editor) {
  if (!editor) return;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  for (int i = 0; i < ParameterCount(); ++i) {
    editor->PushParameterToControls(i, params_[static_cast<size_t>(i)]->NormalizedValue(), true);
  }
  editor->PrepareDrawing();
  // Attaching the attached editor again must not destroy it.
  if (editor != editor_.get()) editor_.reset(editor);
}

void IEffectBase::PushAllParametersToEditor() {
  if (!editor_) return;
  for (int i = 0; i < ParameterCount(); ++i) {
    editor_->PushParameterToControls(i, params_[static_cast<size_t>(i)]->Value(), false);
  }
}

// ---------------------------------------------------------------- state

bool IEffectBase::SaveParams(StateChunk& chunk) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (params_.empty()) return true;
  for (const auto& param : params_) chunk.PutDouble(param->Value());
  return chunk.Size() > 0;
}

int IEffectBase::LoadParams(const StateChunk& chunk, int startPos) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  for (size_t i = 0; i < params_.size(); ++i) valuesBeforeRestore_[i] = params_[i]->Value();
  int pos = startPos;
  for (int i = 0; i < ParameterCount(); ++i) {
    IParameter& param = *params_[static_cast<size_t>(i)];
    double x = 0.0;
    if (pos >= 0) pos = chunk.GetDouble(&x, pos);
    // A value missing from a short chunk, or one that is not a number, is never
    // stored: the parameter keeps the value it had when the restore began, even
    // if a value restored before it (a reference that re-links the grid) has
    // written another into it meanwhile. So the same bytes over the same state
    // always give the same result.
    if (pos < 0 || !std::isfinite(x)) {
      x = valuesBeforeRestore_[static_cast<size_t>(i)];
      if (param.Value() == x) continue;
    }
    if (!AllowParamRestore(i, selectingPresetIdx_)) continue;
    param.SetValueClamped(x);
    ParameterChanged(i);
  }
  return pos;
}

// ---------------------------------------------------------------- presets

void IEffectBase::AddPreset(const char* name, const double* values, int count) {
  for (auto& slot : presets_) {
    if (slot->filled) continue;
    slot->filled = true;
    CopyText(slot->name, name, IPresetSlot::kNameSize);
    for (int i = 0; i < ParameterCount(); ++i) slot->chunk.PutDouble(i < count ? values[i] : 0.0);
    return;
  }
}

void IEffectBase::AddPreset(const char* name, std::initializer_list<double> values) {
  AddPreset(name, values.begin(), static_cast<int>(values.size()));
}

void IEffectBase::AddDefaultPresets(const char* name, int count) {
  for (int n = 0; n < count; ++n) {
    for (auto& slot : presets_) {
      if (slot->filled) continue;
      slot->filled = true;
      CopyText(slot->name, name ? name : "Default", IPresetSlot::kNameSize);
      // The default entry holds the parameters' defaults, so selecting it brings them back.
      for (const auto& param : params_) slot->chunk.PutDouble(param->Default());
      break;
    }
  }
}

bool IEffectBase::SelectPreset(int index) {
  if (index < 0 || index >= PresetCount()) return false;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  IPresetSlot& slot = *presets_[static_cast<size_t>(index)];
  if (slot.filled) {
    currentPresetIdx_ = index;
    selectingPresetIdx_ = index;
    const int read = LoadParams(slot.chunk, 0);
    selectingPresetIdx_ = -1;
    if (read <= 0) return false;
    PushAllParametersToEditor();
    return true;
  }
  int userPresets = 0;
  for (const auto& other : presets_) {
    if (std::strstr(other->name, "user preset")) ++userPresets;
  }
  slot.filled = true;
  std::snprintf(slot.name, IPresetSlot::kNameSize, "%s %d", "user preset", userPresets + 1);
  currentPresetIdx_ = index;
  PushAllParametersToEditor();
  return true;
}

const char* IEffectBase::PresetName(int index) const {
  return index >= 0 && index < PresetCount() ? presets_[static_cast<size_t>(index)]->name : "";
}

bool IEffectBase::PresetFilled(int index) const {
  return index >= 0 && index < PresetCount() && presets_[static_cast<size_t>(index)]->filled;
}

// ---------------------------------------------------------------- identity

void IEffectBase::VersionText(char* out, int size) const {
  std::snprintf(out, static_cast<size_t>(size), "v%d.%02d", version_ >> 16, (version_ >> 8) & 0xFF);
}

void IEffectBase::IdentifyHost(const char* name, int version) {
  hostCode_ = MatchHostName(name);
  hostVersion_ = version;
}

// ---------------------------------------------------------------- channels

void IEffectBase::ApplyBlockSize(int n) {
  if (n == blockSize_ || n < 0) return;
  for (auto* list : {&inputs_, &outputs_}) {
    for (Channel& ch : *list) ch.scratch.assign(static_cast<size_t>(n), 0.0);
  }
  blockSize_ = n;
  // A disconnected channel reads and writes its own scratch buffer, which has just moved.
  for (auto* list : {&inputs_, &outputs_}) {
    for (Channel& ch : *list) {
      if (!ch.connected) *ch.entry = ch.scratch.data();
    }
  }
}

bool IEffectBase::InputConnected(int channel) const {
  return channel >= 0 && channel < InputChannelCount() && inputs_[static_cast<size_t>(channel)].connected;
}

bool IEffectBase::OutputConnected(int channel) const {
  return channel >= 0 && channel < OutputChannelCount() && outputs_[static_cast<size_t>(channel)].connected;
}

void IEffectBase::SetConnections(std::vector<Channel>& channels, int start, int count, bool connected) {
  const int end = start + count < static_cast<int>(channels.size()) ? start + count
                                                                    : static_cast<int>(channels.size());
  for (int i = start < 0 ? 0 : start; i < end; ++i) {
    Channel& ch = channels[static_cast<size_t>(i)];
    ch.connected = connected;
    if (!connected) *ch.entry = ch.scratch.data();
  }
}

void IEffectBase::SetInputConnections(int start, int count, bool connected) {
  SetConnections(inputs_, start, count, connected);
}

void IEffectBase::SetOutputConnections(int start, int count, bool connected) {
  SetConnections(outputs_, start, count, connected);
}

void IEffectBase::AttachInputBuffers(int start, int count, double** buffers) {
  int next = 0;
  for (int i = start; i < start + count && i < InputChannelCount(); ++i) {
    Channel& ch = inputs_[static_cast<size_t>(i)];
    if (ch.connected) *ch.entry = buffers[next++];
  }
}

void IEffectBase::AttachInputBuffers(int start, int count, float** buffers, int nFrames) {
  int next = 0;
  for (int i = start; i < start + count && i < InputChannelCount(); ++i) {
    Channel& ch = inputs_[static_cast<size_t>(i)];
    if (!ch.connected) continue;
    const float* src = buffers[next++];
    const int n = nFrames < blockSize_ ? nFrames : blockSize_;
    for (int f = 0; f < n; ++f) ch.scratch[static_cast<size_t>(f)] = src[f];
    *ch.entry = ch.scratch.data();
  }
}

void IEffectBase::AttachOutputBuffers(int start, int count, double** buffers) {
  int next = 0;
  for (int i = start; i < start + count && i < OutputChannelCount(); ++i) {
    Channel& ch = outputs_[static_cast<size_t>(i)];
    if (!ch.connected) continue;
    *ch.entry = buffers[next++];
    ch.hostFloat = nullptr;
  }
}

void IEffectBase::AttachOutputBuffers(int start, int count, float** buffers) {
  int next = 0;
  for (int i = start; i < start + count && i < OutputChannelCount(); ++i) {
    Channel& ch = outputs_[static_cast<size_t>(i)];
    if (!ch.connected) continue;
    *ch.entry = ch.scratch.data();
    ch.hostFloat = buffers[next++];
  }
}

void IEffectBase::ProcessBuffers(double, int nFrames) noexcept {
  if (ParamsReady()) ProcessBlock(InputArray(), outputPtrs_.data(), nFrames);
}

void IEffectBase::ProcessBuffers(float, int nFrames) noexcept {
  if (nFrames > blockSize_) nFrames = blockSize_;  // the scratch buffers hold one block at most
  if (ParamsReady()) ProcessBlock(InputArray(), outputPtrs_.data(), nFrames);
  ConvertOutputsToFloat(nFrames);
}

void IEffectBase::PassThroughBuffers(double, int nFrames) noexcept {
  PassThroughBody(InputArray(), outputPtrs_.data(), nFrames);
}

void IEffectBase::PassThroughBuffers(float, int nFrames) noexcept {
  if (nFrames > blockSize_) nFrames = blockSize_;
  PassThroughBody(InputArray(), outputPtrs_.data(), nFrames);
  ConvertOutputsToFloat(nFrames);
}

void IEffectBase::ConvertOutputsToFloat(int nFrames) noexcept {
  for (Channel& ch : outputs_) {
    if (!ch.connected || !ch.hostFloat) continue;
    for (int f = 0; f < nFrames; ++f) ch.hostFloat[f] = static_cast<float>(ch.scratch[static_cast<size_t>(f)]);
  }
}
