#include "unechoed_writes.h"

#include <cmath>

UnechoedWrites::UnechoedWrites(int parameterCount) : pending_(parameterCount > 0 ? size_t(parameterCount) : 0) {}

void UnechoedWrites::Written(int paramIdx, double normalized, int64_t now) noexcept {
  if (paramIdx < 0 || size_t(paramIdx) >= pending_.size()) return;
  Pending& p = pending_[size_t(paramIdx)];
  if (p.count == kDepth) {  // the oldest makes room
    p.first = (p.first + 1) % kDepth;
    --p.count;
  }
  p.writes[(p.first + p.count) % kDepth] = {normalized, now};
  ++p.count;
}

bool UnechoedWrites::TakeEcho(int paramIdx, double normalized, int64_t now, int64_t maxAge) noexcept {
  if (paramIdx < 0 || size_t(paramIdx) >= pending_.size()) return false;
  Pending& p = pending_[size_t(paramIdx)];
  while (p.count > 0 && now - p.writes[p.first].at > maxAge) {  // never echoed: forgotten
    p.first = (p.first + 1) % kDepth;
    --p.count;
  }
  for (int k = 0; k < p.count; ++k) {
    const Write& write = p.writes[(p.first + k) % kDepth];
    if (std::fabs(write.normalized - normalized) > kSameValue) continue;
    p.first = (p.first + k + 1) % kDepth;
    p.count -= k + 1;
    return true;
  }
  return false;
}
