#pragma once
// What a host's other threads hand to its audio thread for the next block:
// parameter changes collected under a lock and moved into the block's queues
// by the audio thread.

#include <mutex>
#include <utility>
#include <vector>

#include "pluginterfaces/vst/vsttypes.h"

class PendingChanges {
 public:
  void Add(Steinberg::Vst::ParamID id, double normalized) {
    std::lock_guard<std::mutex> lock(mutex_);
    changes_.emplace_back(id, normalized);
  }
  // [audio thread] queue(id, normalized) for each change, in order; then none is pending.
  template <typename Queue>
  void MoveInto(Queue queue) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& change : changes_) queue(change.first, change.second);
    changes_.clear();
  }

 private:
  std::mutex mutex_;
  std::vector<std::pair<Steinberg::Vst::ParamID, double>> changes_;
};
