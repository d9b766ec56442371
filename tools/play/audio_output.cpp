#include "audio_output.h"

#include <RtAudio.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "name_match.h"
#include "sound_library_messages.h"

namespace spwplay {
namespace {

constexpr std::chrono::seconds kCloseWait{2};  // for the sound system's own close of a lost stream
constexpr std::chrono::seconds kEndWait{3};    // far beyond a stop's drain: a stuck stop does not hang us
constexpr std::chrono::milliseconds kPollStep{10};

// RtAudio reports a stream's errors through a plain function without a user
// pointer: they go to the failure of the stream opened last.
std::atomic<StreamFailure*> gReporting{nullptr};

void OnAudioError(RtAudioError::Type type, const std::string& text) {
  if (type == RtAudioError::WARNING || type == RtAudioError::DEBUG_WARNING) return;
  if (StreamFailure* failure = gReporting.load(std::memory_order_acquire)) failure->Report(text);
}

}  // namespace

void StreamFailure::Reset() noexcept {
  failed_.store(false);
  claimed_.store(false);
}

void StreamFailure::Report(const std::string& text) noexcept {
  if (claimed_.exchange(true)) return;
  std::strncpy(text_, text.c_str(), sizeof text_ - 1);
  failed_.store(true, std::memory_order_release);
}

std::string AudioOutput::FailureText() const { return failure_.Text(); }

bool AudioOutput::HasFallback() {
#ifdef _WIN32
  return true;
#else
  return false;
#endif
}

AudioOutput::AudioOutput(bool fallback) {
  QuietSoundLibraries();
  const SilencedCerr quiet;  // while RtAudio looks for a system with an output
#ifdef _WIN32
  audio_ = std::make_unique<RtAudio>(fallback ? RtAudio::WINDOWS_DS : RtAudio::UNSPECIFIED);
#else
  (void)fallback;
  audio_ = std::make_unique<RtAudio>();
#endif
  audio_->showWarnings(false);
  const unsigned count = audio_->getDeviceCount();
  for (unsigned id = 0; id < count; ++id) {
    RtAudio::DeviceInfo info;
    try {
      info = audio_->getDeviceInfo(id);
    } catch (const RtAudioError&) {
      continue;  // a device that vanished while listed
    }
    if (!info.probed || info.outputChannels < 2) continue;
    devices_.push_back({id, info.name, info.outputChannels, info.sampleRates, info.preferredSampleRate,
                        info.isDefaultOutput});
  }
}

AudioOutput::~AudioOutput() {
  Close();
  StreamFailure* mine = &failure_;
  gReporting.compare_exchange_strong(mine, nullptr);
}

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
  failure_.Reset();
  gReporting.store(&failure_, std::memory_order_release);
  // With an error function RtAudio reports through it instead of throwing; a
  // failure to open may still throw.
  try {
    audio_->openStream(&parameters, nullptr, RTAUDIO_FLOAT32, rate, block, &AudioOutput::Callback, this, &options,
                       OnAudioError);
  } catch (const RtAudioError& e) {
    failure_.Report(e.getMessage());
  }
  if (failure_.Failed() || !audio_->isStreamOpen()) {
    *error = "cannot open the sound output '" + device.name + "' (" + SystemName() + "): " + FailureText();
    return false;
  }
  return true;
}

bool AudioOutput::Start(std::string* error) {
  try {
    audio_->startStream();
  } catch (const RtAudioError& e) {
    failure_.Report(e.getMessage());
  }
  if (failure_.Failed()) {
    *error = "cannot start the sound output (" + SystemName() + "): " + FailureText();
    return false;
  }
  started_ = true;
  return true;
}

void AudioOutput::Close() {
  if (!audio_) return;
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
// would also race that close (a deadlock in libjack was seen): for JACK the player
// waits a moment for that close. Other systems close nothing themselves.
bool AudioOutput::End(Ending ending, bool (*giveUp)()) {
  if (!audio_) return true;
  const auto waitFor = [giveUp](auto ended, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ended() && !giveUp() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(kPollStep);
    return ended();
  };
  if (ending == Ending::kGone) {
    RtAudio* audio = audio_.get();
    const bool closesItself = audio->getCurrentApi() == RtAudio::UNIX_JACK;
    if (closesItself && waitFor([audio] { return !audio->isStreamOpen(); }, kCloseWait)) return true;
    LeaveToExit();
    return false;
  }
  auto ended = std::make_shared<std::atomic<bool>>(false);
  std::thread([audio = audio_.get(), drain = ending == Ending::kDrain, ended] {
    try {
      if (audio->isStreamRunning()) drain ? audio->stopStream() : audio->abortStream();
      if (audio->isStreamOpen()) audio->closeStream();
    } catch (const RtAudioError&) {
      // As in Close.
    }
    ended->store(true);
  }).detach();
  if (waitFor([&ended] { return ended->load(); }, kEndWait)) return true;
  LeaveToExit();
  return false;
}

// Never destroyed: that would close the stream, which is what hangs or races.
void AudioOutput::LeaveToExit() { static_cast<void>(audio_.release()); }

// A JACK server that quits closes the stream; other systems report an error.
bool AudioOutput::Lost() const { return started_ && (failure_.Failed() || !audio_ || !audio_->isStreamOpen()); }

int AudioOutput::Callback(void* output, void*, unsigned frames, double, unsigned status, void* user) {
  auto* self = static_cast<AudioOutput*>(user);
  auto* left = static_cast<float*>(output);
  self->render_(self->user_, left, left + frames, static_cast<int>(frames), (status & RTAUDIO_OUTPUT_UNDERFLOW) != 0);
  return 0;
}

}  // namespace spwplay
