#pragma once
// How an image or shape is combined with what is drawn already.

enum class EMixMethod : int {
  BlendNormal = 0,  // alpha blend
  BlendCopy = 1,    // opaque copy
  BlendAdd = 2,     // additive, with alpha
  BlendDodge = 3,   // colour dodge, with alpha
};

struct IImageMix {
  EMixMethod method = EMixMethod::BlendNormal;
  float weight = 1.0f;  // 0..1
};
