#pragma once
// The stereoPulseWeaver plug-in: binaural tone slots on a harmonic grid.

#include "effect_base.h"
#include "parameter_ids.h"

class CLS_STEREOPULSEWEAVER : public IEffectBase {
 public:
  CLS_STEREOPULSEWEAVER();
  ~CLS_STEREOPULSEWEAVER() override;

  static IEffectConfig Config();
};
