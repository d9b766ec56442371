#include "audio_file_writer.h"

#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "host_path.h"
#include "stereo_frames.h"

namespace spwrender {
namespace {

constexpr int kChannels = 2;

// libsndfile's message for the last error; on Windows it ends in a line break.
std::string SndfileError(SNDFILE* file) {
  std::string text = sf_strerror(file);
  text.erase(text.find_last_not_of(" \r\n") + 1);
  return text;
}

// Whether this libsndfile has the file type built in: a build without its external
// codec libraries still passes FLAC through sf_format_check, but cannot write it.
bool LibraryHasType(int type) {
  int count = 0;
  sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
  for (int i = 0; i < count; ++i) {
    SF_FORMAT_INFO info = {};
    info.format = i;
    if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 && info.format == type) return true;
  }
  return false;
}

// Whether the closed file reads back with all its frames. libsndfile's sf_close
// reports no failure of its last writes (a FLAC encoder's final frames, the header
// update), so a disk that fills up just then would otherwise go unnoticed.
bool HoldsFrames(const std::string& path, int64_t frames) {
  SF_INFO info = {};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return false;
  sf_close(file);
  return info.frames == frames;
}

}  // namespace

double PeakDbfs(double peak) {
  return peak > 0.0 ? 20.0 * std::log10(peak) : -std::numeric_limits<double>::infinity();
}

std::unique_ptr<AudioFileWriter> AudioFileWriter::Create(const std::string& path, OutputFormat format,
                                                         int sampleRate, int64_t expectedFrames,
                                                         std::string* error) {
  SF_INFO info = {};
  info.samplerate = sampleRate;
  info.channels = kChannels;
  info.format = SndfileFormat(format, expectedFrames);
  if (!LibraryHasType(info.format & SF_FORMAT_TYPEMASK)) {
    *error = std::string("this build cannot write ") + FormatDescription(format) + ": its libsndfile lacks " +
             (IsFlac(format) ? "FLAC" : "that file type");
    return nullptr;
  }
  if (!sf_format_check(&info)) {
    *error = std::string("this build cannot write ") + FormatDescription(format) + " at " +
             std::to_string(sampleRate) + " Hz";
    return nullptr;
  }
  OutputTarget target;
  if (!ResolveOutputTarget(path, &target, error)) return nullptr;
  std::unique_ptr<AudioFileWriter> writer(new AudioFileWriter(path, target, format));
  if (target.kind != OutputKind::kDevice) {
    if (!writer->temporary_.Create(WorkFolder(target), path, error)) return nullptr;
  }
  const bool inPlace = target.kind == OutputKind::kDevice;
  writer->file_ = sf_open(inPlace ? path.c_str() : writer->TemporaryPath().c_str(), SFM_WRITE, &info);
  if (writer->file_ == nullptr) {
    *error = "cannot write '" + path + "': " + SndfileError(nullptr);
    return nullptr;
  }
  // Integer formats clip samples beyond full scale instead of wrapping them around.
  sf_command(writer->file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  return writer;
}

AudioFileWriter::~AudioFileWriter() {
  if (!committed_) Discard();
}

bool AudioFileWriter::PutInPlace(std::string* error) {
  // What went to a device is gone on its way: there is nothing to read back.
  if (target_.kind == OutputKind::kDevice) return true;
  if (!HoldsFrames(TemporaryPath(), frames_)) {
    *error = "finishing '" + path_ + "' failed: the file came out incomplete (is the disk full?)";
    return false;
  }
  return DeliverTemporary(temporary_, target_, path_, error);
}

void AudioFileWriter::Discard() {
  if (file_ != nullptr) sf_close(file_);
  file_ = nullptr;
  temporary_.Remove();
}

bool AudioFileWriter::Write(const float* left, const float* right, int frames, std::string* error) {
  InterleaveStereo(left, right, frames, &interleaved_, &peak_);
  const sf_count_t written = sf_writef_float(file_, interleaved_.data(), frames);
  if (written != frames) {
    *error = "writing '" + path_ + "' failed: " + SndfileError(file_);
    return false;
  }
  frames_ += frames;
  return true;
}

bool AudioFileWriter::Commit(std::string* error) {
  const int closed = sf_close(file_);
  file_ = nullptr;
  if (closed != 0) {
    *error = "finishing '" + path_ + "' failed: " + sf_error_number(closed);
    Discard();
    return false;
  }
  if (!PutInPlace(error)) {
    Discard();
    return false;
  }
  committed_ = true;
  return true;
}

}  // namespace spwrender
