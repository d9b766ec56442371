#include "phase.h"

#include <cstdio>

#include "editor_images.h"
#include "graphics.h"
#include "stereo_pulse_weaver.h"
#include "text_styles.h"

namespace {
constexpr int kCountSize = 15;  // pixels
constexpr int kCountAlpha = 180;
constexpr int kHoverCountAlpha = 250;
constexpr float kHoverWeight = 0.8f;
constexpr int kCountDrop = 2;  // count's top below the control's top, pixels
}  // namespace

PHASE::PHASE(CLS_STEREOPULSEWEAVER* plug, const IArea& rect)
    : IControl(plug, rect), plugin_(plug), countStyle_(spw_editor::CentredWhiteStyle(kCountSize, kCountAlpha)),
      hoverCountStyle_(spw_editor::CentredWhiteStyle(kCountSize, kHoverCountAlpha)) {}

bool PHASE::Draw(IGraphics& graphics) {
  if (!loaded_) {
    button_ = graphics.LoadImageResource(spw_editor::kImagePhaseSyncButton, "img/but_sync_phase.png", 1);
    loaded_ = true;
  }
  const PhaseSyncState& state = plugin_->Engine().phaseSync;
  if (!state.Synchronised()) {
    const IImageMix blend{EMixMethod::BlendNormal, hovered_ ? kHoverWeight : 1.0f};
    graphics.DrawImageFrame(button_, Rect(), 1, &blend, true);
  }
  char count[16];
  std::snprintf(count, sizeof count, "%d", state.ActiveTones());
  IArea rect = Rect();
  rect.top += kCountDrop;
  return graphics.DrawText(hovered_ ? hoverCountStyle_ : countStyle_, count, rect);
}

void PHASE::MouseDown(int x, int y, const IMouseKeys& mod) {
  ToneEngine& engine = plugin_->Engine();
  engine.resyncRequested.store(1, std::memory_order_relaxed);
  engine.phaseSync.MarkSynchronised(true);
  MarkDirty(true);
}

void PHASE::MouseOver(int x, int y, const IMouseKeys& mod) {
  const PhaseSyncState& state = plugin_->Engine().phaseSync;
  char text[48];
  if (state.Synchronised()) {
    std::snprintf(text, sizeof text, "Active tones: %d", state.ActiveTones());
  } else {
    std::snprintf(text, sizeof text, "Click to phase sync");
  }
  plugin_->ShowStatus(text);
  hovered_ = true;
  MarkDirty(false);
}

void PHASE::MouseOut() {
  hovered_ = false;
  MarkDirty(false);
}

void PHASE::OnTimer() {
  if (plugin_->Engine().phaseSync.TakeDirty()) MarkDirty(false);
}
