#include "effect_web.h"

#include <cstdint>
#include <cstring>
#include <mutex>

namespace spw_web {

namespace {

IEffectConfig WithWebApi(IEffectConfig config) {
  config.apiCode = EApiCode::Web;
  return config;
}

constexpr double kSecondsPerMinute = 60.0;

}  // namespace

IEffectWeb::IEffectWeb(const IEffectConfig& config)
    : IEffectBase(WithWebApi(config)),
      queued_(kMaxChangesPerBlock),
      outputChanges_(kMaxChangesPerBlock) {
  SetInputConnections(0, InputChannelCount(), false);
  SetOutputConnections(0, OutputChannelCount(), true);
}

IEffectWeb::~IEffectWeb() = default;

void IEffectWeb::Initialize() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  for (int i = 0; i < ParameterCount(); ++i) ParameterChanged(i);
}

bool IEffectWeb::SetupProcessing(double sampleRate, int maxBlockFrames) {
  if (maxBlockFrames <= 0 || !(sampleRate > 0.0)) return false;
  {
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    SetSampleRate(sampleRate);
    ApplyBlockSize(maxBlockFrames);
    left_.assign(static_cast<size_t>(maxBlockFrames), 0.0f);
    right_.assign(static_cast<size_t>(maxBlockFrames), 0.0f);
    maxBlockFrames_ = maxBlockFrames;
  }
  Reset();
  return true;
}

void IEffectWeb::SetActive(bool active) { ActiveStateChanged(active); }

void IEffectWeb::SetTransport(bool playing, int64_t positionSamples) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  playing_ = playing;
  position_ = positionSamples;
}

bool IEffectWeb::QueueChange(int32_t id, double value, int32_t offset) noexcept {
  const bool known = id == kProgramChangeId || (id >= 0 && id < ParameterCount());
  if (!known || queuedCount_ >= kMaxChangesPerBlock) return false;
  queued_[static_cast<size_t>(queuedCount_++)] = {id, offset < 0 ? 0 : offset, value};
  return true;
}

float* IEffectWeb::Output(int channel) noexcept {
  if (left_.empty()) return nullptr;
  return channel == 0 ? left_.data() : right_.data();
}

void IEffectWeb::ClearOutputChanges() noexcept { outputChangeCount_ = 0; }

void IEffectWeb::ReportParameterToHost(int paramIdx) {
  if (const IParameter* param = ParamAt(paramIdx)) Report(paramIdx, param->NormalizedValue());
}

void IEffectWeb::SendHostEdit(int paramIdx, double normalized) {
  if (ParamAt(paramIdx)) Report(paramIdx, normalized);
}

void IEffectWeb::Report(int32_t id, double normalized) noexcept {
  if (outputChangeCount_ >= kMaxChangesPerBlock) return;
  outputChanges_[static_cast<size_t>(outputChangeCount_++)] = {id, pieceOffset_, normalized};
}

void IEffectWeb::ApplyChange(int32_t id, double value) {
  if (id != kProgramChangeId && !ParamAt(id)) return;
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  Apply({id, 0, value});
}

void IEffectWeb::Apply(const ParameterChange& change) noexcept {
  if (change.id == kProgramChangeId) {
    SelectPreset(static_cast<int>(change.value));
  } else {
    ApplyHostValue(change.id, change.value);
  }
}

void IEffectWeb::HostTimeInfo(ITransportInfo* info) {
  if (!info) return;
  info->tempo = kTempoBpm;
  info->samplePosition = static_cast<double>(HostSamplePosition());
  info->ppqPosition = info->samplePosition / SampleRate() * kTempoBpm / kSecondsPerMinute;
  info->transportIsRunning = playing_;
}

bool IEffectWeb::Process(int nFrames) noexcept {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  pieceOffset_ = 0;
  SortQueuedChanges();
  int next = 0;
  if (maxBlockFrames_ <= 0 || nFrames > maxBlockFrames_ || nFrames < 0) {
    // Changes still apply, as a host's flush of parameters without audio.
    ApplyChangesAt(INT32_MAX, &next);
    queuedCount_ = 0;
    if (!left_.empty()) {
      std::memset(left_.data(), 0, sizeof(float) * left_.size());
      std::memset(right_.data(), 0, sizeof(float) * right_.size());
    }
    return false;
  }
  // Pieces end where the next change is due, so every change lands on its sample.
  int offset = 0;
  do {
    ApplyChangesAt(offset, &next);
    const int end = next < queuedCount_ && queued_[static_cast<size_t>(next)].offset < nFrames
                        ? queued_[static_cast<size_t>(next)].offset
                        : nFrames;
    if (end > offset) RenderPiece(offset, end - offset);
    offset = end;
  } while (offset < nFrames);
  ApplyChangesAt(INT32_MAX, &next);  // any due beyond the block: at its end
  queuedCount_ = 0;
  pieceOffset_ = 0;
  if (playing_) position_ += nFrames;
  return true;
}

void IEffectWeb::SortQueuedChanges() noexcept {
  // Insertion sort, stable: changes on one sample keep the order they were queued in.
  for (int i = 1; i < queuedCount_; ++i) {
    const ParameterChange change = queued_[static_cast<size_t>(i)];
    int j = i;
    for (; j > 0 && queued_[static_cast<size_t>(j - 1)].offset > change.offset; --j) {
      queued_[static_cast<size_t>(j)] = queued_[static_cast<size_t>(j - 1)];
    }
    queued_[static_cast<size_t>(j)] = change;
  }
}

void IEffectWeb::ApplyChangesAt(int32_t offset, int* next) noexcept {
  int end = *next;
  while (end < queuedCount_ && queued_[static_cast<size_t>(end)].offset <= offset) ++end;
  if (offset != INT32_MAX) pieceOffset_ = offset;
  for (int i = *next; i < end; ++i) Apply(queued_[static_cast<size_t>(i)]);
  *next = end;
}

void IEffectWeb::RenderPiece(int offset, int nFrames) noexcept {
  pieceOffset_ = offset;
  float* channels[] = {left_.data() + offset, right_.data() + offset};
  AttachOutputBuffers(0, 2, channels);
  if (Bypassed()) {
    PassThroughBuffers(float(), nFrames);
  } else {
    ProcessBuffers(float(), nFrames);
  }
}

bool IEffectWeb::GetState(std::vector<uint8_t>* bytes) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  StateChunk chunk;
  if (!SaveState(chunk)) return false;
  bytes->assign(chunk.Data(), chunk.Data() + chunk.Size());
  return true;
}

bool IEffectWeb::SetState(const uint8_t* bytes, int size) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  StateChunk chunk;
  if (bytes && size > 0) chunk.PutBytes(bytes, size);
  const int pos = LoadState(chunk, 0);
  PushAllParametersToEditor();
  return pos >= 0;
}

}  // namespace spw_web
