// Programme and parameter look-up against the built plug-in: every name, range and
// value text comes from the plug-in through its VST 3 interfaces.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loaded_plugin.h"
#include "parameter_catalog.h"
#include "program_catalog.h"

namespace spwrender {
namespace {

// The ID of the parameter with the given title (the test fails without one).
uint32_t ParameterId(spwhost::Plugin& plugin, const std::string& title) {
  spwhost::ParameterInfo info;
  EXPECT_TRUE(plugin.GetParameterInfo(plugin.FindParameter(title), &info)) << title;
  return info.id;
}

using ParameterLookup = LoadedPlugin;

TEST_F(ParameterLookup, NumbersInTheirUnitsAndListValuesByText) {
  const ParameterCatalog catalog(plugin());
  const uint32_t binaural = ParameterId(plugin(), "Binaural");
  for (const char* text : {"7.83", "7.83 Hz", "7.83hz"}) {
    ParameterChange change;
    std::string error;
    ASSERT_TRUE(catalog.Resolve("Binaural", text, &change, &error)) << text << ": " << error;
    EXPECT_EQ(change.id, binaural);
    EXPECT_DOUBLE_EQ(change.normalized, plugin().PlainToNormalized(binaural, 7.83)) << text;
  }
  for (const char* text : {"Golden Sine", "golden sine", "3"}) {
    ParameterChange change;
    std::string error;
    ASSERT_TRUE(catalog.Resolve("wave", text, &change, &error)) << text << ": " << error;
    EXPECT_EQ(plugin().ValueToString(change.id, change.normalized), "Golden Sine") << text;
  }
}

TEST_F(ParameterLookup, RefusesWithTheRangeThePluginGives) {
  const ParameterCatalog catalog(plugin());
  const uint32_t binaural = ParameterId(plugin(), "Binaural");
  const std::string lowest = plugin().ValueToString(binaural, 0.0), highest = plugin().ValueToString(binaural, 1.0);
  struct Case {
    const char* name;
    const char* value;
    std::vector<std::string> reasonContains;
  };
  const Case cases[] = {
      {"Binaurl", "4", {"no parameter is named 'Binaurl'", "--list-params"}},
      {"Binaural", "2000.5", {"out of range", lowest, highest}},
      {"Binaural", "fast", {"not a value of Binaural", lowest, highest}},
      {"Binaural", "4 s", {"not a value of Binaural"}},
      {"Volume", "75.5", {"between steps"}},
      {"Wave", "Square", {"not a value of Wave", "Golden Sine", "Gold. Square"}},
      {"Wave", "7", {"out of range"}},
      {"Presets", "3", {"no parameter is named 'Presets'"}},
  };
  for (const Case& c : cases) {
    ParameterChange change;
    std::string error;
    EXPECT_FALSE(catalog.Resolve(c.name, c.value, &change, &error)) << c.name << "=" << c.value;
    for (const std::string& part : c.reasonContains) {
      EXPECT_NE(error.find(part), std::string::npos) << c.name << "=" << c.value << " -> " << error;
    }
  }
}

TEST_F(LoadedPlugin, ProgrammesByNumberOrNameFromThePluginsList) {
  ProgramCatalog catalog;
  std::string error;
  ASSERT_TRUE(catalog.Read(plugin(), &error)) << error;
  int32_t listId = 0;
  std::string listName;
  std::vector<std::string> names;
  ASSERT_TRUE(plugin().ProgramList(&listId, &listName, &names));
  ASSERT_GT(names.size(), 104u);

  int number = -1;
  ASSERT_TRUE(catalog.Resolve("104", &number, &error)) << error;
  EXPECT_EQ(number, 104);
  EXPECT_EQ(catalog.Name(104), names[104]);
  ASSERT_TRUE(catalog.Resolve(names[104], &number, &error)) << error;
  EXPECT_EQ(number, 104);

  EXPECT_FALSE(catalog.Resolve(std::to_string(names.size()), &number, &error));
  EXPECT_NE(error.find("out of range 0 to " + std::to_string(names.size() - 1)), std::string::npos) << error;
  EXPECT_FALSE(catalog.Resolve("No Such Programme", &number, &error));
  EXPECT_NE(error.find("--list-programs"), std::string::npos) << error;
}

TEST_F(LoadedPlugin, ASelectedProgrammeReachesThePluginWithTheFirstBlock) {
  ProgramCatalog catalog;
  std::string error;
  ASSERT_TRUE(catalog.Read(plugin(), &error)) << error;
  int number = -1;
  ASSERT_TRUE(catalog.Resolve("Binaural - 9.6 (Earth's magnetic field)", &number, &error)) << error;
  ASSERT_TRUE(plugin().SetupProcessing(48000.0, 64, spwhost::SampleSize::k32, true));
  ASSERT_TRUE(plugin().SetActive(true));
  const ParameterChange selection = catalog.Selection(number);
  plugin().QueueParameterChange(selection.id, selection.normalized);
  float left[64], right[64];
  float* outputs[] = {left, right};
  ASSERT_TRUE(plugin().ProcessFloat(outputs, 64));
  const uint32_t binaural = ParameterId(plugin(), "Binaural");
  EXPECT_NEAR(plugin().NormalizedToPlain(binaural, plugin().GetParamNormalized(binaural)), 9.6, 1e-9);
}

}  // namespace
}  // namespace spwrender
