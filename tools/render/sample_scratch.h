#pragma once
// A whole render kept as 32-bit float samples in a temporary file, so that it can be
// written out again once something only the whole render tells is known: its peak,
// for normalising. Removed when destroyed, and on interruption (temporary_file.h).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio_sink.h"
#include "temporary_file.h"

namespace spwrender {

class SampleScratch : public AudioSink {
 public:
  // Creates the file in folder; forPath names the output it is for, in messages.
  bool Create(const std::filesystem::path& folder, const std::string& forPath, std::string* error);

  bool Write(const float* left, const float* right, int frames, std::string* error) override;

  // Largest absolute sample written (1.0 = full scale).
  double Peak() const { return peak_; }
  int64_t Frames() const { return frames_; }

  // Sends every frame written, in order and multiplied by gain, to sink.
  bool CopyScaled(double gain, AudioSink& sink, std::string* error);

 private:
  bool Failed(const std::string& what, std::string* error) const;

  TemporaryFile temporary_;
  std::string forPath_;
  std::fstream file_;
  double peak_ = 0.0;
  int64_t frames_ = 0;
  std::vector<float> interleaved_;
};

}  // namespace spwrender
