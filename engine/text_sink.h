#pragma once
// Where the engine and the plug-in write the short texts the editor shows
// (ear frequencies, brainwave band, status line). The editor's text controls
// implement it; TextHolder keeps the text when no editor control is attached.

#include <cstring>

class TextSink {
 public:
  virtual ~TextSink() = default;
  // [any thread, under the instance lock] Must not allocate: it is reached from the audio thread.
  virtual void SetText(const char* text) noexcept = 0;
};

class TextHolder : public TextSink {
 public:
  static constexpr int kSize = 128;  // terminator included; longer texts are cut
  void SetText(const char* text) noexcept override {
    std::strncpy(text_, text ? text : "", kSize - 1);
    text_[kSize - 1] = '\0';
  }
  const char* Text() const { return text_; }

 private:
  char text_[kSize] = {};
};
