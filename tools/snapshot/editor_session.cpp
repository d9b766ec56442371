#include "editor_session.h"

#include <cmath>

#include "headless_front.h"
#include "layout_table.h"
#include "platform/headless/graphics_headless.h"
#include "stereo_pulse_weaver.h"
#include "vst3_host.h"
#include "window_front.h"

namespace spwsnapshot {
namespace {

constexpr int kDragSteps = 4;

}  // namespace

EditorSession::EditorSession(bool window)
    : plug_(new CLS_STEREOPULSEWEAVER(window ? EditorWindowing::kPlatformWindow : EditorWindowing::kHeadless)),
      window_(window) {}

EditorSession::~EditorSession() {
  front_.reset();  // the window closes while the plug-in is still switched on
  host_.reset();   // switches off, terminates and lets go of its references
  plug_->release();
}

bool EditorSession::Start(std::string* error) {
  host_ = spwhost::Plugin::Adopt(static_cast<Steinberg::Vst::IAudioProcessor*>(plug_), error);
  if (!host_ || !host_->Initialize(error)) return false;
  host_->SetStereoOutput();
  if (!host_->SetupProcessing(kSampleRate, kBlockFrames, spwhost::SampleSize::k32, false) ||
      !host_->SetActive(true)) {
    if (error) *error = "the plug-in refused the processing set-up";
    return false;
  }
  if (window_) {
    front_ = WindowFront::Open(*host_->Controller(), error);
    if (!front_) return false;
  } else {
    front_ = std::make_unique<HeadlessFront>(Graphics());
  }
  Step();
  return true;
}

IGraphics& EditorSession::Editor() { return static_cast<IGraphics&>(*plug_->Editor()); }

IGraphicsHeadless& EditorSession::Graphics() { return static_cast<IGraphicsHeadless&>(Editor()); }

void EditorSession::QueueChange(uint32_t id, double normalized) { host_->QueueParameterChange(id, normalized); }

bool EditorSession::RenderBlock() {
  float* outputs[2] = {left_, right_};
  bool finite = host_->ProcessFloat(outputs, kBlockFrames);
  for (int i = 0; i < kBlockFrames; ++i) finite = finite && std::isfinite(left_[i]) && std::isfinite(right_[i]);
  return finite;
}

void EditorSession::DrawCycle() { front_->Redraw(); }

void EditorSession::Step() {
  RenderBlock();
  DrawCycle();
}

void EditorSession::Click(int x, int y, bool rightButton) {
  front_->Move(x, y, false);
  front_->Press(x, y, rightButton);
  Step();
  front_->Release(x, y, rightButton);
  Step();
}

void EditorSession::Drag(int x, int y, int dx, int dy) {
  front_->Move(x, y, false);
  front_->Press(x, y, false);
  for (int k = 1; k <= kDragSteps; ++k) {
    front_->Move(x + dx * k / kDragSteps, y + dy * k / kDragSteps, true);
    Step();
  }
  front_->Release(x + dx, y + dy, false);
  if (!spw_editor::InsideEditor(x + dx, y + dy)) front_->Leave();
  Step();
}

void EditorSession::Wheel(int x, int y, int notches) {
  front_->Move(x, y, false);
  front_->Wheel(x, y, notches);
  Step();
}

void EditorSession::Hover(int x, int y) {
  front_->Move(x, y, false);
  Step();
}

void EditorSession::Type(const std::string& text) {
  front_->Type(text);
  Step();
}

bool EditorSession::WritePng(const std::string& path) { return front_->WritePng(path); }

}  // namespace spwsnapshot
