// Restoring a state from what a host's stream delivers, through
// IComponent::setState and IEditController::setComponentState: streams that
// deliver short pieces, cannot seek, claim more than they delivered or report an
// error on one read, over bytes of any length and content. Afterwards audio must
// stay finite, and a stream that delivered all 24 values as numbers must have
// restored exactly them, limited to their ranges.
//
// Input: one byte for the stream's behaviour, one for what follows the restore,
// then the bytes the stream holds.

#include <cstdint>
#include <vector>

#include "fuzz_host.h"
#include "scripted_stream.h"

namespace {

constexpr int kValueBytes = 8 * kParameterCount;  // 192
constexpr int kReadPiece = 128;                    // what the binding asks for per read

struct StreamBehaviour {
  bool seekable, overclaim;
  int piece;        // bytes per read, 0: as asked
  int errorOnRead;  // -1: none

  explicit StreamBehaviour(uint8_t b)
      : seekable((b & 1) == 0), overclaim((b & 2) != 0), piece(((b >> 2) & 3) * 5), errorOnRead((b >> 4) - 1) {}

  ScriptedStream Make(const std::vector<uint8_t>& bytes) const {
    ScriptedStream stream(bytes, errorOnRead);
    stream.seekable = seekable;
    stream.overclaim = overclaim;
    stream.piece = piece;
    return stream;
  }
  // Bytes the plug-in keeps: those delivered before a read that reports an error.
  size_t Kept(size_t size) const {
    if (errorOnRead < 0) return size;
    const size_t perRead = piece > 0 ? static_cast<size_t>(piece) : kReadPiece;
    return std::min(size, static_cast<size_t>(errorOnRead) * perRead);
  }
  // A stream that claims more than it delivered, piece by piece, cannot be told
  // from one that delivered it all.
  bool Truthful() const { return !(overclaim && piece > 0); }
};

double ValueAt(const std::vector<uint8_t>& bytes, int i) {
  FuzzInput in(bytes.data() + 8 * i, 8);
  return in.Double();
}

// The values a restore of these bytes must give, or false when it need not give any.
bool ExpectedValues(const std::vector<uint8_t>& bytes, const StreamBehaviour& how, CLS_STEREOPULSEWEAVER& plugin,
                    std::vector<double>* values) {
  if (!how.Truthful() || how.Kept(bytes.size()) < static_cast<size_t>(kValueBytes)) return false;
  for (int i = 0; i < kParameterCount; ++i) {
    const double x = ValueAt(bytes, i);
    if (!std::isfinite(x)) return false;
    const IParameter& param = *plugin.ParamAt(i);
    values->push_back(std::fmin(std::fmax(x, param.Minimum()), param.Maximum()));
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DirectHost& host = FreshHost();
  FuzzInput in(data, size);
  const StreamBehaviour how(in.Byte());
  const uint8_t after = in.Byte();
  const std::vector<uint8_t> bytes = in.Rest();
  CLS_STEREOPULSEWEAVER& plugin = host.Plugin();

  ScriptedStream stream = how.Make(bytes);
  host.Component().setState(&stream);
  std::vector<double> expected;
  if (ExpectedValues(bytes, how, plugin, &expected)) {
    for (int i = 0; i < kParameterCount; ++i) {
      Require(plugin.ParamAt(i)->Value() == expected[static_cast<size_t>(i)], "a complete state is restored");
    }
  }
  if (after & 1) {
    ScriptedStream again = how.Make(bytes);
    host.Controller().setComponentState(&again);
  }
  const int frames = 1 + (after >> 2) * 8;
  for (int block = 0; block < 3; ++block) Require(host.Process(frames, (after & 2) != 0), "audio stays finite");
  return 0;
}
