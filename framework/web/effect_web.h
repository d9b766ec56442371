#pragma once
// The web binding of the plug-in base: what a page (its audio worklet and its
// editor) calls, as a VST 3 host calls the VST 3 binding. The page is the host:
// it sets up processing, switches the plug-in on, sends parameter changes and
// programme selections with the block they belong to, each applied on its
// sample, and asks for blocks of stereo 32-bit float audio with a running
// transport. What the plug-in changes itself while it plays (grid slots and
// the like) is listed for the page after each block.
//
// Parameter IDs are the indices 0..N-1; kProgramChangeId selects a programme
// (its value is the programme's index).
//
// Threads: one. In the browser the worklet's instance renders and the page's
// instance edits, each in its own thread with its own memory; the page's
// messages carry values between them. Process runs under the instance lock,
// allocates nothing and never throws.

#include <cstdint>
#include <vector>

#include "effect_base.h"

namespace spw_web {

constexpr int32_t kProgramChangeId = -1;
// Changes one block can carry in and out; more are refused (in) or dropped (out).
constexpr int kMaxChangesPerBlock = 512;

// One parameter change: parameter (or kProgramChangeId), the sample of the
// block it applies on, and its value (normalised 0..1; the index for a programme).
struct ParameterChange {
  int32_t id = 0;
  int32_t offset = 0;
  double value = 0.0;
};

class IEffectWeb : public IEffectBase {
 public:
  explicit IEffectWeb(const IEffectConfig& config);
  ~IEffectWeb() override;

  // [main thread] Every parameter applied once, as a host's initialise does; call
  // once after the plug-in class is constructed.
  void Initialize();
  // [main thread] Rate (Hz) and the longest block (samples) Process will be asked
  // for; false for values that are not positive.
  bool SetupProcessing(double sampleRate, int maxBlockFrames);
  // [main thread] Switching on (after a pause, too) re-aligns the phases.
  void SetActive(bool active);
  // [main thread] Transport of the following blocks; the position (samples)
  // advances by each block while playing.
  void SetTransport(bool playing, int64_t positionSamples);

  // [audio thread] A change for the next Process call, on sample offset of its
  // block; changes on one sample apply in the order queued. False when the
  // block's list is full or the ID unknown.
  bool QueueChange(int32_t id, double value, int32_t offset) noexcept;
  // [audio thread] Renders nFrames (at most the set-up's longest block) into the
  // stereo output buffers, applying the queued changes on their samples: the
  // block is rendered in pieces that start where a change is due, as spw_play
  // cuts its callbacks. (The engine's ramps step once per piece, so a change
  // off the 128-frame grid gives other pieces, and other last bits, than
  // spw_render, which starts its following blocks from the change.) False (and
  // silence) before SetupProcessing or for a block that is too long.
  bool Process(int nFrames) noexcept;
  // The stereo output of the last block: channel 0 left, 1 right.
  float* Output(int channel) noexcept;
  // What the plug-in reported to its host since the page last cleared the list:
  // parameter changes it made itself, and in the page's instance the person's
  // edits in the editor, in order (offset: the sample of the block it was made
  // on, 0 outside Process). Beyond kMaxChangesPerBlock they are dropped.
  int OutputChangeCount() const noexcept { return outputChangeCount_; }
  void ClearOutputChanges() noexcept;
  const ParameterChange& OutputChange(int i) const noexcept { return outputChanges_[static_cast<size_t>(i)]; }

  // [main thread] A change applied at once, outside Process: what the page's
  // instance is told of the worklet's (the plug-in's own writes there), as a
  // host's change, shown by the editor and not reported back.
  void ApplyChange(int32_t id, double value);

  // [main thread] The component's state, the same bytes a VST 3 host saves.
  bool GetState(std::vector<uint8_t>* bytes);
  // False (the plug-in keeps what it can, as the VST 3 binding does) when the
  // bytes end before every value is read.
  bool SetState(const uint8_t* bytes, int size);

  // ---- Base virtuals filled in for the page ----
  void ReportParameterToHost(int paramIdx) override;
  // The person's edit: the page sends it on to the worklet's instance. A
  // gesture's begin and end matter to no one on a page.
  void SendHostEdit(int paramIdx, double normalized) override;
  int64_t HostSamplePosition() override { return position_ + pieceOffset_; }
  double HostTempo() override { return kTempoBpm; }
  int GetTransportState() override { return playing_ ? 1 : 0; }
  void HostTimeInfo(ITransportInfo* info) override;

 private:
  static constexpr double kTempoBpm = 120.0;

  void Report(int32_t id, double normalized) noexcept;
  void Apply(const ParameterChange& change) noexcept;
  // Applies the queued changes due up to offset.
  void ApplyChangesAt(int32_t offset, int* next) noexcept;
  void RenderPiece(int offset, int nFrames) noexcept;
  void SortQueuedChanges() noexcept;

  std::vector<ParameterChange> queued_;        // sized once: kMaxChangesPerBlock
  int queuedCount_ = 0;
  std::vector<ParameterChange> outputChanges_;  // sized once: kMaxChangesPerBlock
  int outputChangeCount_ = 0;
  std::vector<float> left_, right_;             // the page's output, one block long
  int maxBlockFrames_ = 0;
  bool playing_ = true;
  int64_t position_ = 0;  // project time of the block being rendered, samples
  int pieceOffset_ = 0;   // samples into the block of the piece being rendered
};

}  // namespace spw_web
