// What a session run keeps for the next start: the settings the person chose (by
// hand through the player's edit handler, or on the command line), not where the
// session's automation left the plug-in.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bundle_fixture.h"
#include "chosen_settings.h"
#include "edit_handler.h"
#include "parameter_catalog.h"
#include "parameter_table.h"
#include "start_settings.h"
#include "vst3_host.h"

namespace spwplay {
namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

class ChosenSettingsTest : public BundleTest {
 protected:
  void Apply(const Settings& settings) {
    spwrender::SessionOptions options;
    options.settings = settings;
    std::string error;
    ASSERT_TRUE(ApplyStartSettings(io_, *plugin_, options, &error)) << error;
  }

  const spwrender::ToolMessages io_{"test", stdout, stderr};
};

TEST_F(ChosenSettingsTest, SessionAutomationIsForgottenWhatThePersonChoseIsKept) {
  struct Case {
    const char* what;
    Settings options;                 // --set
    Settings byHand;                  // turned in the window while the session played
    Settings expected;                // what the next start plays
  };
  const Case cases[] = {
      {"nothing chosen: the remembered settings", {}, {}, {{"Volume", "40"}, {"Slot 1", "22"}, {"Fade", "3.00"}}},
      {"--set and knobs turned by hand",
       {{"Fade", "2.5"}},
       {{"Binaural", "7"}, {"Volume", "30"}, {"Volume", "35"}},
       {{"Volume", "35"}, {"Slot 1", "22"}, {"Fade", "2.50"}, {"Binaural", "7.00"}}},
  };
  for (const Case& c : cases) {
    // The remembered settings, then a session that ends as the sleep session does.
    Apply({{"Volume", "40"}, {"Fade", "3"}});
    std::vector<uint8_t> remembered;
    ASSERT_TRUE(plugin_->GetState(&remembered));
    ParameterTable table(*plugin_);
    EditQueue queue;
    EditHandler handler(table, queue);
    const spwrender::ParameterCatalog catalog(*plugin_);
    for (const auto& edit : c.byHand) {
      spwrender::ParameterChange change;
      std::string error;
      ASSERT_TRUE(catalog.Resolve(edit.first, edit.second, &change, &error)) << error;
      ASSERT_EQ(handler.performEdit(change.id, change.normalized), Steinberg::kResultOk);
      // The edit is the player's value at once, and the next callback's, in order.
      EXPECT_EQ(table.Value(table.IndexOf(change.id)), change.normalized) << c.what;
      Edit queued;
      ASSERT_TRUE(queue.Pop(&queued));
      EXPECT_TRUE(queued.id == change.id && queued.normalized == change.normalized) << c.what;
    }
    Apply({{"Volume", "0"}, {"Slot 1", "0"}, {"Fade", "10"}});

    spwrender::SessionOptions options;
    options.settings = c.options;
    std::string error;
    ASSERT_TRUE(ReturnToChoices(io_, *plugin_, remembered, options, handler.ByHand(), &error)) << error;
    for (const auto& expected : c.expected) {
      spwrender::ParameterChange change;
      ASSERT_TRUE(catalog.Resolve(expected.first, expected.second, &change, &error)) << error;
      EXPECT_EQ(plugin_->ValueToString(change.id, plugin_->GetParamNormalized(change.id)), expected.second)
          << c.what << ": " << expected.first;
    }
  }
}

// A --set that the other settings make silent is said in one line, as the renderer
// says it; one that is heard says nothing.
TEST_F(ChosenSettingsTest, StartSettingsThatChangeNothingAudibleAreSaid) {
  const struct {
    Settings settings;
    const char* said;  // in the warning, or nullptr for none
  } cases[] = {
      {{{"Base Freq", "500"}}, "\"Reference\""},
      {{{"Reference", "Binaural Freq"}, {"Base Freq", "500"}}, nullptr},
      {{{"Reference", "Base Freq"}, {"Binaural", "7"}}, nullptr},
  };
  for (const auto& c : cases) {
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    spwrender::SessionOptions options;
    options.settings = c.settings;
    std::string error;
    ASSERT_TRUE(ApplyStartSettings({"test", stdout, err}, *plugin_, options, &error)) << error;
    std::rewind(err);
    std::string said;
    for (int ch; (ch = std::fgetc(err)) != EOF;) said += char(ch);
    std::fclose(err);
    const std::string first = c.settings.front().first;
    if (c.said) {
      EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
      EXPECT_NE(said.find("warning: \"" + c.settings.back().first + "\""), std::string::npos) << said;
      EXPECT_NE(said.find(c.said), std::string::npos) << said;
    } else {
      EXPECT_EQ(said, "") << first;
    }
  }
}

}  // namespace
}  // namespace spwplay
