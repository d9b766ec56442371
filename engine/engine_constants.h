#pragma once
// Named numbers of the tone engine. Every value here is heard: changing one
// changes the output.

#include <cstdint>

// ---- Geometry of the engine ----
constexpr int kToneSlots = 12;                        // tone slots sounding at once
constexpr int kEarChannels = 2;                       // 0 left, 1 right
constexpr int kVoices = kToneSlots * kEarChannels;    // per-channel arrays: index = channel * 12 + slot
constexpr int kScaleSteps = 6;                        // scale degrees above the root of a grid row

// ---- Circle constants (radians) ----
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kInvPi = 0.3183098861837907;

// ---- The polynomial sine: odd fifth-order fit on [-pi/2, pi/2], exactly 1 at pi/2 ----
constexpr double kSineC5 = 0.007352468196870117;
constexpr double kSineC3 = -0.1652891139701474;
constexpr double kSineC1 = 0.9996919862959676;

// ---- Golden shapes ----
constexpr float kGoldenFraction = 0.618f;              // held as a float; formulas widen it
constexpr double kGoldenSplitAtStart = 3.8830083370775546;  // 2 pi x the float 0.618
// Phase shifts that put a rising zero crossing at phase 0; literals, not recomputed.
constexpr double kGoldenSineHalfShift = 1.294336264;   // radians
constexpr double kGoldenTriangleShift = 1.941504077;   // radians

// ---- Ramps and levels ----
constexpr double kSilence = 1e-11;             // below or at this, a gain or increment is silent
constexpr double kQuarterFade = 0.0025;        // samples per (hundredth of a second x Hz): a quarter of "Fade"
constexpr double kDbToExponent = 0.11512925464970228;  // ln(10) / 20: exp(dB x this) = 10^(dB/20)

// ---- Stereo placement ----
constexpr float kLowestEarFrequency = 20.0f;   // Hz; the lower tone of a centred pair never goes below

// ---- Volume: 0..100 % maps to 0.0001..0.999 ----
constexpr float kVolumeSpan = 0.9989f;
constexpr float kPercent = 0.01f;
constexpr float kVolumeFloor = 0.0001f;

// ---- Values applied as hundredths ("Binaural", "Base Freq", "Fade", "Unlink Ref") ----
constexpr float kHundredth = 0.01f;

// ---- The harmonic grid's scale: natural minor steps 2, 3, 5, 7, 8, 10 semitones ----
// 2^(k/12) cut to twelve decimals; the cut is part of the sound.
constexpr double kScaleRatios[kScaleSteps] = {1.122462048309, 1.189207115002, 1.33483985417,
                                              1.498307076876, 1.587401051968, 1.78179743628};
