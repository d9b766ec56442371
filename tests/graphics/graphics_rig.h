#pragma once
// A small plug-in and a headless editor for the graphics tests: the plug-in
// logs the host gestures the editor causes; the editor's module images are made
// in memory (solid frames of known colours), and loads are counted.

#include <cstdint>
#include <map>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "effect_base.h"
#include "graphics_headless.h"
#include "raster_bitmap.h"

enum TestParam : int { kGain = 0, kMode = 1, kPower = 2, kCount = 3, kTestParamCount = 4 };

class RigPlugin : public IEffectBase {
 public:
  static IEffectConfig Config() {
    IEffectConfig config;
    config.parameterCount = kTestParamCount;
    config.effectName = "rig";
    return config;
  }

  RigPlugin() : IEffectBase(Config()) {
    ParamAt(kGain)->DefineDouble("Gain", 0.5, 0.0, 10.0, 0.01, " dB");
    ParamAt(kMode)->DefineEnumeration("Mode", 0, 3, "");
    ParamAt(kMode)->AddValueText(0, "Low");
    ParamAt(kMode)->AddValueText(1, "Mid");
    ParamAt(kMode)->AddValueText(2, "High");
    ParamAt(kPower)->DefineEnumeration("Power", 0, 2, "");
    ParamAt(kPower)->AddValueText(0, "off");
    ParamAt(kPower)->AddValueText(1, "on");
    ParamAt(kCount)->DefineInteger("Count", 3, 0, 12, "");
  }

  // "B<i>" begin, "P<i>" perform, "E<i>" end of an edit; "S<i>" a status request; "R<w>x<h>" a resize.
  std::string Log() const {
    std::string all;
    for (const std::string& e : log) all += (all.empty() ? "" : " ") + e;
    return all;
  }
  void BeginHostEdit(int i) override { log.push_back("B" + std::to_string(i)); }
  void SendHostEdit(int i, double normalized) override { log.push_back("P" + std::to_string(i)); }
  void EndHostEdit(int i) override { log.push_back("E" + std::to_string(i)); }
  void ShowParamStatus(int i) override { log.push_back("S" + std::to_string(i)); }
  void ResizeEditor(int w, int h) override { log.push_back("R" + std::to_string(w) + "x" + std::to_string(h)); }
  int HostCode() const override { return hostCode; }

  std::vector<std::string> log;
  int hostCode = 0;
};

// Images made in memory: the resource id's image is registered before it is loaded.
class RigGraphics : public IGraphicsHeadless {
 public:
  using IGraphicsHeadless::IGraphicsHeadless;

  std::unique_ptr<RasterBitmap> LoadImageFromModule(int id, const char* name) override {
    ++loads[id];
    auto found = images.find(id);
    if (found == images.end()) return nullptr;
    auto copy = std::make_unique<RasterMemBitmap>(found->second.Width(), found->second.Height());
    for (int y = 0; y < copy->Height(); ++y) {
      for (int x = 0; x < copy->Width(); ++x) copy->Row(y)[x] = found->second.Row(y)[x];
    }
    return copy;
  }

  std::map<int, RasterMemBitmap> images;
  std::map<int, int> loads;
};

// An image of frames equal frames, each filled with its colour, side by side or stacked.
inline RasterMemBitmap Frames(int frameW, int frameH, const std::vector<uint32_t>& colours, bool stacked) {
  const int n = static_cast<int>(colours.size());
  RasterMemBitmap image(stacked ? frameW : frameW * n, stacked ? frameH * n : frameH);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) image.Row(y)[x] = colours[static_cast<size_t>(stacked ? y / frameH : x / frameW)];
  }
  return image;
}

// Each test uses its own resource ids: the image cache lives as long as the program.
inline int FreshId() {
  static int next = 1000;
  return next++;
}

constexpr uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u,
                   kBlue = 0xFF0000FFu;

inline void PrintTo(const IArea& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline int Red(uint32_t pixel) { return static_cast<int>((pixel >> 16) & 0xFF); }

// A plug-in with its headless editor (w x h), attached as the plug-in base attaches one.
struct Rig {
  explicit Rig(int w = 100, int h = 80) : owned(new RigGraphics(&plug, w, h)), gfx(owned.get()) {}
  // As the plug-in base attaches its editor: every parameter pushed, the surface made.
  void Attach() { plug.AttachEditor(owned.release()); }
  IImage Image(const RasterMemBitmap& picture, int frames) {
    const int id = FreshId();
    gfx->images.emplace(id, picture);
    return gfx->LoadImageResource(id, "test", frames);
  }
  uint32_t Pixel(int x, int y) const { return gfx->Surface()->Row(y)[x]; }
  void Click(int x, int y, bool right = false) {
    IMouseKeys keys;
    keys.left = !right;
    keys.right = right;
    gfx->MouseDown(x, y, keys);
    gfx->MouseUp(x, y, keys);
  }

  RigPlugin plug;
  std::unique_ptr<RigGraphics> owned;  // until attached; the plug-in owns it then
  RigGraphics* gfx;
};
