// The module's exports, factory and class as a host sees them.

#include <cstring>

#include "bundle_fixture.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/gui/iplugview.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

TEST(BundleModule, FactoryAndClassInformationAsPublished) {
  std::string error;
  auto module = spwhost::Module::Load(BundlePath(), &error);
  ASSERT_TRUE(module) << error;
  const spwhost::FactoryInfo factory = module->Factory();
  EXPECT_EQ(factory.vendor, "Orvanti");
  EXPECT_FALSE(factory.url.empty());
  EXPECT_EQ(factory.url.find("://"), std::string::npos) << "host and path only";
  EXPECT_EQ(factory.email, "");
  EXPECT_EQ(factory.flags, 16);

  const std::vector<spwhost::ClassInfo> classes = module->Classes();
  ASSERT_EQ(classes.size(), 1u);
  const spwhost::ClassInfo& info = classes[0];
  const uint8_t expectedId[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                                  0x51, 0x46, 0x4C, 0x4E, 0x53, 0x50, 0x57, 0x56};
  EXPECT_EQ(std::memcmp(info.cid, expectedId, 16), 0);
  EXPECT_EQ(info.cardinality, 0x7FFFFFFF);
  EXPECT_EQ(info.category, "Audio Module Class");
  EXPECT_EQ(info.name, "stereoPulseWeaver");
  EXPECT_EQ(info.classFlags, 2u);
  EXPECT_EQ(info.subCategories, "Instrument");
  EXPECT_EQ(info.vendor, "");
  EXPECT_EQ(info.version, SPW_VERSION);  // the CMake project's
  EXPECT_EQ(info.sdkVersion, "VST 3.6.5");

  // The Unicode description a newer host reads says the same.
  FUnknownPtr<IPluginFactory3> factory3(module->RawFactory());
  ASSERT_TRUE(factory3);
  PClassInfoW wide;
  ASSERT_EQ(factory3->getClassInfoUnicode(0, &wide), kResultOk);
  EXPECT_EQ(wide.name[0], 's');
  EXPECT_EQ(wide.sdkVersion[4], '3');
  EXPECT_EQ(factory3->getClassInfoUnicode(1, &wide), kInvalidArgument);
}

TEST(BundleModule, LoadingTwiceSharesOneFactory) {
  std::string error;
  auto first = spwhost::Module::Load(BundlePath(), &error);
  auto second = spwhost::Module::Load(BundlePath(), &error);
  ASSERT_TRUE(first && second) << error;
  EXPECT_EQ(first->RawFactory(), second->RawFactory());
  // Host references: the two modules' and this one.
  first->RawFactory()->addRef();
  EXPECT_EQ(first->RawFactory()->release(), 2u);
}

TEST(BundleModule, UnknownClassAndMissingBundleGiveReasons) {
  std::string error;
  EXPECT_FALSE(spwhost::Module::Load(BundlePath() + ".missing", &error));
  EXPECT_NE(error.find("no such bundle"), std::string::npos) << error;

  auto module = spwhost::Module::Load(BundlePath(), &error);
  ASSERT_TRUE(module) << error;
  const uint8_t unknown[16] = {1, 2, 3};
  EXPECT_FALSE(module->CreatePlugin(unknown, &error));
  EXPECT_NE(error.find("class not found"), std::string::npos) << error;
}

TEST(BundleModule, InstancesAreIndependent) {
  std::string error;
  auto module = spwhost::Module::Load(BundlePath(), &error);
  ASSERT_TRUE(module) << error;
  auto a = module->CreatePlugin(&error);
  auto b = module->CreatePlugin(&error);
  ASSERT_TRUE(a && b && a->Initialize(&error) && b->Initialize(&error)) << error;
  ASSERT_TRUE(a->SetParamNormalized(10, 0.2));
  EXPECT_NE(b->GetParamNormalized(10), 0.2);
}

TEST_F(BundleTest, ComponentProcessorAndControllerAreOneObject) {
  FUnknownPtr<IAudioProcessor> processor(plugin_->Component());
  EXPECT_EQ(processor.get(), plugin_->Processor());
  void* controller = nullptr;
  ASSERT_EQ(plugin_->Component()->queryInterface(IEditController::iid, &controller), kResultOk);
  EXPECT_EQ(controller, plugin_->Controller());
  plugin_->Controller()->release();
  TUID id;
  EXPECT_EQ(plugin_->Component()->getControllerClassId(id), kNotImplemented);
}

TEST_F(BundleTest, BusesAreStereoOutAndOneEventInput) {
  IComponent* component = plugin_->Component();
  EXPECT_EQ(component->getBusCount(kAudio, kInput), 0);
  ASSERT_EQ(component->getBusCount(kAudio, kOutput), 1);
  ASSERT_EQ(component->getBusCount(kEvent, kInput), 1);
  EXPECT_EQ(component->getBusCount(kEvent, kOutput), 0);

  BusInfo out = {};
  ASSERT_EQ(component->getBusInfo(kAudio, kOutput, 0, out), kResultOk);
  EXPECT_EQ(out.channelCount, 2);
  EXPECT_EQ(out.busType, kMain);
  EXPECT_TRUE(out.flags & BusInfo::kDefaultActive);
  EXPECT_EQ(out.name[0], 'O');
  EXPECT_EQ(out.name[7], '1');  // "Output 1"
  BusInfo midi = {};
  ASSERT_EQ(component->getBusInfo(kEvent, kInput, 0, midi), kResultOk);
  EXPECT_EQ(midi.channelCount, 1);
  EXPECT_EQ(midi.name[0], 'M');
  EXPECT_EQ(component->getBusInfo(kAudio, kOutput, 1, out), kInvalidArgument);

  SpeakerArrangement stereo = SpeakerArr::kStereo, mono = SpeakerArr::kMono, empty = SpeakerArr::kEmpty;
  IAudioProcessor* processor = plugin_->Processor();
  EXPECT_EQ(processor->setBusArrangements(nullptr, 0, &stereo, 1), kResultTrue);
  EXPECT_EQ(processor->setBusArrangements(&empty, 1, &stereo, 1), kResultTrue);
  EXPECT_EQ(processor->setBusArrangements(&empty, 1, &mono, 1), kResultFalse);
  SpeakerArrangement arrangement = 0;
  EXPECT_EQ(processor->getBusArrangement(kOutput, 0, arrangement), kResultTrue);
  EXPECT_EQ(arrangement, SpeakerArr::kStereo);
  EXPECT_TRUE(plugin_->SetStereoOutput());
}

TEST_F(BundleTest, ProcessesThirtyTwoAndSixtyFourBitSamples) {
  EXPECT_TRUE(plugin_->CanProcessSampleSize(spwhost::SampleSize::k32));
  EXPECT_TRUE(plugin_->CanProcessSampleSize(spwhost::SampleSize::k64));
  EXPECT_EQ(plugin_->Processor()->canProcessSampleSize(2), kResultFalse);
  EXPECT_EQ(plugin_->Processor()->getLatencySamples(), 0u);
  EXPECT_EQ(plugin_->Processor()->getTailSamples(), 0u);
}

TEST_F(BundleTest, EditorViewOnlyUnderItsExactName) {
  IPlugView* view = plugin_->Controller()->createView("editor");
  ASSERT_NE(view, nullptr);
  view->release();
  EXPECT_EQ(plugin_->Controller()->createView("Editor"), nullptr);
}
