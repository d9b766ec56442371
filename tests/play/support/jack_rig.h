#pragma once
// A JACK server of the test's own on the dummy driver (no sound card), under a
// name no other test uses, and a small JACK client that records two ports of
// another client from the moment it connects to them.

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"

constexpr int kJackRate = 48000;
// 21 ms a cycle: a shared, loaded machine's scheduling delays stay inside one
// cycle, where shorter cycles are missed and leave gaps in what is recorded.
constexpr int kJackPeriod = 1024;

class JackServer {
 public:
  JackServer() {
    static int counter = 0;
    name_ = "spwtest" + std::to_string(getpid()) + "_" + std::to_string(counter++);
  }
  // A server killed rather than stopped stays in JACK's registry of servers: it gets time to stop.
  ~JackServer() { Stop(); }

  // Starts jackd and waits until a client gets in (a loaded machine may take seconds).
  bool Start(const std::string& logPath) {
    // The library's complaints while the server is not up yet are expected.
    jack_set_error_function([](const char*) {});
    jack_set_info_function([](const char*) {});
    if (!process_.Start("jackd", {"--no-realtime", "-n", name_, "-d", "dummy", "-r", std::to_string(kJackRate), "-p",
                                  std::to_string(kJackPeriod)},
                        {}, logPath)) {
      return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline && process_.Running()) {
      jack_status_t status;
      jack_client_t* probe = jack_client_open("probe", jack_options_t(JackNoStartServer | JackServerName), &status,
                                              name_.c_str());
      if (probe) {
        jack_client_close(probe);
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }
  void Stop() {
    process_.Signal(SIGTERM);
    process_.Wait(30.0);
  }

  const std::string& Name() const { return name_; }
  // The environment a client needs to find this server and no other.
  std::vector<std::string> ClientEnvironment() const {
    return {"JACK_DEFAULT_SERVER=" + name_, "JACK_NO_START_SERVER=1"};
  }

 private:
  std::string name_;
  ChildProcess process_;
};

class JackRecorder {
 public:
  static constexpr double kMaxSeconds = 30.0;

  explicit JackRecorder(const std::string& server)
      : left_(size_t(kMaxSeconds * kJackRate)), right_(size_t(kMaxSeconds * kJackRate)) {
    jack_status_t status;
    client_ = jack_client_open("recorder", jack_options_t(JackNoStartServer | JackServerName), &status, server.c_str());
    if (!client_) return;
    in_[0] = jack_port_register(client_, "in_1", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    in_[1] = jack_port_register(client_, "in_2", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(client_, &JackRecorder::OnProcess, this);
    jack_activate(client_);
  }
  ~JackRecorder() {
    if (client_) {
      jack_deactivate(client_);
      jack_client_close(client_);
    }
  }
  bool Ready() const { return client_ != nullptr; }

  // Waits for the ports "CLIENT:outport 0" and "CLIENT:outport 1" to appear, then records them.
  bool RecordFrom(const std::string& client, double waitSeconds) {
    const std::string ports[2] = {client + ":outport 0", client + ":outport 1"};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(waitSeconds);
    // The ports exist before their client is switched on, and connect only after.
    bool connected[2] = {false, false};
    while (std::chrono::steady_clock::now() < deadline) {
      for (int c = 0; c < 2; ++c) {
        if (!connected[c] && jack_port_by_name(client_, ports[c].c_str())) {
          connected[c] = jack_connect(client_, ports[c].c_str(), jack_port_name(in_[c])) == 0;
        }
      }
      if (connected[0] && connected[1]) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  // What was recorded so far (call once the player has stopped).
  std::vector<float> Left() const { return {left_.begin(), left_.begin() + long(frames_.load())}; }
  std::vector<float> Right() const { return {right_.begin(), right_.begin() + long(frames_.load())}; }
  double Seconds() const { return double(frames_.load()) / kJackRate; }
  // The frame of the recording that the server plays now (an estimate between its cycles).
  int64_t FrameNow() const { return int64_t(jack_frame_time(client_)) - int64_t(firstFrame_.load()); }

 private:
  static int OnProcess(jack_nframes_t n, void* self) {
    auto* me = static_cast<JackRecorder*>(self);
    // Nothing is recorded before both ports are connected.
    if (jack_port_connected(me->in_[0]) == 0 || jack_port_connected(me->in_[1]) == 0) return 0;
    const auto* l = static_cast<const float*>(jack_port_get_buffer(me->in_[0], n));
    const auto* r = static_cast<const float*>(jack_port_get_buffer(me->in_[1], n));
    size_t at = me->frames_.load();
    const jack_nframes_t cycle = jack_last_frame_time(me->client_);
    if (at == 0) me->firstFrame_.store(cycle);
    // Cycles this client missed (a loaded machine) stay in the recording as silence,
    // so that its frames keep the server's time.
    const size_t due = size_t(jack_nframes_t(cycle - me->firstFrame_.load()));
    if (due > at && due <= me->left_.size()) at = due;
    const size_t count = std::min<size_t>(n, me->left_.size() - at);
    std::copy(l, l + count, me->left_.begin() + long(at));
    std::copy(r, r + count, me->right_.begin() + long(at));
    me->frames_.store(at + count);
    return 0;
  }

  jack_client_t* client_ = nullptr;
  jack_port_t* in_[2] = {};
  std::vector<float> left_, right_;
  std::atomic<size_t> frames_{0};
  std::atomic<jack_nframes_t> firstFrame_{0};  // the server's frame time of the recording's first frame
};
