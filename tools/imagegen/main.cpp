// Draws the editor's images and writes them as PNGs.
//   spw_imagegen [FOLDER] [NAME...]
// FOLDER defaults to img (run from the source tree's top); NAMEs ("bg.png")
// limit the run to those images. Each image is drawn twice: at its size
// (bg.png) and at twice its size for high-density screens (bg@2x.png).

#include <cstdio>
#include <cstring>
#include <string>

#include "editor_images.h"
#include "images.h"
#include "raster_png.h"

namespace {

using namespace spw_editor;
using PaintFunction = void (*)(imagegen::Painter&);

struct Job {
  int id;
  PaintFunction paint;
};

const Job kJobs[] = {
    {kImageBackground, imagegen::PaintBackground},
    {kImageFrequencyKnob, imagegen::PaintFrequencyKnob},
    {kImageFadeKnob, imagegen::PaintFadeKnob},
    {kImageVolumeKnob, imagegen::PaintVolumeKnob},
    {kImageReferenceButtons, imagegen::PaintReferenceButtons},
    {kImageSlotFree, imagegen::PaintSlotFree},
    {kImageSlotOccupied, imagegen::PaintSlotOccupied},
    {kImageSlotPressed, imagegen::PaintSlotPressed},
    {kImagePanSwitch, imagegen::PaintPanSwitch},
    {kImageLinkSwitch, imagegen::PaintLinkSwitch},
    {kImageWaveHandle, imagegen::PaintWaveHandle},
    {kImageSlotThumb, imagegen::PaintSlotThumb},
    {kImageSlotThumbAlt, imagegen::PaintSlotThumbAlt},
    {kImageWaves, imagegen::PaintWaves},
    {kImagePlayButton, imagegen::PaintPlayButton},
    {kImageEqualizerSwitch, imagegen::PaintEqualizerSwitch},
    {kImageFadeStartSwitch, imagegen::PaintFadeStartSwitch},
    {kImagePhaseSyncButton, imagegen::PaintPhaseSyncButton},
};

constexpr int kScales[] = {1, 2};

// "bg.png" at 1, "bg@2x.png" at 2.
std::string FileName(const ImageInfo& info, int scale) {
  const char* slash = std::strrchr(info.name, '/');
  std::string name = slash ? slash + 1 : info.name;
  if (scale != 1) name.insert(name.rfind('.'), "@" + std::to_string(scale) + "x");
  return name;
}

bool Wanted(const std::string& name, int argc, char** argv) {
  if (argc <= 2) return true;
  for (int i = 2; i < argc; ++i) {
    if (name == argv[i]) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "img";
  int written = 0;
  for (const Job& job : kJobs) {
    const ImageInfo& info = *FindEditorImage(job.id);
    for (const int scale : kScales) {
      const std::string name = FileName(info, scale);
      if (!Wanted(name, argc, argv)) continue;
      RasterMemBitmap image(info.width * scale, info.height * scale);
      imagegen::Painter painter(image, float(scale));
      job.paint(painter);
      const std::string path = folder + "/" + name;
      if (!RasterWritePngFile(image, path.c_str())) {
        std::fprintf(stderr, "spw_imagegen: cannot write %s\n", path.c_str());
        return 1;
      }
      std::printf("%s  %d x %d\n", path.c_str(), image.Width(), image.Height());
      ++written;
    }
  }
  if (written == 0) {
    std::fprintf(stderr, "spw_imagegen: no image of that name\n");
    return 2;
  }
  return 0;
}
