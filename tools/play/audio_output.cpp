#include "audio_output.h"

#include <RtAudio.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "name_match.h"

namespace spwplay {
namespace {

// RtAudio reports errors of a running stream through a plain function: the first
// one is kept for the main thread. Written once (claimed by the flag), then read.
constexpr std::chrono::seconds kCloseWait{2};  // for the sound system's own close of a lost stream

std::atomic<bool> gFailureClaimed{false};
std::atomic<bool> gFailed{false};
char gFailureText[512];

void OnAudioError(RtAudioError::Type type, const std::string& text) {
  if (type == RtAudioError::WARNING || type == RtAudioError::DEBUG_WARNING) return;
  if (gFailureClaimed.exchange(true)) return;
  std::strncpy(gFailureText, text.c_str(), sizeof gFailureText - 1);
  gFailed.store(true);
}

}  // namespace

std::string AudioFailureText() { return gFailed.load() ? std::string(gFailureText) : std::string(); }

bool AudioOutput::HasFallback() {
#ifdef _WIN32
  return true;
#else
  return false;
#endif
}

AudioOutput::AudioOutput(bool fallback) {
#ifdef _WIN32
  audio_ = std::make_unique<RtAudio>(fallback ? RtAudio::WINDOWS_DS : RtAudio::UNSPECIFIED);
#else
  (void)fallback;
  audio_ = std::make_unique<RtAudio>();
#endif
  audio_->showWarnings(false);
  const unsigned count = audio_->getDeviceCount();
  for (unsigned id = 0; id < count; ++id) {
    const RtAudio::DeviceInfo info = audio_->getDeviceInfo(id);
    if (!info.probed || info.outputChannels < 2) continue;
    devices_.push_back({id, info.name, info.outputChannels, info.sampleRates, info.preferredSampleRate,
                        info.isDefaultOutput});
  }
}

AudioOutput::~AudioOutput() { Close(); }

std::string AudioOutput::SystemName() const { return RtAudio::getApiDisplayName(audio_->getCurrentApi()); }

void AudioOutput::PrintDevices(std::FILE* out) const {
  for (size_t i = 0; i < devices_.size(); ++i) {
    const OutputDevice& d = devices_[i];
    std::fprintf(out, "%zu\t%s\t%u channels, %u Hz%s\n", i, d.name.c_str(), d.channels, d.preferredRate,
                 d.isDefault ? "\t(default)" : "");
  }
}

bool AudioOutput::Find(const std::string& text, OutputDevice* device) const {
  if (devices_.empty()) return false;
  if (text.empty()) {
    *device = devices_.front();
    for (const OutputDevice& d : devices_) {
      if (d.isDefault) *device = d;
    }
    return true;
  }
  if (text.find_first_not_of("0123456789") == std::string::npos && text.size() < 6) {
    const size_t number = std::stoul(text);
    if (number >= devices_.size()) return false;
    *device = devices_[number];
    return true;
  }
  std::vector<std::string> names;
  for (const OutputDevice& d : devices_) names.push_back(d.name);
  const std::vector<int> found = spwrender::MatchName(names, text);
  if (found.size() != 1) return false;
  *device = devices_[size_t(found.front())];
  return true;
}

bool AudioOutput::Open(const OutputDevice& device, unsigned rate, unsigned* block, RenderFunction render, void* user,
                       std::string* error) {
  render_ = render;
  user_ = user;
  RtAudio::StreamParameters parameters;
  parameters.deviceId = device.id;
  parameters.nChannels = 2;
  RtAudio::StreamOptions options;
  options.flags = RTAUDIO_NONINTERLEAVED | RTAUDIO_SCHEDULE_REALTIME;
  options.streamName = "spw_play";
  try {
    audio_->openStream(&parameters, nullptr, RTAUDIO_FLOAT32, rate, block, &AudioOutput::Callback, this, &options,
                       OnAudioError);
  } catch (const RtAudioError& e) {
    *error = "cannot open the sound output '" + device.name + "' (" + SystemName() + "): " + e.getMessage();
    return false;
  }
  return true;
}

bool AudioOutput::Start(std::string* error) {
  try {
    audio_->startStream();
  } catch (const RtAudioError& e) {
    *error = "cannot start the sound output (" + SystemName() + "): " + e.getMessage();
    return false;
  }
  started_ = true;
  return true;
}

void AudioOutput::Close(bool gone) {
  if (!audio_) return;
  if (gone) {
    Abandon();
    return;
  }
  try {
    if (audio_->isStreamRunning()) audio_->stopStream();
    if (audio_->isStreamOpen()) audio_->closeStream();
  } catch (const RtAudioError&) {
    // The stream is going either way; a sound system that already went away says so here.
  }
}

// A stream whose sound system went away is not stopped: stopping waits for the
// queued audio to play, and no callback will come to play it. RtAudio closes a
// stream whose JACK server quit from a thread of its own, and a stop from here
// would also race that close (a deadlock in libjack was seen). The player waits a
// moment for that close; a stream still open then is left to the process's exit.
void AudioOutput::Abandon() {
  const auto deadline = std::chrono::steady_clock::now() + kCloseWait;
  while (audio_->isStreamOpen() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (audio_->isStreamOpen()) static_cast<void>(audio_.release());  // never destroyed: that would close it
}

// A JACK server that quits closes the stream; other systems report an error.
bool AudioOutput::Lost() const { return started_ && (gFailed.load() || !audio_ || !audio_->isStreamOpen()); }

int AudioOutput::Callback(void* output, void*, unsigned frames, double, unsigned status, void* user) {
  auto* self = static_cast<AudioOutput*>(user);
  auto* left = static_cast<float*>(output);
  self->render_(self->user_, left, left + frames, static_cast<int>(frames), (status & RTAUDIO_OUTPUT_UNDERFLOW) != 0);
  return 0;
}

}  // namespace spwplay
