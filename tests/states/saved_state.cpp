#include "saved_state.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "editor_session.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/common/memorystream.h"
#include "stereo_pulse_weaver.h"
#include "vst3_host.h"

namespace spwstates {
namespace {

constexpr int kBlock = spwsnapshot::EditorSession::kBlockFrames;
constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001b3ull;
constexpr double kFullScale = 32767.0;

uint64_t Mix(uint64_t hash, uint8_t byte) { return (hash ^ byte) * kFnvPrime; }

// The sample as a 16-bit file would hold it, rounded and clipped.
int16_t Quantised(float sample) {
  const double scaled = std::round(std::fmin(std::fmax(double(sample), -1.0), 1.0) * kFullScale);
  return static_cast<int16_t>(scaled);
}

uint64_t DigestOf(spwhost::Plugin& host, int64_t frames) {
  float left[kBlock], right[kBlock];
  float* outputs[2] = {left, right};
  uint64_t hash = kFnvOffset;
  for (int64_t done = 0; done < frames; done += kBlock) {
    const int n = static_cast<int>(std::min<int64_t>(kBlock, frames - done));
    host.ProcessFloat(outputs, n);
    for (int i = 0; i < n; ++i) {
      for (float sample : {left[i], right[i]}) {
        const auto q = static_cast<uint16_t>(Quantised(sample));
        hash = Mix(Mix(hash, uint8_t(q & 0xFF)), uint8_t(q >> 8));
      }
    }
  }
  return hash;
}

// A stream holding bytes from their start, as a host hands back what it stored.
void Fill(Steinberg::MemoryStream& stream, const std::vector<uint8_t>& bytes) {
  stream.write(const_cast<uint8_t*>(bytes.data()), static_cast<Steinberg::int32>(bytes.size()), nullptr);
  stream.seek(0, Steinberg::IBStream::kIBSeekSet, nullptr);
}

std::string Hex(const std::vector<uint8_t>& bytes) {
  std::string text;
  char pair[3];
  for (uint8_t b : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", b);
    text += pair;
  }
  return text;
}

bool FromHex(const std::string& text, std::vector<uint8_t>* bytes) {
  if (text.size() % 2 != 0) return false;
  bytes->clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    if (std::sscanf(text.substr(i, 2).c_str(), "%2x", &value) != 1) return false;
    bytes->push_back(static_cast<uint8_t>(value));
  }
  return true;
}

bool ReadBits(const std::string& text, uint64_t* bits) {
  char* end = nullptr;
  *bits = std::strtoull(text.c_str(), &end, 16);
  return !text.empty() && end && *end == '\0';
}

// The value of "key=VALUE" among the words of a line.
bool Field(const std::vector<std::string>& words, const std::string& key, std::string* value) {
  for (const std::string& word : words) {
    if (word.compare(0, key.size() + 1, key + "=") == 0) {
      *value = word.substr(key.size() + 1);
      return true;
    }
  }
  return false;
}

}  // namespace

uint64_t ValueBits(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

bool Replay(const std::vector<uint8_t>& component, const std::vector<uint8_t>& controller,
            std::vector<double>* values, uint64_t* digest, std::string* error) {
  spwsnapshot::EditorSession session;
  if (!session.Start(error)) return false;
  spwhost::Plugin& host = session.Host();
  Steinberg::MemoryStream forComponent, forController, controllerState;
  Fill(forComponent, component);
  Fill(forController, component);
  Fill(controllerState, controller);
  if (host.Component()->setState(&forComponent) != Steinberg::kResultOk) {
    *error = "the component refuses its state";
    return false;
  }
  host.Controller()->setComponentState(&forController);  // one object: the controller may not need it
  if (host.Controller()->setState(&controllerState) != Steinberg::kResultOk) {
    *error = "the controller refuses its state";
    return false;
  }
  values->clear();
  for (int i = 0; i < kValueCount; ++i) values->push_back(session.Plug().ParamAt(i)->Value());
  *digest = DigestOf(host, std::llround(kDigestSeconds * spwsnapshot::EditorSession::kSampleRate));
  return true;
}

std::string FormatLine(const SavedState& state) {
  std::string line = state.name + " component=" + Hex(state.component) + " controller=" + Hex(state.controller) +
                     " values=";
  char number[24];
  for (size_t i = 0; i < state.values.size(); ++i) {
    std::snprintf(number, sizeof number, "%s%016" PRIx64, i ? "," : "", ValueBits(state.values[i]));
    line += number;
  }
  std::snprintf(number, sizeof number, "%016" PRIx64, state.digest);
  return line + " digest=" + number;
}

bool ParseLine(const std::string& line, SavedState* state, std::string* error) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  std::string component, controller, values, digest;
  if (words.empty() || !Field(words, "component", &component) || !Field(words, "controller", &controller) ||
      !Field(words, "values", &values) || !Field(words, "digest", &digest)) {
    *error = "wants NAME component=HEX controller=HEX values=HEX,... digest=HEX";
    return false;
  }
  state->name = words[0];
  if (!FromHex(component, &state->component) || !FromHex(controller, &state->controller)) {
    *error = "a state is not hexadecimal bytes";
    return false;
  }
  state->values.clear();
  std::istringstream list(values);
  for (std::string item; std::getline(list, item, ',');) {
    uint64_t bits = 0;
    if (!ReadBits(item, &bits)) break;
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    state->values.push_back(value);
  }
  if (state->values.size() != size_t(kValueCount) || !ReadBits(digest, &state->digest)) {
    *error = "wants 24 values and a digest, in hexadecimal";
    return false;
  }
  return true;
}

bool ReadStates(const std::string& path, std::vector<SavedState>* states, std::string* error) {
  std::ifstream file(path);
  if (!file) {
    *error = path + ": cannot be read";
    return false;
  }
  int number = 0;
  for (std::string line; std::getline(file, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    SavedState state;
    std::string why;
    if (!ParseLine(line, &state, &why)) {
      *error = path + ":" + std::to_string(number) + ": " + why;
      return false;
    }
    states->push_back(state);
  }
  return true;
}

}  // namespace spwstates
