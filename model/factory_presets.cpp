#include "factory_presets.h"

#include "parameter_ids.h"

namespace {
// One factory programme. Values not listed here are the same for every programme
// (see AddFactoryPresets): "Play Anyway" on, 1 s fades by volume, "Unlink Ref"
// 0.15 Hz, slots 8 to 12 empty.
struct Programme {
  const char* name;
  double binaural;  // Hz
  double baseFreq;  // Hz
  int reference;
  int wave;
  int pan;
  int link;
  int equalizer;
  int volume;       // percent
  int slots[7];     // grid cells of slots 1 to 7, 0 = empty
};

// In programme-list order, from slot 1.
constexpr Programme kProgrammes[] = {
    {"Default with play anyway", 4.0, 400.0, 0, 0, 0, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Reference by base freq", 4.0, 336.36, 1, 0, 0, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Unlink ref, freq 1.5Hz", 1.5, 400.0, 0, 0, 0, 0, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Unlink ref, freq 4Hz", 4.0, 400.0, 0, 0, 0, 0, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Brownian harmonics levels", 4.0, 400.0, 0, 0, 0, 1, 3, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Golden waves", 12.11, 400.0, 0, 3, 2, 1, 2, 40, {22, 0, 0, 0, 0, 0, 0}},
    {"C Major style", 5.5, 400.0, 0, 0, 0, 1, 1, 60, {22, 23, 24, 25, 26, 27, 28}},
    {"Zig Zag harmonics", 5.5, 400.0, 0, 0, 0, 2, 1, 60, {22, 24, 26, 28, 30, 32, 34}},
    {"Zig Zag harmonics 2", 5.2, 400.0, 0, 0, 0, 1, 1, 60, {23, 25, 27, 29, 31, 33, 35}},
    {"C Major style (only harmonics)", 4.0, 400.0, 0, 0, 0, 1, 1, 75, {22, 23, 24, 25, 26, 27, 28}},
    {"Zig Zag (only harmonics)", 4.0, 400.0, 0, 0, 0, 1, 1, 75, {22, 24, 26, 28, 30, 32, 34}},
    {"Zig Zag 2 (only harmonics)", 4.0, 400.0, 0, 0, 0, 1, 1, 75, {23, 25, 27, 29, 31, 33, 35}},
    {"Binaural - 0.2 (Dental pain)", 0.2, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 0.28 (Arthritis)", 0.28, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 0.3 (Depression)", 0.3, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 0.37 (Drug addiction)", 0.37, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 0.4 (Confusion)", 0.4, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 0.5 (Post traumatics)", 0.5, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 0.9 (Euphoria)", 0.9, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 1 (Feeling of well-being, pituitary stimulation)", 1.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 1.45 (Tri-thalamic entrainment, Alzheimer)", 1.45, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 1.5 (Velunes universal healing rate)", 1.5, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 1.8 (Sinus congestion)", 1.8, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 2.0 (Nerve regeneration)", 2.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 2.06 (Associated with coccyx)", 2.06, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 2.2 (Dreamless sleep, trance state)", 2.2, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 2.3 (Associated with genitals)", 2.3, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 2.57 (Associated with bladder)", 2.57, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 2.67 (Associated with intestines)", 2.67, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 3.0 (Increased Reaction Time)", 3.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 3.4 (Sound sleep)", 3.4, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 3.44 (Associated with ovaries)", 3.44, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 3.5 (Feeling of unity with everythin)", 3.5, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 3.6 (Remedy for anger & irritability)", 3.6, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 3.84 (Associated with the liver/pancreas)", 3.84, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 4.0 (Extrasensory perception, astral Projection)", 4.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 4.11 (Associated with kidneys)", 4.11, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 4.5 (Shamanic & Tibetan state of consciousness)", 4.5, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 4.6 (Associated with spleen & blood)", 4.6, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 4.9 (Relaxation & meditation)", 4.9, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 5.0 (Relaxed states, pain-relief)", 5.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 5.14 (Associated with stomach)", 5.14, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 5.35 (Associated with lungs)", 5.35, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 5.5 (Beyond knowledge to knowing)", 5.5, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 5.8 (Reduce fear, absent-mindedness)", 5.8, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 6.0 (Creative visualization)", 6.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 6.15 (Associated with heart)", 6.15, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 6.3 (Mental & astral projection)", 6.3, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 7.0 (Mental & astral projection 2)", 7.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 7.5 (Inter-awareness of self)", 7.5, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 7.8 (Stimulates ESP, paranormal)", 7.8, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 8.0 (Learning new information)", 8.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 8.6 (Induces sleep, tingling sensations)", 8.6, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 9.0 (Awareness of causes of body imbalance)", 9.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 9.41 (Pyramid vr.frequency)", 9.41, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 9.6 (Earth's magnetic field)", 9.6, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 10.6 (Relaxed & alert)", 10.6, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 11.0 (Focused alertness)", 11.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 14.1 (Earth Resonance)", 14.1, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 15.0 (Euphoria)", 15.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 20.3 (Earth Resonance)", 20.3, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 22.02 (Serotonin)", 22.02, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 26.4 (Earth Resonance)", 26.4, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 30.0 (Associated with marijuana)", 30.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 31.32 (Pituitary stimulation to release growth hormone)", 31.32, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 32.0 (Desensitizer; enhanced vigour & alertnes)", 32.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 33.0 (Christ consciousness)", 33.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 35.0 (Awakening of mid-chakras, balance of chakras)", 35.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 38.0 (Endorphin release)", 38.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 46.98 (Useful for weird effects)", 46.98, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 55.0 (Tantric yoga, stimulates the kundalini)", 55.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 63.5 (Astral projection)", 63.5, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 70.0 (Mental & astral projection)", 70.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 83.0 (Third eye opening)", 83.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 90.0 (Pleasure, producing beta-endorphins)", 90.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 105.0 (Overall view of complete situation)", 105.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 108.0 (Total knowing)", 108.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 111.0 (Beta endorphins)", 111.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 176.0 (Associated with colon)", 176.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 8.0 (Muladhara chakra)", 8.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 9.0 (Svadhisthana chakra)", 9.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 10.0 (Manipura chakra)", 10.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 10.5 (Anahata chakra)", 10.5, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 12.0 (Vishuddha chakra)", 12.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 13.0 (Ajna chakra)", 13.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 15.0 (Sahasrara chakra)", 15.0, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 7.83 (Schumann Resonance)", 7.83, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 14.3 (Schumann Resonance)", 14.3, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 20.8 (Schumann Resonance)", 20.8, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 27.3 (Schumann Resonance)", 27.3, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 33.8 (Schumann Resonance)", 33.8, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 126.22 (Sun: light, warmth, joy, animus)", 126.22, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 136.1 (Earth: resonates with the earth year)", 136.1, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 140.25 (Pluto: power, crisis & changes)", 140.25, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 141.27 (Mercury: intellectuality, mobility)", 141.27, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 144.72 (Mars: activity, energy, freedom, humor)", 144.72, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 147.85 (Saturn: separation, sorrow, death)", 147.85, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 183.58 (Jupiter: growth, success, justice, spirituality)", 183.58, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 194.71 (Earth: stability, grounding)", 194.71, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 207.36 (Uranus: spontaneity, independence, originality)", 207.36, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 211.44 (Neptune: the unconscious, imagination, spiritual)", 211.44, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Binaural - 221.23 (Venus: beauty, love, sexuality, sensuality, harmony)", 221.23, 220.0, 0, 0, 2, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 110 (Stomach)", 110.0, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 110 (3 tones)", 110.0, 220.0, 0, 0, 4, 1, 1, 75, {22, 23, 24, 0, 0, 0, 0}},
    {"Healing - 117.3 (Pancreas)", 117.3, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 164.3 (Gall Bladder)", 164.3, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 176 (Colon)", 176.0, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 176 (3 tones)", 176.0, 220.0, 0, 0, 4, 1, 1, 75, {22, 24, 26, 0, 0, 0, 0}},
    {"Healing - 220 (Lungs)", 220.0, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 220 (3 tones)", 220.0, 220.0, 0, 0, 4, 1, 1, 75, {20, 22, 24, 0, 0, 0, 0}},
    {"Healing - 264 (Personality)", 264.0, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 264 (3 tones)", 264.0, 220.0, 0, 0, 4, 1, 1, 75, {20, 22, 24, 0, 0, 0, 0}},
    {"Healing - 281.6 (Small Intestine)", 281.6, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 281.6 (3 tones)", 281.6, 220.0, 0, 0, 4, 1, 1, 75, {20, 22, 24, 0, 0, 0, 0}},
    {"Healing - 295.8 (Fat Cells)", 295.8, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 295.8 (3 tones)", 295.8, 220.0, 0, 0, 4, 1, 1, 75, {20, 22, 24, 0, 0, 0, 0}},
    {"Healing - 317.8 (Liver)", 317.8, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 317.8 (3 tones)", 317.8, 220.0, 0, 0, 4, 1, 1, 75, {18, 20, 22, 0, 0, 0, 0}},
    {"Healing - 319.9 (Kidneys)", 319.9, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Healing - 319.9 (3 tones)", 319.9, 220.0, 0, 0, 4, 1, 1, 75, {18, 20, 22, 0, 0, 0, 0}},
    {"Healing - 321.9 (Blood)", 321.9, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Healing - 321.9 (3 tones)", 321.9, 220.0, 0, 0, 4, 1, 1, 75, {25, 27, 29, 0, 0, 0, 0}},
    {"Healing - 324 (Muscles)", 324.0, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Healing - 324 (3 tones)", 324.0, 220.0, 0, 0, 4, 1, 1, 75, {25, 27, 29, 0, 0, 0, 0}},
    {"Healing - 352 (Bladder)", 352.0, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Healing - 352 (3 tones)", 352.0, 220.0, 0, 0, 4, 1, 1, 75, {23, 26, 29, 0, 0, 0, 0}},
    {"Healing - 418.3 (Bones)", 418.3, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Healing - 418.3 (3 tones)", 418.3, 220.0, 0, 0, 4, 1, 1, 75, {21, 25, 29, 0, 0, 0, 0}},
    {"Healing - 432 (Natural, harmonic intonation of nature)", 432.0, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Healing - 432 (5 tones)", 432.0, 220.0, 0, 0, 4, 1, 1, 75, {21, 23, 25, 27, 29, 0, 0}},
    {"Healing - 492 (Spleen)", 492.0, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Healing - 492 (4 tones)", 492.0, 220.0, 0, 0, 4, 1, 1, 75, {20, 23, 26, 29, 0, 0, 0}},
    {"Healing - 492.8 (Adrenals, thyroid & parathyroid)", 492.8, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Healing - 492.8 (5 tones)", 492.8, 220.0, 0, 0, 4, 1, 1, 75, {21, 23, 25, 27, 29, 0, 0}},
    {"Healing - 586 (Circulation  & sex)", 586.0, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Healing - 586 (7 tones)", 586.0, 220.0, 0, 0, 4, 1, 1, 75, {17, 19, 21, 23, 25, 27, 29}},
    {"Solfeggio UT - 396 (Turning grief into joy, liberating Guilt and Fear)", 396.0, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio UT - 396 (7 tones)", 396.0, 220.0, 0, 0, 4, 1, 1, 75, {23, 24, 25, 26, 27, 28, 29}},
    {"Solfeggio RE - 417 (Undoing Situations and Facilitating Change)", 417.0, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio RE - 417 (7 tones)", 417.0, 220.0, 0, 0, 4, 1, 1, 75, {23, 24, 25, 26, 27, 28, 29}},
    {"Solfeggio MI - 528 (Transformation and Miracles, DNA Repair)", 528.0, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio MI - 528 (7 tones)", 528.0, 220.0, 0, 0, 4, 1, 2, 75, {23, 24, 25, 26, 27, 28, 29}},
    {"Solfeggio FA - 639 (Relationship, connecting with spiritual family)", 639.0, 220.0, 0, 0, 4, 1, 1, 75, {29, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio FA - 639 (7 tones)", 639.0, 220.0, 0, 0, 4, 1, 3, 75, {17, 19, 21, 23, 25, 27, 29}},
    {"Solfeggio SOL - 741 (Solving problems, expressions/solutions)", 741.0, 220.0, 0, 0, 4, 1, 1, 75, {36, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio SOL - 741 (7 tones)", 741.0, 220.0, 0, 0, 4, 1, 3, 75, {24, 26, 28, 30, 32, 34, 36}},
    {"Solfeggio LA - 852 (Awakening Intuition, returning to Spiritual Order)", 852.0, 220.0, 0, 0, 4, 1, 1, 75, {36, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio LA - 852 (7 tones)", 852.0, 220.0, 0, 0, 4, 1, 3, 75, {21, 22, 24, 27, 30, 33, 36}},
    {"Solfeggio SI - 963 (Awakens any system to its original, perfect state)", 963.0, 220.0, 0, 0, 4, 1, 1, 75, {36, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio SI - 963 (7 tones)", 963.0, 220.0, 0, 0, 4, 1, 3, 75, {18, 21, 24, 27, 30, 33, 36}},
    {"Solfeggio - 174 (Natural anaesthetic, reduce pain)", 174.0, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio - 174 (7 tones)", 174.0, 220.0, 0, 0, 4, 1, 1, 75, {22, 23, 24, 25, 26, 27, 28}},
    {"Solfeggio - 285 (Return tissue into original form, influences energy)", 285.0, 220.0, 0, 0, 4, 1, 1, 75, {22, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio - 285 (7 tones)", 285.0, 220.0, 0, 0, 4, 1, 1, 75, {19, 20, 21, 22, 23, 24, 25}},
    {"Solfeggio - 936 (Pineal Gland Activator)", 936.0, 220.0, 0, 0, 4, 1, 1, 75, {36, 0, 0, 0, 0, 0, 0}},
    {"Solfeggio - 936 (7 tones)", 936.0, 220.0, 0, 0, 4, 1, 3, 75, {18, 21, 24, 27, 30, 33, 36}},
};
static_assert(sizeof kProgrammes / sizeof kProgrammes[0] == kFactoryProgrammeCount, "156 programmes");

constexpr double kPlayAnywayOn = 1.0;
constexpr double kFadeSeconds = 1.0;
constexpr double kFadeByVolume = 0.0;
constexpr double kUnlinkRefHz = 0.15;

void ProgrammeValues(const Programme& p, double values[kParameterCount]) {
  values[kBinaural] = p.binaural;
  values[kBaseFreq] = p.baseFreq;
  values[kReference] = p.reference;
  values[kPlayAnyway] = kPlayAnywayOn;
  values[kWave] = p.wave;
  values[kBinauralPan] = p.pan;
  values[kLinkFreq] = p.link;
  values[kFreqEqualizer] = p.equalizer;
  values[kFade] = kFadeSeconds;
  values[kStartStopFade] = kFadeByVolume;
  values[kVolume] = p.volume;
  values[kUnlinkRef] = kUnlinkRefHz;
  for (int s = 0; s < kSlotCount; ++s) values[kSlot1 + s] = s < 7 ? p.slots[s] : 0;
}
}  // namespace

void AddFactoryPresets(IEffectBase& base) {
  base.AddDefaultPresets("---- default ----", 1);
  for (const Programme& p : kProgrammes) {
    double values[kParameterCount];
    ProgrammeValues(p, values);
    base.AddPreset(p.name, values, kParameterCount);
  }
}
