#pragma once
// The plug-in's own writes of each parameter that the host has not echoed yet,
// oldest first. A host hands a parameter the plug-in wrote back to it as one of its
// own changes, often late: two writes in one block (a cell taken and released, a
// knob dragged) come back a block or more afterwards. A change that matches a write
// still waiting for its echo is that echo, and the writes before it were echoed
// merged into it; anything else is the host's own. A write never echoed (a host
// that echoes nothing) is forgotten after a while, and the oldest when more pile
// up than kDepth.
//
// Threads: every call under the instance lock (editor edits, the plug-in's writes
// and the host's changes in process all hold it). Allocates only in the constructor.

#include <cstdint>
#include <vector>

class UnechoedWrites {
 public:
  static constexpr int kDepth = 16;
  // A host's value may have passed through single precision.
  static constexpr double kSameValue = 1e-6;

  explicit UnechoedWrites(int parameterCount);

  // paramIdx was written as normalized at sample time now (a clock that only moves forward).
  void Written(int paramIdx, double normalized, int64_t now) noexcept;
  // True when normalized, arriving at now, is the echo of a write of paramIdx not
  // older than maxAge samples: that write and the older ones are done with.
  bool TakeEcho(int paramIdx, double normalized, int64_t now, int64_t maxAge) noexcept;

 private:
  struct Write {
    double normalized;
    int64_t at;
  };
  struct Pending {
    Write writes[kDepth];
    int first = 0, count = 0;  // a ring, oldest at first
  };

  std::vector<Pending> pending_;
};
