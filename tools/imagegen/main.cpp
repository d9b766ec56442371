// Draws the editor's images and writes them as PNGs.
//   spw_imagegen [FOLDER] [NAME...]
// FOLDER defaults to img (run from the source tree's top); NAMEs ("bg.png")
// limit the run to those images.

#include <cstdio>
#include <cstring>
#include <string>

#include "editor_images.h"
#include "images.h"
#include "raster_png.h"

namespace {

using namespace spw_editor;
using Painter = void (*)(RasterBitmap&);

struct Job {
  int id;
  Painter paint;
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

const char* FileName(const ImageInfo& info) {
  const char* slash = std::strrchr(info.name, '/');
  return slash ? slash + 1 : info.name;
}

bool Wanted(const ImageInfo& info, int argc, char** argv) {
  if (argc <= 2) return true;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], FileName(info)) == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "img";
  int written = 0;
  for (const Job& job : kJobs) {
    const ImageInfo& info = *FindEditorImage(job.id);
    if (!Wanted(info, argc, argv)) continue;
    RasterMemBitmap image(info.width, info.height);
    job.paint(image);
    const std::string path = folder + "/" + FileName(info);
    if (!RasterWritePngFile(image, path.c_str())) {
      std::fprintf(stderr, "spw_imagegen: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s  %d x %d\n", path.c_str(), info.width, info.height);
    ++written;
  }
  if (written == 0) {
    std::fprintf(stderr, "spw_imagegen: no image of that name\n");
    return 2;
  }
  return 0;
}
