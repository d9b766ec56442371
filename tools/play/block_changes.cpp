#include "block_changes.h"

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spwplay {

tresult PLUGIN_API BlockQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
  if (index < 0 || index >= count_) return kInvalidArgument;
  sampleOffset = offsets_[index];
  value = values_[index];
  return kResultOk;
}

tresult PLUGIN_API BlockQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
  // A second point at the same offset replaces the first, and a full queue its
  // last point: the later value wins.
  if (count_ > 0 && (offsets_[count_ - 1] == sampleOffset || count_ >= kMaxPoints)) {
    offsets_[count_ - 1] = std::max(offsets_[count_ - 1], sampleOffset);
    values_[count_ - 1] = value;
    index = count_ - 1;
    return kResultOk;
  }
  offsets_[count_] = sampleOffset;
  values_[count_] = value;
  index = count_++;
  return kResultOk;
}

tresult PLUGIN_API BlockQueue::queryInterface(const TUID queried, void** obj) {
  QUERY_INTERFACE(queried, obj, FUnknown::iid, IParamValueQueue)
  QUERY_INTERFACE(queried, obj, IParamValueQueue::iid, IParamValueQueue)
  *obj = nullptr;
  return kNoInterface;
}

IParamValueQueue* PLUGIN_API BlockChanges::getParameterData(int32 index) {
  return index >= 0 && index < used_ ? &queues_[size_t(index)] : nullptr;
}

IParamValueQueue* PLUGIN_API BlockChanges::addParameterData(const ParamID& id, int32& index) {
  for (int32 i = 0; i < used_; ++i) {
    if (queues_[size_t(i)].getParameterId() == id) {
      index = i;
      return &queues_[size_t(i)];
    }
  }
  if (size_t(used_) >= queues_.size()) return nullptr;
  queues_[size_t(used_)].Open(id);
  index = used_;
  return &queues_[size_t(used_++)];
}

tresult PLUGIN_API BlockChanges::queryInterface(const TUID queried, void** obj) {
  QUERY_INTERFACE(queried, obj, FUnknown::iid, IParameterChanges)
  QUERY_INTERFACE(queried, obj, IParameterChanges::iid, IParameterChanges)
  *obj = nullptr;
  return kNoInterface;
}

void BlockChanges::Add(uint32_t id, double normalized, int32_t sampleOffset) noexcept {
  int32 index = 0;
  if (IParamValueQueue* queue = addParameterData(id, index)) queue->addPoint(sampleOffset, normalized, index);
}

}  // namespace spwplay
