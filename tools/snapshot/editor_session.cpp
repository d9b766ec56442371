#include "editor_session.h"

#include <cmath>

#include "headless_front.h"
#include "layout_table.h"
#include "platform/headless/graphics_headless.h"
#include "plugin_editor.h"
#include "staged_file.h"
#include "stereo_pulse_weaver.h"
#include "vst3_host.h"
#include "window_front.h"

namespace spwsnapshot {
namespace {

constexpr int kDragSteps = 4;

}  // namespace

EditorSession::EditorSession(bool window, double scale)
    : plug_(new CLS_STEREOPULSEWEAVER(window ? BuildWindowedEditor : BuildHeadlessEditor)),
      window_(window),
      scale_(scale) {}

EditorSession::~EditorSession() {
  front_.reset();  // the window closes while the plug-in is still switched on
  host_.reset();   // switches off, terminates and lets go of its references
  plug_->release();
}

bool EditorSession::Start(std::string* error) {
  if (!Open(error)) return false;
  Step();
  return true;
}

bool EditorSession::Open(std::string* error) {
  host_ = spwhost::Plugin::Adopt(static_cast<Steinberg::Vst::IAudioProcessor*>(plug_), error);
  if (!host_ || !host_->Initialize(error)) return false;
  host_->SetStereoOutput();
  if (!host_->SetupProcessing(kSampleRate, kBlockFrames, spwhost::SampleSize::k32, false) ||
      !host_->SetActive(true)) {
    if (error) *error = "the plug-in refused the processing set-up";
    return false;
  }
  if (window_) {
    Editor().SetZoom(1.0);  // the picture is at the scale asked for, whatever the person's zoom
    front_ = WindowFront::Open(*host_->Controller(), scale_, error);
    windowFailed_ = !front_;
    if (!front_) return false;
  } else {
    Graphics().SetHostScale(scale_);
    front_ = std::make_unique<HeadlessFront>(Graphics());
  }
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

int EditorSession::Device(int p) const { return static_cast<int>(std::floor((p + 0.5) * scale_)); }

void EditorSession::Click(int x, int y, bool rightButton) {
  front_->Move(Device(x), Device(y), false);
  front_->Press(Device(x), Device(y), rightButton);
  Step();
  front_->Release(Device(x), Device(y), rightButton);
  Step();
}

void EditorSession::Drag(int x, int y, int dx, int dy) {
  front_->Move(Device(x), Device(y), false);
  front_->Press(Device(x), Device(y), false);
  for (int k = 1; k <= kDragSteps; ++k) {
    front_->Move(Device(x + dx * k / kDragSteps), Device(y + dy * k / kDragSteps), true);
    Step();
  }
  front_->Release(Device(x + dx), Device(y + dy), false);
  if (!spw_editor::InsideEditor(x + dx, y + dy)) front_->Leave();
  Step();
}

void EditorSession::Wheel(int x, int y, int notches) {
  front_->Move(Device(x), Device(y), false);
  front_->Wheel(Device(x), Device(y), notches);
  Step();
}

void EditorSession::Hover(int x, int y) {
  front_->Move(Device(x), Device(y), false);
  Step();
}

bool EditorSession::Type(const std::string& text, std::string* error) {
  std::string reason;
  const bool typed = front_->Type(text, &reason);
  Step();
  if (!typed && error) *error = reason;
  return typed;
}

bool EditorSession::WritePng(const std::string& path, std::string* error) {
  std::vector<uint8_t> png;
  std::string reason;
  spwrender::StagedFile file;
  if (!front_->EncodePng(&png)) {
    reason = "cannot write '" + path + "': the editor drew no picture";
  } else if (file.Stage(path, std::move(png), &reason) && file.Deliver(&reason)) {
    return true;
  }
  if (error) *error = reason;
  return false;
}

}  // namespace spwsnapshot
