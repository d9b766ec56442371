#include "plugin_factory.h"

#include <cstring>

#include "utf16_text.h"

using namespace Steinberg;

namespace spw_vst3 {

PluginFactory::PluginFactory(const PFactoryInfo& info) : factoryInfo_(info) {}

PluginFactory::~PluginFactory() = default;

void PluginFactory::AddClass(const PClassInfo2& info, CreateFunction create, void* context) {
  classes_.push_back(ClassEntry{info, create, context});
}

tresult PLUGIN_API PluginFactory::queryInterface(const TUID interfaceId, void** obj) {
  QUERY_INTERFACE(interfaceId, obj, FUnknown::iid, IPluginFactory)
  QUERY_INTERFACE(interfaceId, obj, IPluginFactory::iid, IPluginFactory)
  QUERY_INTERFACE(interfaceId, obj, IPluginFactory2::iid, IPluginFactory2)
  QUERY_INTERFACE(interfaceId, obj, IPluginFactory3::iid, IPluginFactory3)
  if (obj) *obj = nullptr;
  return kNoInterface;
}

uint32 PLUGIN_API PluginFactory::addRef() { return ++refCount_; }

uint32 PLUGIN_API PluginFactory::release() {
  const uint32 left = --refCount_;
  if (left == 0) delete this;
  return left;
}

tresult PLUGIN_API PluginFactory::getFactoryInfo(PFactoryInfo* info) {
  if (!info) return kInvalidArgument;
  *info = factoryInfo_;
  return kResultOk;
}

int32 PLUGIN_API PluginFactory::countClasses() { return static_cast<int32>(classes_.size()); }

tresult PLUGIN_API PluginFactory::getClassInfo(int32 index, PClassInfo* info) {
  if (!info || index < 0 || index >= countClasses()) return kInvalidArgument;
  const PClassInfo2& c = classes_[static_cast<size_t>(index)].info;
  *info = PClassInfo();
  std::memcpy(info->cid, c.cid, sizeof(TUID));
  info->cardinality = c.cardinality;
  std::memcpy(info->category, c.category, sizeof info->category);
  std::memcpy(info->name, c.name, sizeof info->name);
  return kResultOk;
}

tresult PLUGIN_API PluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
  if (!info || index < 0 || index >= countClasses()) return kInvalidArgument;
  *info = classes_[static_cast<size_t>(index)].info;
  return kResultOk;
}

tresult PLUGIN_API PluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
  if (!info || index < 0 || index >= countClasses()) return kInvalidArgument;
  const PClassInfo2& c = classes_[static_cast<size_t>(index)].info;
  *info = PClassInfoW();
  std::memcpy(info->cid, c.cid, sizeof(TUID));
  info->cardinality = c.cardinality;
  std::memcpy(info->category, c.category, sizeof info->category);
  WidenText(c.name, info->name, PClassInfo::kNameSize);
  info->classFlags = c.classFlags;
  std::memcpy(info->subCategories, c.subCategories, sizeof info->subCategories);
  WidenText(c.vendor, info->vendor, PClassInfoW::kVendorSize);
  WidenText(c.version, info->version, PClassInfoW::kVersionSize);
  WidenText(c.sdkVersion, info->sdkVersion, PClassInfoW::kVersionSize);
  return kResultOk;
}

tresult PLUGIN_API PluginFactory::setHostContext(FUnknown*) { return kResultOk; }

tresult PLUGIN_API PluginFactory::createInstance(FIDString cid, FIDString interfaceId, void** obj) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (!cid || !interfaceId) return kInvalidArgument;
  for (const ClassEntry& entry : classes_) {
    if (std::memcmp(entry.info.cid, cid, sizeof(TUID)) != 0) continue;
    FUnknown* instance = entry.create(entry.context);
    if (!instance) return kOutOfMemory;
    TUID wanted;
    std::memcpy(wanted, interfaceId, sizeof(TUID));
    const tresult result = instance->queryInterface(wanted, obj);
    instance->release();
    return result;
  }
  return kNoInterface;
}

}  // namespace spw_vst3
