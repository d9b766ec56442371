#pragma once
// A text control the plug-in and its engine write through a TextSink: the
// status line and the captions. Every text also goes on to the sink the
// control took the place of, the plug-in's own record of its texts, which
// tools and tests read without drawing the editor.
//
// Threads: SetText runs on any thread under the instance lock (the audio
// thread among them); it neither allocates nor takes another lock.

#include "controls/text_control.h"
#include "text_sink.h"

class TextSinkControl : public ITextControl, public TextSink {
 public:
  TextSinkControl(IEffectBase* plug, const IArea& rect, const ITextStyle& style);

  // Takes the place of the sink in slot: texts written through slot come here,
  // then go on to the sink it held.
  void TakePlaceOf(TextSink*& slot);

  void SetText(const char* text) noexcept override;

 private:
  TextSink* record_ = nullptr;
};
