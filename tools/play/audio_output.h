#pragma once
// The computer's sound output through RtAudio: JACK, PulseAudio (and PipeWire
// through it) and ALSA on Linux, WASAPI and DirectSound on Windows, whichever of
// them has an output device first. Opens one stereo 32-bit float stream with
// separate channel buffers and calls the render function from RtAudio's audio thread.
//
// Threads: the main thread, except the render function (audio thread).

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class RtAudio;

namespace spwplay {

struct OutputDevice {
  unsigned id = 0;              // RtAudio's device number
  std::string name;
  unsigned channels = 0;        // output channels
  std::vector<unsigned> rates;  // Hz
  unsigned preferredRate = 0;   // Hz
  bool isDefault = false;
};

// The first failure the sound system reports for a stream, from whichever of its
// threads: written once (claimed by the first flag), then read.
class StreamFailure {
 public:
  void Reset() noexcept;
  void Report(const std::string& text) noexcept;
  bool Failed() const noexcept { return failed_.load(std::memory_order_acquire); }
  // The sound system's own one-line reason, or "".
  std::string Text() const { return Failed() ? std::string(text_) : std::string(); }

 private:
  std::atomic<bool> claimed_{false};
  std::atomic<bool> failed_{false};
  char text_[512] = {};
};

// [audio thread] Fills frames of each channel; underrun: the device ran dry before this call.
using RenderFunction = void (*)(void* user, float* left, float* right, int frames, bool underrun);

class AudioOutput {
 public:
  // The system's first sound system with an output device; with fallback, the one
  // to try when that plays nothing (DirectSound on Windows).
  explicit AudioOutput(bool fallback = false);
  // Whether this platform has a fallback.
  static bool HasFallback();
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // The sound system in use ("JACK", "PulseAudio", "ALSA", "WASAPI", ...).
  std::string SystemName() const;
  // The devices with at least two output channels.
  const std::vector<OutputDevice>& Devices() const { return devices_; }
  void PrintDevices(std::FILE* out) const;
  // The device a --device text names: its number in the list or its name (exact,
  // else ignoring case). Empty text: the default output. False when none fits.
  bool Find(const std::string& text, OutputDevice* device) const;

  // Opens a stream on device at rate Hz with about block frames per callback;
  // *block receives what the device grants. False with a one-line reason.
  bool Open(const OutputDevice& device, unsigned rate, unsigned* block, RenderFunction render, void* user,
            std::string* error);
  // False with the sound system's own reason when it refuses to start.
  bool Start(std::string* error);
  // Stops (after the queued audio has played) and closes the stream, here and now.
  void Close();

  enum class Ending {
    kDrain,   // the queued audio plays out first
    kAtOnce,  // the queued audio is dropped
    kGone,    // the sound system went away while playing (Lost(), or it stopped calling)
  };
  // Ends the stream without ever hanging the caller: the stop runs on a thread of
  // its own, waited for until it ends, giveUp() says so, or a few seconds pass.
  // False when it did not end: the stream is then left to the process's exit, and
  // its render function may still be called.
  bool End(Ending ending, bool (*giveUp)());

  // The stream was running, and the sound system took it away (the server quit or
  // the device vanished) or reported a failure.
  bool Lost() const;
  // The sound system's own one-line reason for a failure of this stream, or "".
  std::string FailureText() const;

 private:
  static int Callback(void* output, void* input, unsigned frames, double streamTime, unsigned status, void* user);
  void LeaveToExit();

  std::unique_ptr<RtAudio> audio_;
  std::vector<OutputDevice> devices_;
  RenderFunction render_ = nullptr;
  void* user_ = nullptr;
  bool started_ = false;
  StreamFailure failure_;
};

}  // namespace spwplay
