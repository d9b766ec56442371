#pragma once
// The editor's images: module resource ids, names, sizes and frame counts.
// The PNGs in img/ are drawn to these sizes by tools/imagegen and embedded
// under these ids (img/images.rc); the layout loads them by id.

namespace spw_editor {

enum ImageId : int {
  kImageBackground = 100,
  kImageFrequencyKnob = 101,
  kImageFadeKnob = 102,
  kImageVolumeKnob = 103,
  kImageReferenceButtons = 104,
  kImageSlotFree = 107,
  kImageSlotOccupied = 108,
  kImageSlotPressed = 109,
  kImagePanSwitch = 110,
  kImageLinkSwitch = 111,
  kImageWaveHandle = 112,
  kImageSlotThumb = 113,
  kImageSlotThumbAlt = 114,
  kImageWaves = 115,
  kImagePlayButton = 116,
  kImageEqualizerSwitch = 117,
  kImageFadeStartSwitch = 118,
  kImagePhaseSyncButton = 119,
};

struct ImageInfo {
  int id;
  const char* name;  // the file in img/, carried along for information
  int width, height;  // pixels, all frames together
  int frames;
  bool stacked;      // frames one below the other; else side by side
};

// Knob images are one picture split at half width: the static base on the
// left, the part that turns on the right.
inline constexpr ImageInfo kEditorImages[] = {
    {kImageBackground, "img/bg.png", 520, 402, 1, true},
    {kImageFrequencyKnob, "img/knob.png", 184, 92, 1, true},
    {kImageFadeKnob, "img/knob2.png", 96, 48, 1, true},
    {kImageVolumeKnob, "img/knob3.png", 96, 48, 1, true},
    {kImageReferenceButtons, "img/but_switch.png", 168, 24, 2, false},
    {kImageSlotFree, "img/but_slot.png", 65, 22, 1, true},
    {kImageSlotOccupied, "img/but_active.png", 65, 22, 1, true},
    {kImageSlotPressed, "img/but_click.png", 65, 22, 1, true},
    {kImagePanSwitch, "img/but_pan.png", 390, 9, 5, false},
    {kImageLinkSwitch, "img/but_link.png", 87, 19, 3, false},
    {kImageWaveHandle, "img/scroll.png", 10, 26, 1, true},
    {kImageSlotThumb, "img/scroll2.png", 10, 40, 1, true},
    {kImageSlotThumbAlt, "img/scroll2_click.png", 10, 40, 1, true},
    {kImageWaves, "img/waves.png", 175, 385, 7, true},
    {kImagePlayButton, "img/but_play.png", 26, 34, 1, true},
    {kImageEqualizerSwitch, "img/equalizer.png", 132, 17, 4, false},
    {kImageFadeStartSwitch, "img/fade_start.png", 100, 18, 2, false},
    {kImagePhaseSyncButton, "img/but_sync_phase.png", 29, 17, 1, true},
};

// The row of an image id; null when the editor has no such image.
constexpr const ImageInfo* FindEditorImage(int id) {
  for (const ImageInfo& image : kEditorImages) {
    if (image.id == id) return &image;
  }
  return nullptr;
}

}  // namespace spw_editor
