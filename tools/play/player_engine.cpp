#include "player_engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "edit_queue.h"
#include "fade_out.h"
#include "parameter_table.h"
#include "program_values.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "transport_context.h"
#include "vst3_host.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spwplay {
namespace {

constexpr double kTempoBpm = 120.0;

// Keeps the larger (or smaller) of an atomic and value.
void RaiseTo(std::atomic<float>& target, float value) noexcept {
  float seen = target.load(std::memory_order_relaxed);
  while (value > seen && !target.compare_exchange_weak(seen, value, std::memory_order_relaxed)) {
  }
}
void LowerTo(std::atomic<float>& target, float value) noexcept {
  float seen = target.load(std::memory_order_relaxed);
  while (value < seen && !target.compare_exchange_weak(seen, value, std::memory_order_relaxed)) {
  }
}

}  // namespace

PlayerEngine::PlayerEngine(spwhost::Plugin& plugin, ParameterTable& table, EditQueue& edits,
                           LiveAutomation* automation, int64_t totalFrames)
    : plugin_(plugin), table_(table), edits_(edits), automation_(automation), total_(totalFrames),
      changes_(std::max(1, table.Count())), written_(std::max(1, table.Count())) {}

PlayerEngine::~PlayerEngine() { Stop(); }

bool PlayerEngine::Start(int sampleRate, int maxBlock, std::string* error) {
  sampleRate_ = sampleRate;
  maxBlock_ = std::max(1, maxBlock);
  if (!plugin_.SetStereoOutput()) {
    *error = "the plug-in refuses a stereo output without inputs";
    return false;
  }
  if (!plugin_.SetupProcessing(sampleRate, maxBlock_, spwhost::SampleSize::k32, /*offline=*/false)) {
    *error = "the plug-in refuses to play at " + std::to_string(sampleRate) + " Hz in blocks of " +
             std::to_string(maxBlock_);
    return false;
  }
  if (!plugin_.SetActive(true)) {
    *error = "the plug-in refuses to be switched on";
    return false;
  }
  plugin_.Processor()->setProcessing(true);
  started_ = true;
  limiter_.Prepare(sampleRate);
  fades_.Prepare(sampleRate);
  return true;
}

void PlayerEngine::Stop() {
  if (!started_) return;
  started_ = false;
  plugin_.Processor()->setProcessing(false);
  plugin_.SetActive(false);
}

void PlayerEngine::DrainEdits() noexcept {
  Edit edit;
  while (edits_.Pop(&edit)) {
    if (programValues_ && edit.id == programmeId_) {
      ChooseProgramme(edit);
      continue;
    }
    // Again, in the plug-in's order: a programme chosen just before may have overwritten it.
    const int index = table_.IndexOf(edit.id);
    if (index >= 0) table_.Set(index, edit.normalized);
    changes_.Add(edit.id, edit.normalized);
    // A person moving a knob takes it over from a slide of the session.
    if (automation_) automation_->StopSlide(edit.id);
  }
}

// The plug-in applies one value per parameter and call: what came before the
// programme goes first, in a call of its own.
void PlayerEngine::ChooseProgramme(const Edit& edit) noexcept {
  if (!changes_.Empty()) FlushChanges();
  if (automation_) automation_->StopSlides();
  changes_.Add(edit.id, edit.normalized);
  const size_t count = programValues_->size();
  const long programme = count > 1 ? std::lround(std::clamp(edit.normalized, 0.0, 1.0) * double(count - 1)) : 0;
  if (size_t(programme) < count) SetProgrammeValues(table_, (*programValues_)[size_t(programme)]);
}

void PlayerEngine::FlushChanges() noexcept { Process(nullptr, nullptr, 0); }

void PlayerEngine::Process(float* left, float* right, int frames) noexcept {
  spwhost::FillTransport(context_, sampleRate_, kTempoBpm, frame_, /*playing=*/true);
  float* channels[2] = {left, right};
  AudioBusBuffers bus = {};
  bus.numChannels = 2;
  bus.channelBuffers32 = channels;
  ProcessData data;
  data.processMode = kRealtime;
  data.symbolicSampleSize = kSample32;
  data.numSamples = frames;
  data.numInputs = 0;
  data.numOutputs = frames > 0 ? 1 : 0;
  data.outputs = frames > 0 ? &bus : nullptr;
  data.inputParameterChanges = &changes_;
  data.outputParameterChanges = &written_;
  data.processContext = &context_;
  written_.Clear();
  if (plugin_.Processor()->process(data) != kResultOk && frames > 0) {
    std::memset(left, 0, sizeof(float) * size_t(frames));
    std::memset(right, 0, sizeof(float) * size_t(frames));
  }
  changes_.Clear();
  FollowPluginWrites();
}

// What the plug-in wrote itself ("Unlink Ref" when unlinked, a slot's cell) is the
// value from now on: a later slide starts from it.
void PlayerEngine::FollowPluginWrites() noexcept {
  for (int32 q = 0; q < written_.getParameterCount(); ++q) {
    IParamValueQueue* queue = written_.getParameterData(q);
    int32 offset = 0;
    ParamValue value = 0.0;
    const int index = table_.IndexOf(queue->getParameterId());
    if (index >= 0 && queue->getPoint(queue->getPointCount() - 1, offset, value) == kResultOk) table_.Set(index, value);
  }
}

void PlayerEngine::Render(float* left, float* right, int frames) noexcept {
  if (faded_.load(std::memory_order_relaxed)) {
    std::memset(left, 0, sizeof(float) * size_t(frames));
    std::memset(right, 0, sizeof(float) * size_t(frames));
    return;
  }
  for (int done = 0; done < frames;) {
    DrainEdits();
    if (automation_) automation_->Deliver(frame_, changes_, *this);
    int64_t n = std::min<int64_t>(frames - done, maxBlock_);
    if (automation_) n = std::min(n, automation_->FramesToNext(frame_));
    Process(left + done, right + done, int(n));
    done += int(n);
    frame_ += n;
  }
  if (!bare_) {
    limiter_.Process(left, right, frames);
    LowerTo(lowestGain_, limiter_.TakeLowestGain());
    ApplyFade(left, right, frames);
  }
  Meter(left, right, frames);
  frameShown_.store(frame_, std::memory_order_relaxed);
}

void PlayerEngine::ApplyFade(float* left, float* right, int frames) noexcept {
  // The session's end arrives faded: the fade starts half a second before it.
  const bool ending = total_ != kEndless && frame_ > total_ - fades_.FadeFrames();
  if (fades_.Apply(left, right, frames, fadeRequested_.load(std::memory_order_relaxed) || ending)) {
    faded_.store(true, std::memory_order_relaxed);
  }
}

void PlayerEngine::Meter(const float* left, const float* right, int frames) noexcept {
  float peak = 0.0f;
  for (int i = 0; i < frames; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  RaiseTo(peak_, peak);
}

}  // namespace spwplay
