// What a person does with the mouse and keyboard in the editor, in any order,
// while the host automates, changes programmes, restores states and the audio
// runs: presses, moves and releases with either button, double clicks, wheel
// turns, hovering and leaving, right clicks that open a popup or the value
// entry and a choice or typed text in them, keys, and the editor window closed
// and opened again. After every step: every parameter value finite and in its
// range, every edit the host hears of inside one beginEdit/endEdit pair of its
// own parameter, the audio finite, and the editor drawn (AddressSanitizer
// catches a read outside its bitmaps). At the end no edit is left open.
//
// Input: steps, each an operation byte and its arguments (points are two
// little-endian 16-bit numbers, folded into the editor and a margin around it).

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "control.h"
#include "edit_ledger.h"
#include "editor_session.h"
#include "fuzz_host.h"
#include "key_code.h"
#include "layout_table.h"
#include "platform/headless/graphics_headless.h"
#include "vst3_host.h"

namespace {

constexpr int kMargin = 10;  // pixels around the editor that events may land on
constexpr int kPresets = 160;
constexpr int kMaxTyped = 24;
constexpr int kKeys = 43;               // EKey's codes 0..42
constexpr int kGestureEndTicks = 64;    // more than any deferred gesture end waits
// A whole-editor redraw costs tens of milliseconds instrumented: an input gets
// a bounded number of steps and of window reopenings, so that it takes well
// under a second and a slow machine does not report a hang that is none.
constexpr int kMaxSteps = 256;
constexpr int kMaxReopens = 4;
constexpr const char kTyped[] = "0123456789.,-+eE %HzdBinfa\xC3\xA9 ";

struct Point {
  int x, y;
};

Point NextPoint(FuzzInput& in) {
  const int x = in.Byte() | (in.Byte() << 8);
  const int y = in.Byte() | (in.Byte() << 8);
  return {x % (spw_editor::kEditorWidth + 2 * kMargin) - kMargin, y % (spw_editor::kEditorHeight + 2 * kMargin) - kMargin};
}

IMouseKeys Keys(uint8_t b) {
  IMouseKeys keys;
  keys.left = (b & 1) == 0;
  keys.right = (b & 1) != 0;
  keys.shift = (b & 2) != 0;
  keys.control = (b & 4) != 0;
  keys.alt = (b & 8) != 0;
  return keys;
}

std::string NextText(FuzzInput& in) {
  std::string text(in.Byte() % (kMaxTyped + 1), ' ');
  for (char& c : text) c = kTyped[in.Byte() % (sizeof kTyped - 1)];
  return text;
}

class EditorRun {
 public:
  EditorRun() {
    std::string error;
    Require(session_.Start(&error), "the editor session starts");
    Require(session_.Plug().setComponentHandler(&ledger_) == Steinberg::kResultOk, "the host's handler is taken");
    Plug().EditorOpened();
  }
  ~EditorRun() { session_.Plug().setComponentHandler(nullptr); }

  void Step(FuzzInput& in) {
    const uint8_t op = in.Byte();
    switch (op % 16) {
      case 0: Mouse(in, &IGraphics::MouseDown); break;
      case 1: Mouse(in, &IGraphics::MouseDrag); break;
      case 2: Mouse(in, &IGraphics::MouseUp); break;
      case 3: {
        const Point p = NextPoint(in);
        Graphics().MouseDoubleClick(p.x, p.y, Keys(in.Byte()));
        break;
      }
      case 4: {
        const Point p = NextPoint(in);
        const IMouseKeys keys = Keys(in.Byte());
        Graphics().MouseWheel(p.x, p.y, keys, static_cast<int8_t>(in.Byte()) % 9);
        break;
      }
      case 5: {
        const Point p = NextPoint(in);
        Graphics().MouseOver(p.x, p.y, IMouseKeys());
        break;
      }
      case 6: Graphics().MouseOut(); break;
      case 7: RightClickAndChoose(in); break;
      case 8: Type(in); break;
      case 9: {
        const Point p = NextPoint(in);
        Graphics().KeyDown(p.x, p.y, static_cast<EKey>(in.Byte() % kKeys));
        break;
      }
      case 10: CloseAndReopen(); break;
      case 11: session_.QueueChange(NextId(in), NextValue(in)); break;
      case 12: {
        const Steinberg::Vst::ParamID id = NextId(in);
        Plug().setParamNormalized(id, NextValue(in));
        break;
      }
      case 13: session_.QueueChange(kPresetsId, double(in.Byte() % kPresets) / (kPresets - 1)); break;
      case 14: State(in); break;
      default: {
        for (int blocks = 1 + in.Byte() % 4; blocks > 0; --blocks) Require(session_.RenderBlock(), "audio stays finite");
        break;
      }
    }
    session_.DrawCycle();
    Check();
  }

  // Lets go of everything as a person leaving the editor does, and lets the
  // deferred end of a wheel gesture run out: then no edit may be open.
  void Finish() {
    Graphics().EndHeldInput();
    Graphics().MouseOut();
    if (Graphics().OpenPopup()) Graphics().ClosePopup(false);
    Graphics().CancelEntry();
    for (int tick = 0; tick < kGestureEndTicks; ++tick) session_.DrawCycle();
    Require(session_.RenderBlock(), "audio stays finite");
    Check();
    if (ledger_.OpenEdit() >= 0) std::fprintf(stderr, "edit of parameter %ld left open\n", ledger_.OpenEdit());
    Require(ledger_.OpenEdit() < 0, "no edit is left open at the end");
  }

 private:
  CLS_STEREOPULSEWEAVER& Plug() { return session_.Plug(); }
  IGraphicsHeadless& Graphics() { return session_.Graphics(); }

  void Mouse(FuzzInput& in, void (IGraphics::*event)(int, int, const IMouseKeys&)) {
    const Point p = NextPoint(in);
    (Graphics().*event)(p.x, p.y, Keys(in.Byte()));
  }

  // A right click; when it opened a popup, a left click on the point of it the input picks.
  void RightClickAndChoose(FuzzInput& in) {
    const Point p = NextPoint(in);
    IMouseKeys right;
    right.right = true;
    Graphics().MouseOver(p.x, p.y, IMouseKeys());
    Graphics().MouseDown(p.x, p.y, right);
    Graphics().MouseUp(p.x, p.y, IMouseKeys());
    session_.DrawCycle();
    const IControl* popup = Graphics().OpenPopup();
    const uint8_t across = in.Byte(), down = in.Byte();
    if (!popup) return;
    const IArea& area = popup->Rect();
    const int x = area.left + across % std::max(1, area.W()), y = area.top + down % std::max(1, area.H());
    IMouseKeys left;
    left.left = true;
    Graphics().MouseOver(x, y, IMouseKeys());
    session_.DrawCycle();
    Graphics().MouseDown(x, y, left);
    Graphics().MouseUp(x, y, IMouseKeys());
  }

  // Text into the open value entry, committed; or the entry cancelled.
  void Type(FuzzInput& in) {
    const bool cancel = (in.Byte() & 1) != 0;
    const std::string text = NextText(in);
    if (cancel) {
      Graphics().CancelEntry();
    } else {
      Graphics().AnswerEntry(text.c_str());
    }
  }

  // The host closes the editor's view and opens it again, as with its window.
  void CloseAndReopen() {
    if (++reopens_ > kMaxReopens) return;
    Plug().EditorClosed();
    Graphics().CloseEditorWindow();
    Plug().EditorOpened();
    Graphics().RedrawAll();
  }

  // The host saves the state, restores the one it saved last, or restores 24 values of the input.
  void State(FuzzInput& in) {
    const uint8_t how = in.Byte() % 3;
    if (how == 0) {
      Require(session_.Host().GetState(&saved_), "the state saves");
      return;
    }
    std::vector<uint8_t> bytes = saved_;
    if (how == 2) {
      bytes.clear();
      for (int i = 0; i < kParameterCount; ++i) {
        const double value = NextValue(in);
        const auto* raw = reinterpret_cast<const uint8_t*>(&value);
        bytes.insert(bytes.end(), raw, raw + sizeof value);
      }
    }
    session_.Host().SetState(bytes);
  }

  void Check() {
    if (ledger_.Faults() > 0) std::fprintf(stderr, "%s\n", ledger_.FirstFault().c_str());
    Require(ledger_.Faults() == 0, "every edit lies inside one beginEdit/endEdit of its parameter");
    for (int i = 0; i < kParameterCount; ++i) {
      const IParameter& param = *Plug().ParamAt(i);
      const double v = param.Value();
      Require(std::isfinite(v) && v >= param.Minimum() && v <= param.Maximum(), "every value is finite and in range");
      const double n = Plug().getParamNormalized(static_cast<Steinberg::Vst::ParamID>(i));
      Require(n >= 0.0 && n <= 1.0, "every normalised value lies in 0..1");
    }
  }

  spwsnapshot::EditorSession session_;
  EditLedger ledger_;
  std::vector<uint8_t> saved_;
  int reopens_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  EditorRun run;
  for (int step = 0; step < kMaxSteps && !in.Empty(); ++step) run.Step(in);
  run.Finish();
  return 0;
}
