#pragma once
// Writes a stereo audio file through libsndfile without ever leaving a partial file
// under the final name: samples go to a temporary file in the same folder, which
// Commit renames into place; a writer destroyed before Commit removes it. A device
// is written in place, a pipe gets the finished file (output_target.h).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio_sink.h"
#include "output_format.h"
#include "output_target.h"
#include "temporary_file.h"

struct sf_private_tag;  // libsndfile's SNDFILE

namespace spwrender {

class AudioFileWriter : public AudioSink {
 public:
  // Opens the temporary file for path; expectedFrames is the length the file will
  // have (it picks RF64 over WAV for very long renders). Null with a one-line reason
  // in *error when the format cannot be written (e.g. FLAC from a libsndfile built
  // without it) or the file cannot be created.
  static std::unique_ptr<AudioFileWriter> Create(const std::string& path, OutputFormat format, int sampleRate,
                                                 int64_t expectedFrames, std::string* error);
  ~AudioFileWriter() override;
  AudioFileWriter(const AudioFileWriter&) = delete;
  AudioFileWriter& operator=(const AudioFileWriter&) = delete;

  // Appends frames of the two channels. Integer formats clip samples beyond full
  // scale (the peak still records them).
  bool Write(const float* left, const float* right, int frames, std::string* error) override;
  // Closes the file, checks that it reads back complete and renames it to the
  // final name, or sends it into the pipe (a device: only closes it).
  bool Commit(std::string* error);

  // Largest absolute sample written so far (1.0 = full scale).
  double Peak() const { return peak_; }
  int64_t FramesWritten() const { return frames_; }
  // True when an integer format had to clip: the peak is above full scale.
  bool Clipped() const { return IsIntegerFormat(format_) && peak_ > 1.0; }
  // Where the output goes (see output_target.h).
  const OutputTarget& Target() const { return target_; }
  // The file being written until Commit; empty when writing a device in place.
  const std::string& TemporaryPath() const { return temporary_.Path(); }

 private:
  AudioFileWriter(std::string path, OutputTarget target, OutputFormat format)
      : path_(std::move(path)), target_(std::move(target)), format_(format) {}
  bool PutInPlace(std::string* error);
  void Discard();

  std::string path_;
  OutputTarget target_;
  TemporaryFile temporary_;  // none for a device
  OutputFormat format_;
  sf_private_tag* file_ = nullptr;
  bool committed_ = false;
  double peak_ = 0.0;
  int64_t frames_ = 0;
  std::vector<float> interleaved_;
};

// The level of a linear peak in dBFS (-inf for silence).
double PeakDbfs(double peak);

}  // namespace spwrender
