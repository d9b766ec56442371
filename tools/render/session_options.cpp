#include "session_options.h"

#include <cmath>

#include "clock_time.h"
#include "decimal_number.h"

namespace spwrender {

bool ParseWholeNumber(const std::string& text, long min, long max, int* value) {
  double number = 0.0;
  if (!ReadDecimal(text, &number) || number != std::floor(number) || number < min || number > max) return false;
  *value = static_cast<int>(number);
  return true;
}

bool SetDurationOption(const std::string& value, SessionOptions* options, std::string* error) {
  double seconds = 0.0;
  if (!ParseClockTime(value, &seconds) || seconds <= 0.0 || seconds > kMaxDurationSeconds) {
    *error = "--duration wants a time above 0 and at most " + FormatClockTime(kMaxDurationSeconds) +
             " (seconds, m:ss or h:mm:ss, e.g. 90 or 1:30), not '" + value + "'";
    return false;
  }
  options->durationSeconds = seconds;
  options->durationGiven = true;
  return true;
}

bool SetRateOption(const std::string& value, SessionOptions* options, std::string* error) {
  if (!ParseWholeNumber(value, kMinSampleRate, kMaxSampleRate, &options->sampleRate)) {
    *error = "--rate wants a whole number of Hz from " + std::to_string(kMinSampleRate) + " to " +
             std::to_string(kMaxSampleRate) + ", not '" + value + "'";
    return false;
  }
  options->rateGiven = true;
  return true;
}

bool SetBlockOption(const std::string& value, SessionOptions* options, std::string* error) {
  if (!ParseWholeNumber(value, 1, kMaxBlockSize, &options->blockSize)) {
    *error = "--block wants a whole number of frames from 1 to " + std::to_string(kMaxBlockSize) + ", not '" +
             value + "'";
    return false;
  }
  return true;
}

bool AddSettingOption(const std::string& value, SessionOptions* options, std::string* error) {
  const auto eq = value.find('=');
  if (eq == std::string::npos || eq == 0 || eq + 1 == value.size()) {
    *error = "--set wants NAME=VALUE, e.g. --set \"Binaural=7.83\", not '" + value + "'";
    return false;
  }
  options->settings.emplace_back(value.substr(0, eq), value.substr(eq + 1));
  return true;
}

namespace {

// A text option that must not be empty; wanted is the message when it is.
bool SetText(const std::string& value, std::string* field, const char* wanted, std::string* error) {
  if (value.empty()) {
    *error = wanted;
    return false;
  }
  *field = value;
  return true;
}

}  // namespace

bool SetProgramOption(const std::string& value, SessionOptions* options, std::string* error) {
  return SetText(value, &options->program, "--program wants a programme number or name (see --list-programs)", error);
}

bool SetTimelineOption(const std::string& value, SessionOptions* options, std::string* error) {
  return SetText(value, &options->timelinePath, "--timeline wants the path of a timeline file", error);
}

bool SetBundleOption(const std::string& value, SessionOptions* options, std::string* error) {
  return SetText(value, &options->bundlePath, "--bundle wants the path of a .vst3 bundle", error);
}

bool SetQuietOption(const std::string&, SessionOptions* options, std::string*) {
  options->quiet = true;
  return true;
}

bool SetVerboseOption(const std::string&, SessionOptions* options, std::string*) {
  options->verbose = true;
  return true;
}

std::string BundleOptionUsage() {
  return "      --bundle PATH      the stereoPulseWeaver.vst3 bundle (default: the first found\n"
         "                         beside this program, in its build tree, installed with it,\n"
#ifdef _WIN32
         "                         then in %CommonProgramFiles%\\VST3)\n"
#else
         "                         then in ~/.vst3, /usr/lib/vst3 or /usr/local/lib/vst3)\n"
#endif
         "  -v, --verbose          say which bundle is loaded, and where it was found\n";
}

}  // namespace spwrender
