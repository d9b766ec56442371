// The editor in a host that embeds it by the XEmbed protocol, as the VST 3
// SDK's own editorhost does on Linux: the host reads _XEMBED_INFO when the
// editor's window appears in its parent (and would quit without it), maps the
// window itself and tells it it is embedded. Such a host also destroys its run
// loop at exit before it removes the view. Hosts that leave mapping to the
// plug-in are the other window tests' host.

#include <gtest/gtest.h>

#include "editor_window_fixture.h"

namespace {

class XEmbedWindowTest : public EditorWindowTest {
 protected:
  spwwin::Embedding HostEmbedding() const override { return spwwin::Embedding::kXEmbed; }
};

#if !defined(_WIN32)

constexpr Steinberg::Vst::ParamID kSlot2 = 13;
constexpr int kFreeCellX = 185, kFreeCellY = 301;  // cell 10, free in the default programme
constexpr double kFreeCellNumber = 10.0;
constexpr uint32_t kBlack = 0xFF000000u;

TEST_F(XEmbedWindowTest, TheHostFindsXEmbedInfoMapsTheWindowAndTheEditorShowsAndTakesClicks) {
  const spwwin::EmbedderLog& log = driver_->Embedder();
  ASSERT_TRUE(log.sawChild);
  EXPECT_FALSE(log.refused) << "_XEMBED_INFO is there when the window appears";
  EXPECT_EQ(log.version, 0u);
  EXPECT_EQ(log.flags, 1u) << "XEMBED_MAPPED: the embedder shows it";
  EXPECT_FALSE(log.childWasMapped) << "mapping is the embedder's";

  const spwwin::Picture picture = driver_->Capture();
  ASSERT_EQ(picture.width, kWidth);
  ASSERT_EQ(picture.height, kHeight);
  int drawn = 0;
  for (uint32_t pixel : picture.pixels) drawn += pixel != kBlack ? 1 : 0;
  EXPECT_GT(drawn, kWidth * kHeight / 2) << "the editor is on the screen, not the host's black parent";

  Click(kFreeCellX, kFreeCellY);
  EXPECT_EQ(plugin_->NormalizedToPlain(kSlot2, Normalized(kSlot2)), kFreeCellNumber);
  if (HasFailure()) spwwin::WritePicturePng(picture, "xembed.png");
}

TEST_F(XEmbedWindowTest, AHostThatDestroysItsRunLoopBeforeRemovingTheViewIsNotCalledThroughItAgain) {
  driver_->DestroyRunLoop();
  EXPECT_EQ(view_->removed(), Steinberg::kResultOk);
  EXPECT_EQ(driver_->CallsAfterRunLoopDestroyed(), 0);
}

#endif

}  // namespace
