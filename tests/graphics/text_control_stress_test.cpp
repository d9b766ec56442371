// The audio thread writes texts and values into the editor's controls while the
// editor thread draws them. Meaningful under ThreadSanitizer: any access to a
// text or a control flag outside the instance lock or the atomics is reported.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

#include "graphics_rig.h"
#include "knob_rot_val.h"
#include "text_control.h"

TEST(TextControlStress, TextsAndValuesWrittenByTheAudioThreadAreDrawnWhole) {
  Rig rig;
  ITextStyle style("Arial", 14, IRgba(255, 255, 255, 255));
  auto* status = new ITextControl(&rig.plug, IArea(0, 0, 100, 20), style, "");
  auto* knob = new IKnobRotVal(&rig.plug, kGain, 50, 50, rig.Image(Frames(20, 20, {kRed}, true), 1),
                               IKnobRotVal::Look());
  rig.gfx->AddControl(status);
  rig.gfx->AddControl(knob);
  rig.Attach();

  const char* texts[] = {"", "Fade: 2.50 s", "A much longer status message that fills the line to its end"};
  std::atomic<bool> stop{false};
  std::atomic<int> blocks{0};
  std::thread audio([&] {
    for (int i = 0; !stop.load(std::memory_order_relaxed); ++i) {
      // One block as the binding runs it: under the instance lock, parameter values reach the
      // controls and the change handler writes the status line.
      std::lock_guard<std::recursive_mutex> lock(rig.plug.Mutex());
      rig.gfx->PushParameterToControls(kGain, (i % 100) / 100.0, true);
      rig.gfx->HideControlsOfParameter(kGain, i % 7 == 0);
      status->SetText(texts[i % 3]);
      blocks.fetch_add(1, std::memory_order_relaxed);
    }
  });

  int torn = 0;
  char seen[ITextControl::kTextSize];
  for (int frame = 0; frame < 300 || blocks.load(std::memory_order_relaxed) < 300; ++frame) {
    rig.gfx->Tick();
    status->SetText(frame % 2 ? texts[1] : texts[2]);  // mouse-over writes from the editor thread
    rig.gfx->Draw(IArea(0, 0, 100, 80));
    status->GetText(seen, sizeof seen);
    torn += std::strcmp(seen, texts[0]) != 0 && std::strcmp(seen, texts[1]) != 0 && std::strcmp(seen, texts[2]) != 0;
  }
  stop.store(true);
  audio.join();
  EXPECT_EQ(torn, 0);
  EXPECT_GE(blocks.load(), 300);
}
