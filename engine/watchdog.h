#pragma once
// The transport watchdog: one thread per plug-in instance that looks every two
// periods whether the host rendered a block since its last look; if not (the
// host stopped calling for audio), it asks the next block to re-align the
// phases to the host position.
//
// Threads: constructed and destroyed on the main thread (with the plug-in);
// the thread itself touches only the engine's atomic flags watchdogRunning,
// blockSeen and resyncRequested, never the instance lock.
//
// A build without threads (SPW_NO_THREADS, WebAssembly without shared memory)
// has no watchdog: its host switches the plug-in off and on around a pause,
// and switching on asks for the re-alignment.

#include <chrono>
#include <thread>

#include "tone_engine.h"

class Watchdog {
 public:
  static constexpr std::chrono::milliseconds kDefaultPeriod{100};

  // Sets watchdogRunning and starts the thread. [main thread]
  explicit Watchdog(ToneEngine& engine, std::chrono::milliseconds period = kDefaultPeriod);
  // Clears watchdogRunning and joins the thread, which leaves within one
  // sleeping slice (10 ms). [main thread]
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  void Run() noexcept;
  // Sleeps one period in short slices; false when told to stop meanwhile.
  bool SleepPeriod() const noexcept;
  bool Running() const noexcept;

  ToneEngine& engine_;
  std::chrono::milliseconds period_;
#if !defined(SPW_NO_THREADS)
  std::thread thread_;
#endif
};
