#include "host_objects.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace spwhost {

tresult PLUGIN_API HostApplication::getName(String128 name) {
  if (!name) return kInvalidArgument;
  size_t i = 0;
  for (; i < name_.size() && i < 127; ++i) name[i] = static_cast<char16>(static_cast<unsigned char>(name_[i]));
  name[i] = 0;
  return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID, TUID, void** obj) {
  if (obj) *obj = nullptr;
  return kResultFalse;  // no host messages or attribute lists
}

tresult PLUGIN_API HostApplication::queryInterface(const TUID interfaceId, void** obj) {
  QUERY_INTERFACE(interfaceId, obj, FUnknown::iid, IHostApplication)
  QUERY_INTERFACE(interfaceId, obj, IHostApplication::iid, IHostApplication)
  *obj = nullptr;
  return kNoInterface;
}

tresult PLUGIN_API ComponentHandler::queryInterface(const TUID interfaceId, void** obj) {
  QUERY_INTERFACE(interfaceId, obj, FUnknown::iid, IComponentHandler)
  QUERY_INTERFACE(interfaceId, obj, IComponentHandler::iid, IComponentHandler)
  *obj = nullptr;
  return kNoInterface;
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
  if (index < 0 || index >= getPointCount()) return kResultFalse;
  sampleOffset = points_[static_cast<size_t>(index)].first;
  value = points_[static_cast<size_t>(index)].second;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
  index = getPointCount();
  points_.emplace_back(sampleOffset, value);
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID interfaceId, void** obj) {
  QUERY_INTERFACE(interfaceId, obj, FUnknown::iid, IParamValueQueue)
  QUERY_INTERFACE(interfaceId, obj, IParamValueQueue::iid, IParamValueQueue)
  *obj = nullptr;
  return kNoInterface;
}

ParameterChanges::~ParameterChanges() { Clear(); }

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index) {
  return index >= 0 && index < getParameterCount() ? queues_[static_cast<size_t>(index)] : nullptr;
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index) {
  for (size_t i = 0; i < queues_.size(); ++i) {
    if (queues_[i]->getParameterId() == id) {
      index = static_cast<int32>(i);
      return queues_[i];
    }
  }
  index = getParameterCount();
  queues_.push_back(new ParamValueQueue(id));
  return queues_.back();
}

void ParameterChanges::Clear() {
  for (ParamValueQueue* queue : queues_) delete queue;
  queues_.clear();
}

tresult PLUGIN_API ParameterChanges::queryInterface(const TUID interfaceId, void** obj) {
  QUERY_INTERFACE(interfaceId, obj, FUnknown::iid, IParameterChanges)
  QUERY_INTERFACE(interfaceId, obj, IParameterChanges::iid, IParameterChanges)
  *obj = nullptr;
  return kNoInterface;
}

tresult PLUGIN_API EventList::getEvent(int32 index, Event& e) {
  if (index < 0 || index >= getEventCount()) return kResultFalse;
  e = events_[static_cast<size_t>(index)];
  return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Event& e) {
  events_.push_back(e);
  return kResultOk;
}

tresult PLUGIN_API EventList::queryInterface(const TUID interfaceId, void** obj) {
  QUERY_INTERFACE(interfaceId, obj, FUnknown::iid, IEventList)
  QUERY_INTERFACE(interfaceId, obj, IEventList::iid, IEventList)
  *obj = nullptr;
  return kNoInterface;
}

}  // namespace spwhost
