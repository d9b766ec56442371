#pragma once
// Reads an audio file back through libsndfile, for checking what the renderer wrote.

#include <sndfile.h>

#include <string>
#include <vector>

struct AudioReadback {
  bool opened = false;
  SF_INFO info = {};
  std::vector<float> left, right;  // the first two channels, de-interleaved
};

inline AudioReadback ReadAudio(const std::string& path) {
  AudioReadback audio;
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &audio.info);
  if (file == nullptr) return audio;
  audio.opened = true;
  std::vector<float> interleaved(static_cast<size_t>(audio.info.frames * audio.info.channels));
  const sf_count_t frames = sf_readf_float(file, interleaved.data(), audio.info.frames);
  sf_close(file);
  for (sf_count_t i = 0; i < frames && audio.info.channels >= 2; ++i) {
    audio.left.push_back(interleaved[size_t(i * audio.info.channels)]);
    audio.right.push_back(interleaved[size_t(i * audio.info.channels + 1)]);
  }
  return audio;
}
