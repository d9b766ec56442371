// Draws the editor's images and writes them as PNGs, or the program's icon.
//   spw_imagegen [FOLDER] [NAME...]
//   spw_imagegen --icon FOLDER
// FOLDER defaults to img (run from the source tree's top); NAMEs ("bg.png")
// limit the run to those images. Each image is drawn twice: at its size
// (bg.png) and at twice its size for high-density screens (bg@2x.png).
// --icon draws the icon at the sizes of Linux's icon theme
// (stereopulseweaver-16.png ...) and writes the Windows one (stereoPulseWeaver.ico).

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "editor_images.h"
#include "ico_file.h"
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

constexpr int kThemeIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int kIcoSizes[] = {16, 24, 32, 48, 64, 256};

int WriteIcons(const std::string& folder) {
  std::vector<std::unique_ptr<RasterMemBitmap>> drawn;
  std::vector<const RasterBitmap*> inIco;
  for (const int size : kThemeIconSizes) {
    drawn.push_back(std::make_unique<RasterMemBitmap>(size, size));
    imagegen::Painter painter(*drawn.back(), float(size) / imagegen::kAppIconSize);
    imagegen::PaintAppIcon(painter);
    const std::string path = folder + "/stereopulseweaver-" + std::to_string(size) + ".png";
    if (!RasterWritePngFile(*drawn.back(), path.c_str())) {
      std::fprintf(stderr, "spw_imagegen: cannot write %s\n", path.c_str());
      return 1;
    }
    for (const int icoSize : kIcoSizes) {
      if (icoSize == size) inIco.push_back(drawn.back().get());
    }
  }
  std::vector<uint8_t> ico;
  const std::string path = folder + "/stereoPulseWeaver.ico";
  std::ofstream file(path, std::ios::binary);
  if (!imagegen::EncodeIco(inIco, &ico) || !file.write(reinterpret_cast<const char*>(ico.data()), std::streamsize(ico.size())) ||
      !file.flush()) {
    std::fprintf(stderr, "spw_imagegen: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--icon") == 0) return WriteIcons(argv[2]);
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
