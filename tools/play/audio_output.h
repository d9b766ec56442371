#pragma once
// The computer's sound output through RtAudio: JACK, PulseAudio (and PipeWire
// through it) and ALSA on Linux, WASAPI and DirectSound on Windows, whichever of
// them has an output device first. Opens one stereo 32-bit float stream with
// separate channel buffers and calls the render function from RtAudio's audio thread.
//
// Threads: the main thread, except the render function (audio thread).

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
  bool Start(std::string* error);
  // Stops (after the queued audio has played) and closes the stream. gone: the
  // sound system went away while playing (Lost(), or it stopped calling).
  void Close(bool gone = false);
  // The stream was running, and the sound system took it away (the server quit or
  // the device vanished) or reported a failure.
  bool Lost() const;

 private:
  static int Callback(void* output, void* input, unsigned frames, double streamTime, unsigned status, void* user);
  void Abandon();

  std::unique_ptr<RtAudio> audio_;
  std::vector<OutputDevice> devices_;
  RenderFunction render_ = nullptr;
  void* user_ = nullptr;
  bool started_ = false;
};

// The one-line reason the sound system gave for a failure while playing, or "".
std::string AudioFailureText();

}  // namespace spwplay
