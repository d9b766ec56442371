// The raster layer at the editor's size (520 x 402, redrawn up to 24 times a
// second). Reports wall-clock time per operation and megapixels per second.
//
// Cases: FullBlit/<mode>: the whole surface combined from an image of its size
// (0 alpha blend, 1 copy, 2 add, 3 dodge); RotatedKnob: a 60 x 60 image turned
// by an odd angle; StatusText: one status-line message in Arial 15.
#include <benchmark/benchmark.h>

#include <memory>

#include "raster_draw.h"
#include "raster_font.h"

namespace {

constexpr int kWidth = 520, kHeight = 402;
constexpr int kKnobSide = 60;

const RasterBlend kBlends[] = {
    {RasterMode::Copy, true, 1.0f}, {RasterMode::Copy, false, 1.0f}, {RasterMode::Add, true, 1.0f},
    {RasterMode::Dodge, true, 1.0f}};

// An image of varied colours and alphas, so no combine takes a shortcut throughout.
RasterMemBitmap Pattern(int width, int height) {
  RasterMemBitmap image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.Row(y)[x] = static_cast<uint32_t>(x * 2654435761u ^ y * 40503u);
  }
  return image;
}

void FullBlit(benchmark::State& state) {
  RasterMemBitmap surface = Pattern(kWidth, kHeight);
  const RasterMemBitmap image = Pattern(kWidth, kHeight);
  const RasterBlend& blend = kBlends[state.range(0)];
  for (auto _ : state) {
    RasterBlit(surface, image, 0, 0, 0, 0, kWidth, kHeight, blend);
    benchmark::ClobberMemory();
  }
  state.counters["Mpixel_per_s"] =
      benchmark::Counter(double(kWidth) * kHeight * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(FullBlit)->DenseRange(0, 3);

void RotatedKnob(benchmark::State& state) {
  RasterMemBitmap surface = Pattern(kWidth, kHeight);
  const RasterMemBitmap knob = Pattern(kKnobSide, kKnobSide);
  for (auto _ : state) {
    RasterBlitRotated(surface, knob, 100, 100, kKnobSide, kKnobSide, 0, 0, kKnobSide, kKnobSide, 1.234,
                      RasterBlend{});
    benchmark::ClobberMemory();
  }
}
BENCHMARK(RotatedKnob);

void StatusText(benchmark::State& state) {
  RasterMemBitmap surface = Pattern(kWidth, kHeight);
  std::unique_ptr<RasterCachedFont> font = RasterCachedFont::Create(RasterFontSpec{});
  if (font == nullptr) {
    state.SkipWithError("no font");
    return;
  }
  font->SetColour(0xC8FFFFFF);
  const char* text = "Binaural: 7.83 Hz - the left ear hears 200.00 Hz, the right 207.83 Hz";
  for (auto _ : state) {
    font->DrawText(surface, text, {10, 370, 500, 20}, kRasterTextUseAlpha);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(StatusText);

}  // namespace

BENCHMARK_MAIN();
