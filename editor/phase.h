#pragma once
// PHASE, the phase-sync button beside the slot panel: shows how many tones are
// active and, once gliding tones have drifted out of step, a button that
// re-aligns their phases to the host's timeline at the next block.
//
// Threads: the editor thread. It reads the engine's PhaseSyncState and sets
// resyncRequested (relaxed atomics, no lock); its status text goes through
// the plug-in's locked status writer.

#include "control.h"
#include "image.h"
#include "text_style.h"

class CLS_STEREOPULSEWEAVER;

class PHASE : public IControl {
 public:
  PHASE(CLS_STEREOPULSEWEAVER* plug, const IArea& rect);

  // The button (only while out of step), then the tone count.
  bool Draw(IGraphics& graphics) override;
  // Any button: the next block re-aligns the phases.
  void MouseDown(int x, int y, const IMouseKeys& mod) override;
  void MouseOver(int x, int y, const IMouseKeys& mod) override;
  void MouseOut() override;
  // Redraws when the engine changed the count or the step state.
  void OnTimer() override;

  bool Hovered() const { return hovered_; }

 private:
  CLS_STEREOPULSEWEAVER* plugin_;
  IImage button_;
  ITextStyle countStyle_;
  ITextStyle hoverCountStyle_;
  bool hovered_ = false;
  bool loaded_ = false;
};
