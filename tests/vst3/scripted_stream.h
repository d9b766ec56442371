#pragma once
// An IBStream that hands out its bytes in fixed pieces and can report an error on
// one chosen read while still delivering that read's bytes, as some hosts do. It
// can also be made to refuse seeking, to deliver fewer bytes than a read asked for,
// or to claim more bytes than a read asked for.

#include <algorithm>
#include <cstring>
#include <vector>

#include "pluginterfaces/base/ibstream.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class ScriptedStream : public Steinberg::IBStream {
 public:
  ScriptedStream(std::vector<uint8_t> bytes, int errorOnRead = -1)
      : bytes_(std::move(bytes)), errorOnRead_(errorOnRead) {}
  virtual ~ScriptedStream() = default;

  Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes, Steinberg::int32* numBytesRead) override {
    const size_t left = bytes_.size() - std::min(bytes_.size(), cursor_);
    size_t n = std::min(left, static_cast<size_t>(numBytes < 0 ? 0 : numBytes));
    if (piece > 0) n = std::min(n, static_cast<size_t>(piece));
    if (n) std::memcpy(buffer, bytes_.data() + cursor_, n);
    cursor_ += n;
    if (numBytesRead) *numBytesRead = static_cast<Steinberg::int32>(n && overclaim ? n + (1 << 20) : n);
    return reads_++ == errorOnRead_ ? Steinberg::kResultFalse : Steinberg::kResultOk;
  }
  Steinberg::tresult PLUGIN_API write(void*, Steinberg::int32, Steinberg::int32*) override {
    return Steinberg::kResultFalse;
  }
  Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode, Steinberg::int64* result) override {
    if (!seekable) return Steinberg::kNotImplemented;
    if (mode != kIBSeekSet || pos < 0) return Steinberg::kResultFalse;
    cursor_ = static_cast<size_t>(pos);
    if (result) *result = pos;
    return Steinberg::kResultOk;
  }
  Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override {
    if (pos) *pos = static_cast<Steinberg::int64>(cursor_);
    return Steinberg::kResultOk;
  }
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID, void** obj) override {
    *obj = nullptr;
    return Steinberg::kNoInterface;
  }
  Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

  bool seekable = true;
  bool overclaim = false;  // every read that delivers bytes reports 1 MiB more
  int piece = 0;           // the most bytes one read delivers; 0: as many as asked

 private:
  std::vector<uint8_t> bytes_;
  size_t cursor_ = 0;
  int errorOnRead_;
  int reads_ = 0;
};

#pragma GCC diagnostic pop
