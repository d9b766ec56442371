#include "sample_scratch.h"

#include <algorithm>

#include "host_path.h"
#include "stereo_frames.h"

namespace spwrender {
namespace {

constexpr int kChannels = 2;
constexpr int64_t kCopyFrames = 16384;  // frames read back at a time

}  // namespace

bool SampleScratch::Create(const std::filesystem::path& folder, const std::string& forPath, std::string* error) {
  forPath_ = forPath;
  if (!temporary_.Create(folder, forPath, error)) return false;
  file_.open(spwhost::NativePath(temporary_.Path()), std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
  return file_.is_open() || Failed("cannot keep the render for normalising", error);
}

bool SampleScratch::Failed(const std::string& what, std::string* error) const {
  *error = what + " (for '" + forPath_ + "'): is the disk full?";
  return false;
}

bool SampleScratch::Write(const float* left, const float* right, int frames, std::string* error) {
  InterleaveStereo(left, right, frames, &interleaved_, &peak_);
  file_.write(reinterpret_cast<const char*>(interleaved_.data()),
              std::streamsize(interleaved_.size() * sizeof(float)));
  if (!file_) return Failed("keeping the render for normalising failed", error);
  frames_ += frames;
  return true;
}

bool SampleScratch::CopyScaled(double gain, AudioSink& sink, std::string* error) {
  file_.flush();
  file_.seekg(0);
  std::vector<float> left, right;
  for (int64_t done = 0; done < frames_;) {
    const int frames = int(std::min(kCopyFrames, frames_ - done));
    interleaved_.resize(size_t(frames) * kChannels);
    file_.read(reinterpret_cast<char*>(interleaved_.data()), std::streamsize(interleaved_.size() * sizeof(float)));
    if (!file_) return Failed("reading the kept render back failed", error);
    left.resize(size_t(frames));
    right.resize(size_t(frames));
    for (int i = 0; i < frames; ++i) {
      left[size_t(i)] = float(interleaved_[size_t(2 * i)] * gain);
      right[size_t(i)] = float(interleaved_[size_t(2 * i + 1)] * gain);
    }
    if (!sink.Write(left.data(), right.data(), frames, error)) return false;
    done += frames;
  }
  return true;
}

}  // namespace spwrender
