#pragma once
// The options spw_render and spw_play share: what to play (programme, settings,
// timeline), for how long, at which rate and block size, from which bundle. Each
// tool's option table names these handlers for its rows (command_line.h).

#include <string>
#include <utility>
#include <vector>

namespace spwrender {

struct SessionOptions {
  std::string bundlePath;                 // empty: the bundle built beside the program
  std::string program;                    // number or exact name; empty: none given
  std::vector<std::pair<std::string, std::string>> settings;  // (parameter name, value text), in order
  std::string timelinePath;               // a session to play after the programme and settings; empty: none
  double durationSeconds = 10.0;          // the timeline's end instead, when one is given and this is not
  bool durationGiven = false;
  int sampleRate = 48000;                 // Hz
  bool rateGiven = false;
  int blockSize = 512;                    // frames per process call
  bool quiet = false;
  bool verbose = false;                   // say which bundle was loaded, and from where
};

// Limits of the numeric options.
constexpr double kMaxDurationSeconds = 24.0 * 3600.0;
constexpr int kMinSampleRate = 8000;      // Hz
constexpr int kMaxSampleRate = 384000;    // Hz
constexpr int kMaxBlockSize = 8192;       // frames

// A whole decimal number within [min, max].
bool ParseWholeNumber(const std::string& text, long min, long max, int* value);

// Handlers of the shared options: false with a one-line reason for a bad value.
bool SetProgramOption(const std::string& value, SessionOptions* options, std::string* error);
bool AddSettingOption(const std::string& value, SessionOptions* options, std::string* error);
bool SetTimelineOption(const std::string& value, SessionOptions* options, std::string* error);
bool SetDurationOption(const std::string& value, SessionOptions* options, std::string* error);
bool SetRateOption(const std::string& value, SessionOptions* options, std::string* error);
bool SetBlockOption(const std::string& value, SessionOptions* options, std::string* error);
bool SetBundleOption(const std::string& value, SessionOptions* options, std::string* error);
bool SetQuietOption(const std::string& value, SessionOptions* options, std::string* error);
bool SetVerboseOption(const std::string& value, SessionOptions* options, std::string* error);

// The --help lines of --bundle and --verbose.
std::string BundleOptionUsage();

}  // namespace spwrender
