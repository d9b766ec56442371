#pragma once
// Where rendered audio goes, block by block: a file, a scratch file, an analysis.

#include <string>

namespace spwrender {

class AudioSink {
 public:
  virtual ~AudioSink() = default;
  // Takes frames of the two channels. False with a one-line reason when it cannot.
  virtual bool Write(const float* left, const float* right, int frames, std::string* error) = 0;
};

}  // namespace spwrender
