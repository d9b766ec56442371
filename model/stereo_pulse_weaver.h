#pragma once
// The stereoPulseWeaver plug-in: binaural tone slots on a harmonic grid.

#include "effect_vst3.h"
#include "parameter_ids.h"

class CLS_STEREOPULSEWEAVER : public spw_vst3::IEffectVST3 {
 public:
  CLS_STEREOPULSEWEAVER();
  ~CLS_STEREOPULSEWEAVER() override;

  static IEffectConfig Config();
};
