#pragma once
// The picture of a rendered session: time across; the frequencies each ear heard,
// the beats of the ear pairs with "Binaural" as it was applied, and the output level,
// one panel each, with programme changes marked and named. Drawn with the raster
// layer, written as a PNG.

#include <cstdint>
#include <string>
#include <vector>

#include "plot_axis.h"
#include "raster_bitmap.h"
#include "session_analysis.h"

namespace spwrender {

struct PlotMarker {
  double seconds = 0.0;
  std::string label;
};

struct SessionPlotInput {
  const SessionAnalysis* analysis = nullptr;
  std::vector<PlotMarker> programmes;  // programme selections, in time order
  std::string title;
  double levelGainDb = 0.0;            // the gain the written file got (normalising)
  // The file holds integer samples and was not normalised: what it holds stops at
  // full scale, and the stretches that clipped are marked.
  bool limitedToFullScale = false;
};

// Where the panels lie and how values map onto them.
struct SessionPlotLayout {
  RasterRect ears, beats, levels;  // panels, in pixels
  PlotAxis time, hz, beat, dbfs;
};

SessionPlotLayout LayOutSessionPlot(const SessionPlotInput& input);
RasterMemBitmap DrawSessionPlot(const SessionPlotInput& input);
// The picture as a PNG file's bytes; false when it cannot be encoded.
bool EncodeSessionPlot(const SessionPlotInput& input, std::vector<uint8_t>* png);

// Colours of what the panels show (ARGB).
constexpr uint32_t kLeftEarColour = 0xFF1F6FD0;
constexpr uint32_t kRightEarColour = 0xFFD03A2A;
constexpr uint32_t kBeatColour = 0xFF8A3FBF;
constexpr uint32_t kBinauralColour = 0xFF2E9E3E;
constexpr uint32_t kPeakColour = 0xFF303030;
constexpr uint32_t kRmsColour = 0xFFE08A1E;
constexpr uint32_t kProgrammeMarkerColour = 0xFF7A7A7A;
constexpr uint32_t kClippedColour = 0xFFE0202A;

}  // namespace spwrender
