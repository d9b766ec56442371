// A programme chosen in the player's bar, through the edit queue into the audio
// callback as a host's programme change: the plug-in applies it after the edits
// made before it and before those made after, the player's copy of the values
// takes what the plug-in then holds, and what the person chose comes back, in
// order, at the next start.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bundle_fixture.h"
#include "chosen_settings.h"
#include "edit_handler.h"
#include "parameter_table.h"
#include "player_engine.h"
#include "program_catalog.h"
#include "program_values.h"
#include "vst3_host.h"

namespace spwplay {
namespace {

constexpr int kCMajor = 7, kZigZag = 8, kCMajorHarmonics = 10;  // the last brings only the slots

class ProgrammeChoiceTest : public BundleTest {
 protected:
  void SetUp() override {
    BundleTest::SetUp();
    std::string error;
    ASSERT_TRUE(catalog_.Read(*plugin_, &error)) << error;
    table_ = std::make_unique<ParameterTable>(*plugin_);
    auto scratch = module_->CreatePlugin(&error);
    ASSERT_TRUE(scratch && scratch->Initialize(&error)) << error;
    ASSERT_TRUE(ReadEveryProgramme(*scratch, *table_, catalog_, &rows_, &error)) << error;
    binaural_ = uint32_t(plugin_->FindParameter("Binaural"));
  }

  Edit Programme(int n) const { return {catalog_.Selection(n).id, catalog_.Selection(n).normalized}; }
  Edit Binaural(double normalized) const { return {binaural_, normalized}; }

  spwrender::ProgramCatalog catalog_;
  std::unique_ptr<ParameterTable> table_;
  std::vector<std::vector<double>> rows_;
  uint32_t binaural_ = 0;
};

TEST_F(ProgrammeChoiceTest, TheCopyOfTheValuesIsThePlugInsAfterEveryChoice) {
  struct Case {
    const char* what;
    std::vector<Edit> edits;  // in one callback
    int programme;            // the programme whose Binaural is expected; -1: knob's
    double knob;
  };
  const Case cases[] = {
      {"a whole programme", {Programme(kCMajor)}, kCMajor, 0.0},
      {"a knob, then a programme", {Binaural(0.9), Programme(kZigZag)}, kZigZag, 0.0},
      {"a programme, then a knob", {Programme(kCMajor), Binaural(0.8)}, -1, 0.8},
      {"a programme, a knob, a programme", {Programme(kCMajor), Binaural(0.7), Programme(kZigZag)}, kZigZag, 0.0},
      {"a knob, then slots only", {Binaural(0.6), Programme(kCMajorHarmonics)}, -1, 0.6},
  };
  EditQueue queue;
  EditHandler handler(*table_, queue);  // as the editor's edits and the bar's choices go
  PlayerEngine engine(*plugin_, *table_, queue, nullptr, PlayerEngine::kEndless);
  engine.FollowProgrammes(catalog_.Selection(0).id, &rows_);
  engine.PlayBare();
  std::string error;
  ASSERT_TRUE(engine.Start(48000, 256, &error)) << error;
  std::vector<float> left(256), right(256);
  for (const Case& c : cases) {
    for (const Edit& edit : c.edits) handler.performEdit(edit.id, edit.normalized);
    engine.Render(left.data(), right.data(), 256);
    for (int i = 0; i < table_->Count(); ++i) {
      EXPECT_EQ(table_->Value(i), plugin_->GetParamNormalized(table_->Id(i))) << c.what << ": parameter " << i;
    }
    const double binaural = c.programme < 0 ? c.knob : rows_[size_t(c.programme)][size_t(table_->IndexOf(binaural_))];
    EXPECT_EQ(plugin_->GetParamNormalized(binaural_), binaural) << c.what;
  }
}

TEST_F(ProgrammeChoiceTest, ChoicesComeBackInTheOrderTheyWereMade) {
  std::vector<uint8_t> base;
  ASSERT_TRUE(plugin_->GetState(&base));
  EditQueue queue;
  EditHandler handler(*table_, queue);
  for (const Edit& edit : {Binaural(0.9), Programme(kCMajor), Binaural(0.3), Programme(kZigZag), Binaural(0.2),
                           Programme(kCMajorHarmonics)}) {
    handler.performEdit(edit.id, edit.normalized);
  }
  std::string error;
  ASSERT_TRUE(ReturnToChoices({"test", stdout, stderr}, *plugin_, base, {}, handler.ByHand(), &error)) << error;
  // Zig Zag's values, Binaural as set after it (the last programme brings only slots), its slots.
  const std::vector<double>& zigZag = rows_[kZigZag];
  const std::vector<double>& slots = rows_[kCMajorHarmonics];
  for (int i = 0; i < table_->Count(); ++i) {
    const double expected = table_->Id(i) == binaural_           ? 0.2
                            : !std::isnan(slots[size_t(i)]) ? slots[size_t(i)]
                                                            : zigZag[size_t(i)];
    EXPECT_EQ(plugin_->GetParamNormalized(table_->Id(i)), expected) << "parameter " << i;
  }
}

}  // namespace
}  // namespace spwplay
