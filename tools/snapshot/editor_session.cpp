#include "editor_session.h"

#include "platform/headless/graphics_headless.h"
#include "raster_png.h"
#include "stereo_pulse_weaver.h"
#include "vst3_host.h"

namespace spwsnapshot {
namespace {

constexpr int kDragSteps = 4;

IMouseKeys Buttons(bool left, bool right) {
  IMouseKeys keys;
  keys.left = left;
  keys.right = right;
  return keys;
}

}  // namespace

EditorSession::EditorSession() : plug_(new CLS_STEREOPULSEWEAVER(EditorWindowing::kHeadless)) {}

EditorSession::~EditorSession() {
  host_.reset();  // switches off, terminates and lets go of its references
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
  Step();
  return true;
}

IGraphicsHeadless& EditorSession::Graphics() {
  return static_cast<IGraphicsHeadless&>(*plug_->Editor());  // the editor is headless for now
}

void EditorSession::QueueChange(uint32_t id, double normalized) { host_->QueueParameterChange(id, normalized); }

void EditorSession::RenderBlock() {
  float* outputs[2] = {left_, right_};
  host_->ProcessFloat(outputs, kBlockFrames);
}

void EditorSession::DrawCycle() { Graphics().Tick(); }

void EditorSession::Step() {
  RenderBlock();
  DrawCycle();
}

void EditorSession::Click(int x, int y, bool rightButton) {
  Graphics().MouseDown(x, y, Buttons(!rightButton, rightButton));
  Step();
  Graphics().MouseUp(x, y, Buttons(false, false));
  Step();
}

void EditorSession::Drag(int x, int y, int dx, int dy) {
  Graphics().MouseDown(x, y, Buttons(true, false));
  for (int k = 1; k <= kDragSteps; ++k) {
    Graphics().MouseDrag(x + dx * k / kDragSteps, y + dy * k / kDragSteps, Buttons(true, false));
    Step();
  }
  Graphics().MouseUp(x + dx, y + dy, Buttons(false, false));
  Step();
}

void EditorSession::Wheel(int x, int y, int notches) {
  Graphics().MouseWheel(x, y, Buttons(false, false), notches);
  Step();
}

void EditorSession::Hover(int x, int y) {
  Graphics().MouseOver(x, y, Buttons(false, false));
  Step();
}

void EditorSession::Type(const std::string& text) {
  Graphics().AnswerEntry(text.c_str());
  Step();
}

bool EditorSession::WritePng(const std::string& path) {
  const RasterBitmap* surface = Graphics().Surface();
  return surface && RasterWritePngFile(*surface, path.c_str());
}

}  // namespace spwsnapshot
