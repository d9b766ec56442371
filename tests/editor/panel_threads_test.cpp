// The slot panel and the phase-sync button used on the editor thread while
// the audio thread renders blocks with parameter changes that refresh and
// re-link the grid. Meaningful under ThreadSanitizer: every grid, status and
// engine access of the editor side must be locked or atomic. Without it, the
// grid must still come out consistent.

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "editor_fixture.h"

namespace {

constexpr int kRounds = 200;

class PanelThreads : public EditorFixture {
 protected:
  // The audio thread: blocks with a changing beat, slots set by automation,
  // link modes and references switched.
  void PlayAudio(std::atomic<bool>& done) {
    const double beats[] = {4.0, 4.99, 5.0, 7.83, 3.1};
    for (int round = 0; round < kRounds; ++round) {
      Queue(kBinaural, beats[round % 5]);
      if (round % 7 == 0) Queue(kSlot1 + round % 12, (round * 5) % 60);
      if (round % 11 == 0) Queue(kLinkFreq, round % 3);
      if (round % 13 == 0) Queue(kReference, (round / 13) % 2);
      if (round % 17 == 0) Queue(kBinauralPan, round % 5);
      session.RenderBlock();
    }
    done = true;
  }

  // The editor thread: moves, clicks, wheel turns and timer ticks, until the audio is done.
  void PlayEditor(const std::atomic<bool>& done) {
    IGraphicsHeadless& graphics = Graphics();
    for (int round = 0; !done || round < kRounds; ++round) {
      const int x = CellX(round % 7), y = CellY(round / 7 % 5);
      graphics.MouseOver(x, y, IMouseKeys());
      graphics.MouseDown(x, y, round % 3 == 0 ? Right() : Left());
      if (round % 2 == 0) graphics.Tick();  // held over a tick, or a quick click
      graphics.MouseUp(x, y, IMouseKeys());
      graphics.MouseWheel(x, y, IMouseKeys(), round % 4 - 2);
      graphics.MouseOver(493, 246, IMouseKeys());  // the phase-sync button
      if (round % 5 == 0) graphics.MouseDown(493, 246, Left()), graphics.MouseUp(493, 246, IMouseKeys());
      graphics.Tick();
    }
  }

  void Play() {
    std::atomic<bool> done{false};
    std::thread audio([&] { PlayAudio(done); });
    PlayEditor(done);
    audio.join();
    session.Step();
  }

  // The grid's books agree with its marks, and the button shows what the engine counts.
  void ExpectGridConsistent() {
    std::lock_guard<std::recursive_mutex> lock(Plug().Mutex());
    const HarmonicGrid& grid = Grid();
    int occupied = 0;
    for (int cell = 0; cell < HarmonicGrid::kCells; ++cell) {
      if (!grid.Occupied(cell)) continue;
      ++occupied;
      EXPECT_LT(grid.SlotOfCell(cell), kToneSlots);
    }
    EXPECT_EQ(occupied, grid.OccupiedCount());
    EXPECT_EQ(Plug().Engine().phaseSync.ActiveTones(), Plug().Engine().activeSlotCount);
  }
};

TEST_F(PanelThreads, WithoutAWindowTheGridWorksWhereItIsAsked) {
  Play();
  ExpectGridConsistent();
}

TEST_F(PanelThreads, WithAWindowTheGridWorksOnTheEditorsTicks) {
  Plug().EditorOpened();
  Play();
  Plug().EditorClosed();
  ExpectGridConsistent();
  std::lock_guard<std::recursive_mutex> lock(Plug().Mutex());
  EXPECT_FALSE(Grid().WorkPending());
}

}  // namespace
