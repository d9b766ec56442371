#include "plugin_class_info.h"

#include "class_id.h"
#include "product_web_page.h"
#include "stereo_pulse_weaver.h"

using namespace Steinberg;

namespace {

constexpr char kVendor[] = "Orvanti";
constexpr char kCategory[] = "Audio Module Class";
constexpr char kSubCategories[] = "Instrument";
constexpr char kVersion[] = SPW_VERSION;  // the CMake project's, as everywhere
constexpr char kSdkVersion[] = "VST 3.6.5";
constexpr int32 kSimpleModeSupported = 2;  // component and controller are one object
// The first two words of the class ID; the plug-in's manufacturer and unique codes follow.
constexpr uint32 kClassIdWord1 = 0xF2AEE70D;
constexpr uint32 kClassIdWord2 = 0x00DE4F4E;

}  // namespace

PFactoryInfo PluginFactoryInfo() {
  return PFactoryInfo(kVendor, kProductWebAddress, "", PFactoryInfo::kUnicode);
}

PClassInfo2 PluginClassInfo() {
  const IEffectConfig config = CLS_STEREOPULSEWEAVER::Config();
  TUID cid;
  spw_vst3::ComposeClassId(kClassIdWord1, kClassIdWord2, static_cast<uint32>(config.manufacturerCode),
                           static_cast<uint32>(config.uniqueCode), cid);
  return PClassInfo2(cid, PClassInfo::kManyInstances, kCategory, config.effectName, kSimpleModeSupported,
                     kSubCategories, "", kVersion, kSdkVersion);
}
