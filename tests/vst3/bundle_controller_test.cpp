// Parameters, texts, programs and state of the bundle, through the host's calls.

#include <cmath>
#include <cstring>
#include <limits>

#include "bundle_fixture.h"
#include "host_objects.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "state_chunk.h"
#include "stereo_pulse_weaver.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kParameters = 24;
constexpr int kPresets = 160;

const char* const kTitles[kParameters] = {
    "Binaural", "Base Freq", "Reference", "Play Anyway", "Wave", "Binaural Pan",
    "Link Freq", "Freq Equalizer", "Fade", "Start/stop Fade", "Volume", "Unlink Ref",
    "Slot 1", "Slot 2", "Slot 3", "Slot 4", "Slot 5", "Slot 6",
    "Slot 7", "Slot 8", "Slot 9", "Slot 10", "Slot 11", "Slot 12"};

std::vector<double> DecodeState(const std::vector<uint8_t>& bytes) {
  StateChunk chunk;
  chunk.PutBytes(bytes.data(), static_cast<int>(bytes.size()));
  std::vector<double> values;
  double v = 0.0;
  for (int pos = 0; (pos = chunk.GetDouble(&v, pos)) >= 0;) values.push_back(v);
  return values;
}

}  // namespace

TEST_F(BundleTest, PublishesThePresetListAndTheTwentyFourParameters) {
  ASSERT_EQ(plugin_->ParameterCount(), kParameters + 1);
  spwhost::ParameterInfo presets;
  ASSERT_TRUE(plugin_->GetParameterInfo(0, &presets));
  EXPECT_EQ(presets.id, kProgramChangeId);
  EXPECT_EQ(presets.title, "Presets");
  EXPECT_EQ(presets.units, "");
  EXPECT_EQ(presets.flags, ParameterInfo::kIsList | ParameterInfo::kIsProgramChange);
  EXPECT_EQ(presets.stepCount, kPresets - 1);
  EXPECT_EQ(presets.unitId, kRootUnitId);

  for (int i = 0; i < kParameters; ++i) {
    spwhost::ParameterInfo info;
    ASSERT_TRUE(plugin_->GetParameterInfo(i + 1, &info));
    EXPECT_EQ(info.id, static_cast<uint32_t>(i));
    EXPECT_EQ(info.title, kTitles[i]);
    EXPECT_EQ(info.shortTitle, "");
    EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate) << info.title;
    EXPECT_EQ(info.unitId, kRootUnitId);
    EXPECT_EQ(plugin_->GetParamNormalized(info.id), info.defaultNormalized) << info.title;
  }
}

TEST_F(BundleTest, UnitsStepCountsAndDefaults) {
  struct Expected {
    int id;
    const char* units;
    int32_t steps;
    double plainDefault;
  };
  // Continuous parameters have no steps; lists step through their texts.
  const Expected expected[] = {
      {0, "Hz", 0, 4.0},   {1, "Hz", 0, 400.0}, {2, "", 1, 0.0},  {4, "", 6, 0.0},
      {5, "", 4, 2.0},     {6, "", 2, 1.0},     {7, "", 3, 1.0},  {8, "s", 0, 1.0},
      {10, "%", 100, 75.0}, {11, "Hz", 0, 0.15}, {12, "", 100, 22.0}, {23, "", 100, 0.0}};
  for (const Expected& e : expected) {
    spwhost::ParameterInfo info;
    ASSERT_TRUE(plugin_->GetParameterInfo(e.id + 1, &info));
    EXPECT_EQ(info.units, e.units) << info.title;
    EXPECT_EQ(info.stepCount, e.steps) << info.title;
    EXPECT_NEAR(plugin_->NormalizedToPlain(info.id, info.defaultNormalized), e.plainDefault,
                1e-9 * (1.0 + e.plainDefault))
        << info.title;
  }
  // The frequencies use a square response: 400 Hz of 20..20000 sits at sqrt(380/19980).
  spwhost::ParameterInfo base;
  ASSERT_TRUE(plugin_->GetParameterInfo(2, &base));
  EXPECT_NEAR(base.defaultNormalized, std::sqrt(380.0 / 19980.0), 1e-12);
}

TEST_F(BundleTest, ValuesToTextAndBack) {
  EXPECT_EQ(plugin_->ValueToString(0, plugin_->GetParamNormalized(0)), "4.00");
  EXPECT_EQ(plugin_->ValueToString(4, 0.0), "Sine");
  EXPECT_EQ(plugin_->ValueToString(5, 0.5), "Center Right");
  EXPECT_EQ(plugin_->ValueToString(10, 0.75), "75");
  EXPECT_EQ(plugin_->ValueToString(kProgramChangeId, 0.5), "");

  double normalized = -1.0;
  ASSERT_TRUE(plugin_->StringToValue(1, "440.5 Hz", &normalized));
  EXPECT_NEAR(plugin_->NormalizedToPlain(1, normalized), 440.5, 1e-9);
  ASSERT_TRUE(plugin_->StringToValue(4, "Saw", &normalized));
  EXPECT_EQ(plugin_->ValueToString(4, normalized), "Saw");
  normalized = -1.0;
  EXPECT_FALSE(plugin_->StringToValue(1, "loud", &normalized));
  EXPECT_FALSE(plugin_->StringToValue(1, "", &normalized));
  EXPECT_EQ(normalized, -1.0);
  EXPECT_DOUBLE_EQ(plugin_->PlainToNormalized(kProgramChangeId, 80.0), 80.0 / (kPresets - 1));
}

// A host's "Presets" value outside 0..1, infinite or not a number converts to the
// nearest programme, never through an undefined float-to-int conversion.
TEST_F(BundleTest, PresetsValuesOutsideTheRangeConvertToTheNearestProgramme) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double normalized, plain;
  } cases[] = {{0.5, 80.0},  {1.0, 159.0}, {-0.5, 0.0}, {1.5, 159.0},
               {1e300, 159.0}, {inf, 159.0}, {-inf, 0.0}, {std::nan(""), 0.0}};
  for (const auto& c : cases) {
    EXPECT_EQ(plugin_->NormalizedToPlain(kProgramChangeId, c.normalized), c.plain) << c.normalized;
  }
}

TEST_F(BundleTest, FactoryPresetsProgramList) {
  int32_t listId = 0;
  std::string name;
  std::vector<std::string> programs;
  ASSERT_TRUE(plugin_->ProgramList(&listId, &name, &programs));
  EXPECT_EQ(static_cast<uint32_t>(listId), kProgramChangeId);
  EXPECT_EQ(name, "Factory Presets");
  ASSERT_EQ(programs.size(), static_cast<size_t>(kPresets));
  EXPECT_EQ(programs[0], "---- default ----");
  for (size_t i = 1; i < 157; ++i) EXPECT_FALSE(programs[i].empty()) << "slot " << i;
  EXPECT_EQ(programs[157], "- 158 -");
  EXPECT_EQ(programs[158], "- 159 -");
  EXPECT_EQ(programs[159], "- 160 -");
}

TEST_F(BundleTest, StateIsTheTwentyFourValuesAndRoundTrips) {
  std::vector<uint8_t> fresh;
  ASSERT_TRUE(plugin_->GetState(&fresh));
  ASSERT_EQ(fresh.size(), 192u);
  const std::vector<double> defaults = DecodeState(fresh);
  EXPECT_EQ(defaults[0], 4.0);
  EXPECT_EQ(defaults[1], 400.0);
  EXPECT_EQ(defaults[10], 75.0);
  EXPECT_EQ(defaults[12], 22.0);

  plugin_->QueueParameterChange(1, 0.3);
  plugin_->QueueParameterChange(4, 0.5);
  plugin_->QueueParameterChange(10, 0.4);
  ASSERT_TRUE(plugin_->ProcessFloat(nullptr, 0));
  std::vector<uint8_t> saved;
  ASSERT_TRUE(plugin_->GetState(&saved));
  ASSERT_NE(saved, fresh);

  std::string error;
  auto other = module_->CreatePlugin(&error);
  ASSERT_TRUE(other && other->Initialize(&error)) << error;
  ASSERT_TRUE(other->SetState(saved));
  std::vector<uint8_t> restored;
  ASSERT_TRUE(other->GetState(&restored));
  EXPECT_EQ(restored, saved);
  for (uint32_t id = 0; id < kParameters; ++id) {
    EXPECT_EQ(other->GetParamNormalized(id), plugin_->GetParamNormalized(id)) << kTitles[id];
  }
}

TEST_F(BundleTest, StateWithATrailingWordLoads) {
  std::vector<uint8_t> state;
  ASSERT_TRUE(plugin_->GetState(&state));
  std::vector<double> values = DecodeState(state);
  values[10] = 40.0;
  StateChunk chunk;
  for (double v : values) chunk.PutDouble(v);
  chunk.PutBytes("\x01\x00\x00\x00", 4);
  std::vector<uint8_t> bytes(chunk.Data(), chunk.Data() + chunk.Size());
  ASSERT_EQ(bytes.size(), 196u);
  EXPECT_TRUE(plugin_->SetState(bytes));
  EXPECT_DOUBLE_EQ(plugin_->GetParamNormalized(10), 0.4);
}

TEST_F(BundleTest, ProgramChangeHalfwayRestoresPresetEighty) {
  plugin_->QueueParameterChange(kProgramChangeId, 0.5);  // int(159 * 0.5 + 0.5) = 80
  ASSERT_TRUE(plugin_->ProcessFloat(nullptr, 0));
  EXPECT_DOUBLE_EQ(plugin_->GetParamNormalized(kProgramChangeId), 80.0 / (kPresets - 1));
  std::vector<uint8_t> afterChange;
  ASSERT_TRUE(plugin_->GetState(&afterChange));

  // The same programme selected directly on an instance of the plug-in class.
  spwhost::HostApplication host("spw host");
  auto* reference = new CLS_STEREOPULSEWEAVER();
  ASSERT_EQ(reference->initialize(&host), kResultOk);
  ASSERT_TRUE(reference->SelectPreset(80));
  StateChunk expected;
  ASSERT_TRUE(reference->SaveState(expected));
  reference->terminate();
  reference->release();
  EXPECT_EQ(afterChange, std::vector<uint8_t>(expected.Data(), expected.Data() + expected.Size()));
}

TEST_F(BundleTest, ProgramIndexFromTheControllerDoesNotRestore) {
  std::vector<uint8_t> before;
  ASSERT_TRUE(plugin_->GetState(&before));
  ASSERT_TRUE(plugin_->SetParamNormalized(kProgramChangeId, 0.5));
  EXPECT_DOUBLE_EQ(plugin_->GetParamNormalized(kProgramChangeId), 80.0 / (kPresets - 1));
  std::vector<uint8_t> after;
  ASSERT_TRUE(plugin_->GetState(&after));
  EXPECT_EQ(after, before);
}

TEST_F(BundleTest, QueueAppliesItsLastPointOnly) {
  ASSERT_TRUE(plugin_->SetupProcessing(48000.0, 256, spwhost::SampleSize::k32, false));
  std::vector<float> left(256), right(256);
  float* outputs[2] = {left.data(), right.data()};
  plugin_->QueueParameterChange(10, 0.1, 0);
  plugin_->QueueParameterChange(10, 0.5, 100);
  plugin_->QueueParameterChange(10, 0.9, 200);
  ASSERT_TRUE(plugin_->ProcessFloat(outputs, 256));
  EXPECT_DOUBLE_EQ(plugin_->GetParamNormalized(10), 0.9);
}
