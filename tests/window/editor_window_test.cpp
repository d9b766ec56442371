// The editor in a real window, opened by a host through the VST 3 view: real
// mouse and key events in; out, the edits the host is told of and the pixels
// on the screen. Closing, reopening and a host that destroys its window first
// leave no window, timer, font or X resource behind.

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "editor_window_fixture.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "host_frame.h"
#include "x_resources.h"
#endif

using spwwin::Button;
using spwwin::Picture;
using Steinberg::kResultOk;
using Strings = std::vector<std::string>;

namespace {

constexpr Steinberg::Vst::ParamID kBinaural = 0;
constexpr Steinberg::Vst::ParamID kReference = 2;
constexpr Steinberg::Vst::ParamID kBinauralPan = 5;
constexpr Steinberg::Vst::ParamID kLinkFreq = 6;
constexpr Steinberg::Vst::ParamID kFade = 8;
constexpr Steinberg::Vst::ParamID kSlot1 = 12;
constexpr Steinberg::Vst::ParamID kSlot2 = 13;

// Where the layout puts things, editor pixels.
constexpr int kKnobX = 110, kKnobY = 168;  // the frequency knob ("Binaural" while "Reference" is 0)
const Area kKnob{64, 122, 156, 226};
constexpr int kFadeX = 234, kFadeY = 124;  // the "Fade" knob
const Area kFadeBox{210, 112, 258, 136};   // where its typed-value box opens
const Area kWavePicture{288, 98, 463, 153};
// The slot panel's grid: cells 65 x 22 pixels, 3 apart, from (17, 265); the default
// programme shows rows 0 to 4 with cell 22 (row 3) lit. Row 1, column 2 is cell 10.
constexpr int kPanelTop = 263;
const Area kFreeCell{153, 290, 218, 312};
constexpr int kFreeCellX = 185, kFreeCellY = 301;
constexpr double kFreeCellNumber = 10.0;
const Area kToneCount{479, 238, 508, 255};
constexpr int kPanX = 374, kPanY = 235;  // the "Binaural Pan" switch
constexpr int kMenuRow = 21;             // pixels per menu entry
const Area kBelowStatusLine{0, 80, 520, 402};  // hovering changes the status line
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr int kTimerPeriodMs = 1000 / 24;

int WhitePixels(const Picture& picture, const Area& area) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += picture.At(x, y) == kWhite ? 1 : 0;
  }
  return count;
}

// The smallest area holding every pixel of within that differs between the two pictures.
Area ChangedArea(const Picture& a, const Picture& b, const Area& within) {
  Area area{within.right, within.bottom, within.left, within.top};
  for (int y = within.top; y < within.bottom; ++y) {
    for (int x = within.left; x < within.right; ++x) {
      if (a.At(x, y) == b.At(x, y)) continue;
      area = Area{std::min(area.left, x), std::min(area.top, y), std::max(area.right, x + 1), std::max(area.bottom, y + 1)};
    }
  }
  return area;
}

bool IsOneGesture(const Strings& words) {
  if (words.size() < 3 || words.front() != "begin" || words.back() != "end") return false;
  for (size_t i = 1; i + 1 < words.size(); ++i) {
    if (words[i] != "perform") return false;
  }
  return true;
}

}  // namespace

TEST_F(EditorWindowTest, AKnobDraggedUpIsOneGestureForTheHostAndTurnsOnTheScreen) {
  ASSERT_EQ(Normalized(kReference), 0.0) << "the knob at its place edits \"Binaural\"";
  const double start = Normalized(kBinaural);
  const Picture before = driver_->Capture();
  Drag(kKnobX, kKnobY, 0, -40);
  const Picture after = driver_->Capture();

  EXPECT_EQ(handler_.Edited(), std::vector<Steinberg::Vst::ParamID>{kBinaural});
  EXPECT_TRUE(IsOneGesture(handler_.Words(kBinaural)));
  double previous = start;
  for (const HostEdit& edit : handler_.edits) {
    if (edit.kind != HostEdit::Kind::kPerform) continue;
    EXPECT_GT(edit.value, previous) << "each step up raises the value";
    previous = edit.value;
  }
  EXPECT_DOUBLE_EQ(Normalized(kBinaural), handler_.LastValue(kBinaural));
  EXPECT_GT(ChangedPixels(before, after, kKnob), 0) << "the knob turned on the screen";
  EXPECT_EQ(ChangedPixels(before, after, kWavePicture), 0);
  if (HasFailure()) spwwin::WritePicturePng(after, "knob_drag.png");
}

TEST_F(EditorWindowTest, AClickOnAFreeGridCellGivesItTheNextSlotAndLightsIt) {
  ASSERT_EQ(plugin_->NormalizedToPlain(kSlot2, Normalized(kSlot2)), 0.0) << "slot 2 is free";
  const Picture before = driver_->Capture();
  Click(kFreeCellX, kFreeCellY);
  const Picture after = driver_->Capture();
  // The grid writes the cell into the slot's parameter and tells the host the
  // value as one edit, from the editor's thread.
  EXPECT_EQ(handler_.Words(kSlot2), (Strings{"begin", "perform", "end"}));
  EXPECT_EQ(plugin_->NormalizedToPlain(kSlot2, handler_.LastValue(kSlot2)), kFreeCellNumber);
  EXPECT_EQ(plugin_->NormalizedToPlain(kSlot2, Normalized(kSlot2)), kFreeCellNumber);
  EXPECT_GT(ChangedPixels(before, after, kFreeCell), kFreeCell.Pixels() / 2) << "the cell is lit";
  EXPECT_GT(ChangedPixels(before, after, kToneCount), 0) << "two tones now";
  if (HasFailure()) spwwin::WritePicturePng(after, "grid_click.png");
}

TEST_F(EditorWindowTest, ARightClickOpensTheMenuOfASwitchAndAChoiceSetsIt) {
  const Picture before = driver_->Capture();
  Click(kPanX, kPanY, Button::kRight);
  const Picture open = driver_->Capture();
  const Area menu = ChangedArea(before, open, kBelowStatusLine);
  ASSERT_GT(menu.bottom - menu.top, 4 * kMenuRow) << "a menu of the five placements";
  handler_.edits.clear();
  // The first entry, "Higher freq. to right" (value 0 of 4).
  Click(menu.left + kMenuRow, menu.top + kMenuRow / 2);
  EXPECT_EQ(handler_.Words(kBinauralPan), (Strings{"begin", "perform", "end"}));
  EXPECT_DOUBLE_EQ(handler_.LastValue(kBinauralPan), 0.0);
  EXPECT_DOUBLE_EQ(Normalized(kBinauralPan), 0.0);
  const Picture closed = driver_->Capture();
  EXPECT_EQ(ChangedPixels(before, closed, Area{menu.left, kPanelTop, menu.right, menu.bottom}), 0)
      << "the menu is gone from over the slot panel";
  if (HasFailure()) spwwin::WritePicturePng(open, "menu.png");
}

TEST_F(EditorWindowTest, ATypedValueIsCommittedByReturnOnTheNextTickAndItsBoxGoes) {
  const Picture before = driver_->Capture();
  Click(kFadeX, kFadeY, Button::kRight);
  const Picture open = driver_->Capture();
  EXPECT_GT(WhitePixels(open, kFadeBox), WhitePixels(before, kFadeBox) + 200) << "a white box over the knob";
  handler_.edits.clear();
#ifdef _WIN32
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(GetFocus(), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
#else
  XResources server;
  const uint32_t editor = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(driver_->EditorWindow()));
#endif

  driver_->Type("2.5");
  driver_->Pump(kHoldMs);
  EXPECT_TRUE(handler_.edits.empty()) << "typing alone tells the host nothing";

  driver_->PressReturn();
  Settle();

  EXPECT_EQ(handler_.Words(kFade), (Strings{"begin", "perform", "end"}));
  EXPECT_NEAR(plugin_->NormalizedToPlain(kFade, Normalized(kFade)), 2.5, 1e-9);
  const Picture after = driver_->Capture();
  EXPECT_LT(WhitePixels(after, kFadeBox), 20) << "the box is gone";
  EXPECT_GT(ChangedPixels(before, after, kFadeBox), 0) << "the knob shows the new value";
#ifdef _WIN32
  EXPECT_EQ(GetObjectType(font), 0u) << "the box's font went with it";
#else
  // Five more entries leave the editor's connection holding what it held before them.
  const int held = server.ResourcesOfOwner(editor);
  ASSERT_GT(held, 0);
  for (int i = 0; i < 5; ++i) {
    Click(kFadeX, kFadeY, Button::kRight);
    driver_->Type("1");
    driver_->PressReturn();
    Settle();
  }
  EXPECT_EQ(server.ResourcesOfOwner(editor), held);
#endif
  if (HasFailure()) spwwin::WritePicturePng(after, "typed_value.png");
}

TEST_F(EditorWindowTest, ClosingAndReopeningShowsTheSamePictureAndLeavesNoWindowTimerOrConnection) {
  const Picture first = driver_->Capture();
#ifdef _WIN32
  auto instance = reinterpret_cast<HINSTANCE>(
      GetWindowLongPtrW(static_cast<HWND>(driver_->EditorWindow()), GWLP_HINSTANCE));
  WNDCLASSEXW info = {};
  info.cbSize = sizeof info;
  // Wine does not count GDI objects (always 0); Windows does.
  const DWORD gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
#else
  XResources server;
  const int clientsOpen = server.Clients();
  auto& frame = static_cast<spwwin::HostFrame&>(*driver_->Frame());
#endif
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(view_->removed(), kResultOk);
    EXPECT_EQ(driver_->EditorWindow(), nullptr);
#ifdef _WIN32
    EXPECT_FALSE(GetClassInfoExW(instance, L"IEffectWndClass", &info)) << "the class goes with the last window";
#else
    EXPECT_EQ(frame.Registrations(), 0u);
    EXPECT_EQ(server.Clients(), clientsOpen - 1) << "the editor's connection is closed";
#endif
    ASSERT_EQ(view_->attached(driver_->ParentHandle(), driver_->PlatformType()), kResultOk);
    Settle();
  }
  const Picture again = driver_->Capture();
  EXPECT_EQ(ChangedPixels(first, again, Area{0, 0, kWidth, kHeight}), 0);
#ifdef _WIN32
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects);
#endif

  // Removed while a redraw is due: the knob changed and a tick has come round unserved.
  Drag(kKnobX, kKnobY, 0, -10);
  driver_->Press(kKnobX, kKnobY, Button::kLeft);
  driver_->Move(kKnobX, kKnobY - 20);
  std::this_thread::sleep_for(std::chrono::milliseconds(2 * kTimerPeriodMs));
  ASSERT_EQ(view_->removed(), kResultOk);
  driver_->Pump(kSettleMs);
  EXPECT_EQ(driver_->EditorWindow(), nullptr);
  if (HasFailure()) spwwin::WritePicturePng(again, "reopened.png");
}

TEST_F(EditorWindowTest, RemovingTheViewWithTheButtonHeldEndsTheGesture) {
  Drag(kKnobX, kKnobY, 0, -30, /*hold=*/true);
  ASSERT_EQ(handler_.LastWord(kBinaural), "perform");
  ASSERT_EQ(view_->removed(), kResultOk);
  EXPECT_TRUE(IsOneGesture(handler_.Words(kBinaural)));
}

TEST_F(EditorWindowTest, AHostThatDestroysItsWindowFirstEndsTheGestureAndCanOpenTheEditorAgain) {
  Drag(kKnobX, kKnobY, 0, -30, /*hold=*/true);
  ASSERT_EQ(handler_.LastWord(kBinaural), "perform");
  driver_->DestroyParent();
  Settle();
  EXPECT_TRUE(IsOneGesture(handler_.Words(kBinaural))) << "the window's end ended the press";
  driver_->Release(kKnobX, kKnobY - 30, Button::kLeft);  // the person lets go somewhere

  // The grid's work no longer waits for the dead window's timer: automation that
  // moves every cell a row up ("Yes & up/down", the beat crossing 5 Hz) moves the
  // programme's cell 22 a row, and the host hears of it before the view is removed.
  handler_.edits.clear();
  std::vector<double> slot1Written;
  for (auto change : {std::make_pair(kLinkFreq, 2.0), std::make_pair(kBinaural, 4.99),
                      std::make_pair(kBinaural, 5.0)}) {
    plugin_->QueueParameterChange(change.first, plugin_->PlainToNormalized(change.first, change.second));
    Render();
    for (const spwhost::ParameterPoint& point : plugin_->LastOutputChanges()) {
      if (point.id == kSlot1) slot1Written.push_back(point.normalized);
    }
  }
  // Written on the audio thread: in the block's output changes, not through the handler.
  EXPECT_FALSE(slot1Written.empty()) << "the grid wrote the slot's new cell";
  EXPECT_TRUE(handler_.Words(kSlot1).empty());
  EXPECT_EQ(view_->removed(), kResultOk) << "nothing of the dead window is touched";

  // A new host window: the same view opens in it and works as before.
  std::string error;
  auto second = spwwin::WindowDriver::Create(kWidth, kHeight, &error);
  ASSERT_TRUE(second) << error;
  view_->setFrame(second->Frame());
  ASSERT_EQ(view_->attached(second->ParentHandle(), second->PlatformType()), kResultOk);
  driver_.swap(second);
  Settle();
  handler_.edits.clear();
  Drag(kKnobX, kKnobY, 0, -20);
  EXPECT_TRUE(IsOneGesture(handler_.Words(kBinaural)));
  ASSERT_EQ(view_->removed(), kResultOk);
  view_->setFrame(nullptr);
  view_->release();
  view_ = nullptr;  // before the first window's frame goes
}

#ifdef _WIN32
TEST_F(EditorWindowTest, AWindowThatTakesTheMouseEndsTheGesture) {
  Drag(kKnobX, kKnobY, 0, -30, /*hold=*/true);
  ASSERT_EQ(handler_.LastWord(kBinaural), "perform");
  SetCapture(static_cast<HWND>(driver_->ParentHandle()));
  Settle();
  ReleaseCapture();
  EXPECT_TRUE(IsOneGesture(handler_.Words(kBinaural)));
}
#endif
