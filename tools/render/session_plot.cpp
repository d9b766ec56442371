#include "session_plot.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "audio_file_writer.h"
#include "clock_time.h"
#include "raster_draw.h"
#include "raster_font.h"
#include "raster_png.h"

namespace spwrender {
namespace {

// The picture, in pixels.
constexpr int kWidth = 1200, kHeight = 860;
constexpr int kLeft = 70, kRight = kWidth - 24;  // the panels' left and right edges
constexpr RasterRect kEarsPanel = {kLeft, 64, kRight - kLeft, 340};
constexpr RasterRect kBeatsPanel = {kLeft, 448, kRight - kLeft, 180};
constexpr RasterRect kLevelsPanel = {kLeft, 672, kRight - kLeft, 140};
constexpr int kHeadingAbove = 22;  // a panel's heading, above its top edge
constexpr int kDot = 3;            // side of a measured point
constexpr int kOffScaleArrow = 4;  // height of the mark of a point beyond the axis
constexpr int kClippedBand = 6;    // height of the mark of a stretch that clipped
constexpr size_t kSpansNamed = 3;  // stretches a note names, so that it fits its panel

constexpr uint32_t kBackground = 0xFFFFFFFF, kInk = 0xFF202020, kFrame = 0xFF909090;
constexpr uint32_t kMajorGrid = 0xFFD4D4D4, kMinorGrid = 0xFFEDEDED;
constexpr RasterBlend kOpaque = {RasterMode::Copy, false, 1.0f};
constexpr RasterBlend kBlend = {RasterMode::Copy, true, 1.0f};

// Ranges shown when nothing was measured.
constexpr double kLowestHzShown = 100.0, kHighestHzShown = 1000.0;
constexpr double kRoomAroundTones = 1.15;  // frequency axis beyond the extreme tones
constexpr double kRoomAboveBeats = 1.1;
constexpr double kQuietestDbfs = -60.0;
constexpr double kRoomAboveLevel = 1.0;  // dB: a peak at full scale stays clear of the clipping marks
// The axes leave out the rarest extremes (a tone mistaken while a glide sweeps
// fast); points beyond them are drawn on the panel's edge.
constexpr double kOutlierShare = 0.005;
// Beats: at most this share of the moments may be heard beyond the axis.
constexpr double kStrayShare = 0.05, kStrayFactor = 2.0;

double Percentile(std::vector<double> values, double share) {
  const size_t at = std::min(values.size() - 1, size_t(share * double(values.size())));
  std::nth_element(values.begin(), values.begin() + long(at), values.end());
  return values[at];
}

// The beat of the loudest pair of a moment: what the moment is heard to beat at,
// even through a click, which scatters it into many weak pairs of any beat.
double HeardBeat(const SessionMoment& m) {
  const auto loudest = std::max_element(m.pairs.begin(), m.pairs.end(), [](const BinauralPair& a, const BinauralPair& b) {
    return a.amplitude < b.amplitude;
  });
  return std::fabs(loudest->rightHz - loudest->leftHz);
}

// The top of an axis for beats: the largest, unless a few strays (a glide's or a
// transient's mistaken pairs) lie far above what the moments are heard to beat
// at; then twice the bulk of that, and the strays are marked on the edge.
double BeatAxisTop(const std::vector<SessionMoment>& moments) {
  std::vector<double> heard;
  double largest = 0.0;
  for (const SessionMoment& m : moments) {
    if (m.pairs.empty()) continue;
    heard.push_back(HeardBeat(m));
    for (const BinauralPair& pair : m.pairs) largest = std::max(largest, std::fabs(pair.rightHz - pair.leftHz));
  }
  if (heard.empty()) return 0.0;
  return std::min(largest, kStrayFactor * Percentile(heard, 1.0 - kStrayShare));
}

// Silence (-inf) and anything quieter show as the panel's floor.
double Dbfs(double linear, double gainDb) { return std::max(kQuietestDbfs, PeakDbfs(linear) + gainDb); }

double Top(const RasterRect& r) { return r.y; }
double Bottom(const RasterRect& r) { return r.y + r.h - 1; }

class Painter {
 public:
  Painter(const SessionPlotInput& input, RasterMemBitmap& image)
      : input_(input), image_(image), layout_(LayOutSessionPlot(input)) {
    RasterFontSpec spec;
    spec.height = 14;
    text_ = RasterCachedFont::Create(spec);
    spec.height = 17;
    spec.weight = 700;
    title_ = RasterCachedFont::Create(spec);
  }

  void Paint() {
    RasterFillRect(image_, 0, 0, kWidth, kHeight, kBackground, kOpaque);
    Text(title_.get(), kInk, input_.title, {kLeft, 12, kRight - kLeft, 24}, 0);
    Panel(layout_.ears, layout_.hz, "Ear frequencies (Hz)", {{"left ear", kLeftEarColour}, {"right ear", kRightEarColour}});
    Panel(layout_.beats, layout_.beat, "Beat (Hz)",
          {{"measured: right ear - left ear", kBeatColour}, {"\"Binaural\" as applied", kBinauralColour}});
    std::vector<std::pair<std::string, uint32_t>> levelLegend = {{"peak", kPeakColour}, {"RMS", kRmsColour}};
    if (AnyClipped()) levelLegend.push_back({"clipped", kClippedColour});
    Panel(layout_.levels, layout_.dbfs, "Level (dBFS, as written)", levelLegend);
    Measurements();
    Markers();
    Notes();
    for (const RasterRect& panel : {layout_.ears, layout_.beats, layout_.levels}) Border(panel);
    for (const PlotAxis::Tick& tick : layout_.time.Ticks()) {
      const int x = int(std::lround(layout_.time.ToPixel(tick.value)));
      Text(text_.get(), kInk, layout_.time.Label(tick.value), {x - 40, int(Bottom(layout_.levels)) + 6, 80, 18},
           kRasterTextCentred);
    }
  }

 private:
  void Text(RasterFont* font, uint32_t colour, const std::string& text, const RasterRect& rect, unsigned flags) {
    if (font == nullptr) return;  // no font on this system: the picture goes without words
    font->SetColour(colour);
    font->DrawText(image_, text.c_str(), rect, flags);
  }

  void Panel(const RasterRect& panel, const PlotAxis& axis, const std::string& heading,
             const std::vector<std::pair<std::string, uint32_t>>& legend) {
    image_.SetClip(panel);
    for (const PlotAxis::Tick& tick : layout_.time.Ticks()) {
      const float x = float(std::lround(layout_.time.ToPixel(tick.value))) + 0.5f;
      RasterLine(image_, x, float(Top(panel)), x, float(Bottom(panel)), kMajorGrid, kOpaque, false);
    }
    for (const PlotAxis::Tick& tick : axis.Ticks()) {
      const float y = float(std::lround(axis.ToPixel(tick.value))) + 0.5f;
      RasterLine(image_, float(panel.x), y, float(panel.x + panel.w), y, tick.labelled ? kMajorGrid : kMinorGrid,
                 kOpaque, false);
    }
    image_.ResetClip();
    for (const PlotAxis::Tick& tick : axis.Ticks()) {
      if (!tick.labelled) continue;
      const int y = int(std::lround(axis.ToPixel(tick.value)));
      Text(text_.get(), kInk, axis.Label(tick.value), {0, y - 8, panel.x - 6, 18}, kRasterTextRight);
    }
    int x = panel.x;
    Text(text_.get(), kInk, heading, {x, panel.y - kHeadingAbove, 300, 18}, 0);
    x += (text_ ? text_->TextWidth(heading.c_str()) : 0) + 24;
    for (const auto& entry : legend) {
      RasterFillRect(image_, x, panel.y - kHeadingAbove + 5, 10, 10, entry.second, kOpaque);
      Text(text_.get(), kInk, entry.first, {x + 14, panel.y - kHeadingAbove, 300, 18}, 0);
      x += 14 + (text_ ? text_->TextWidth(entry.first.c_str()) : 0) + 20;
    }
  }

  void Border(const RasterRect& panel) {
    const float l = float(panel.x) + 0.5f, r = float(panel.x + panel.w) - 0.5f;
    const float t = float(panel.y) + 0.5f, b = float(panel.y + panel.h) - 0.5f;
    RasterLine(image_, l, t, r, t, kFrame, kOpaque, false);
    RasterLine(image_, r, t, r, b, kFrame, kOpaque, false);
    RasterLine(image_, r, b, l, b, kFrame, kOpaque, false);
    RasterLine(image_, l, b, l, t, kFrame, kOpaque, false);
  }

  // A measured point; one beyond the axis is marked on the panel's edge by a small
  // arrow pointing the way it lies.
  void Dot(const RasterRect& panel, double x, double y, uint32_t colour) {
    image_.SetClip(panel);
    const int px = int(std::lround(x));
    if (y < Top(panel) || y > Bottom(panel)) {
      const bool above = y < Top(panel);
      const int tip = above ? int(Top(panel)) + 1 : int(Bottom(panel)) - 1;
      for (int row = 0; row < kOffScaleArrow; ++row) {
        const int py = above ? tip + row : tip - row;
        RasterFillRect(image_, px - row, py, 2 * row + 1, 1, colour, kBlend);
      }
    } else {
      RasterFillRect(image_, px - kDot / 2, int(std::lround(y)) - kDot / 2, kDot, kDot, colour, kBlend);
    }
    image_.ResetClip();
  }

  // A line through (x, value) points, drawn twice for a two-pixel stroke.
  void Trace(const RasterRect& panel, const std::vector<std::pair<double, double>>& points, uint32_t colour) {
    image_.SetClip(panel);
    for (size_t i = 1; i < points.size(); ++i) {
      for (float dy : {0.0f, 1.0f}) {
        RasterLine(image_, float(points[i - 1].first), float(points[i - 1].second) + dy, float(points[i].first),
                   float(points[i].second) + dy, colour, kBlend, true);
      }
    }
    image_.ResetClip();
  }

  void Measurements() {
    std::vector<std::pair<double, double>> binaural, peak, rms;
    const SessionPlotLayout& l = layout_;
    const bool limited = input_.limitedToFullScale;
    for (const SessionMoment& m : input_.analysis->Moments()) {
      const double x = l.time.ToPixel(m.seconds);
      binaural.emplace_back(x, l.beat.ToPixel(m.AppliedBeatHz()));
      peak.emplace_back(x, l.dbfs.ToPixel(Dbfs(limited ? m.limitedPeak : m.peak, input_.levelGainDb)));
      rms.emplace_back(x, l.dbfs.ToPixel(Dbfs(limited ? m.limitedRms : m.rms, input_.levelGainDb)));
    }
    if (limited) ClippedStretches();
    Trace(l.levels, rms, kRmsColour);
    Trace(l.levels, peak, kPeakColour);
    MeasuredPoints();
    // "Binaural" as applied on top of the measured beats, which should lie on it.
    Trace(l.beats, binaural, kBinauralColour);
  }

  // Whether a file of integer samples lost anything to full scale: only then is
  // there a red band to explain.
  bool AnyClipped() const {
    const auto& moments = input_.analysis->Moments();
    return input_.limitedToFullScale && std::any_of(moments.begin(), moments.end(),
                                                    [](const SessionMoment& m) { return m.clippedSamples > 0; });
  }

  // A band along the top of the level panel over every stretch that clipped.
  void ClippedStretches() {
    const SessionPlotLayout& l = layout_;
    const auto& moments = input_.analysis->Moments();
    if (moments.empty()) return;
    const double stretch = input_.analysis->Seconds() / double(moments.size());
    const double half = 0.5 * (l.time.ToPixel(stretch) - l.time.ToPixel(0.0));
    image_.SetClip(l.levels);
    for (const SessionMoment& m : input_.analysis->Moments()) {
      if (m.clippedSamples == 0) continue;
      const double x = l.time.ToPixel(m.seconds);
      const int from = int(std::floor(x - half)), to = int(std::ceil(x + half));
      RasterFillRect(image_, from, l.levels.y + 1, std::max(1, to - from), kClippedBand, kClippedColour, kOpaque);
    }
    image_.ResetClip();
  }

  void MeasuredPoints() {
    const SessionPlotLayout& l = layout_;
    for (const SessionMoment& m : input_.analysis->Moments()) {
      const double tx = l.time.ToPixel(m.toneSeconds);
      for (const Tone& tone : m.tones.left) Dot(l.ears, tx, l.hz.ToPixel(tone.hz), kLeftEarColour);
      for (const Tone& tone : m.tones.right) Dot(l.ears, tx, l.hz.ToPixel(tone.hz), kRightEarColour);
      for (const BinauralPair& pair : m.pairs) {
        Dot(l.beats, tx, l.beat.ToPixel(std::fabs(pair.rightHz - pair.leftHz)), kBeatColour);
      }
    }
  }

  // What the points cannot say: a render too short for its tones, a pan mode that
  // cancels the beat.
  void Notes() {
    const SessionAnalysis& analysis = *input_.analysis;
    if (!analysis.TonesMeasurable()) {
      const std::string note = "too short to measure tones: the render lasts under " +
                               std::to_string(int(SessionAnalysis::kShortestToneWindowSeconds)) + " s";
      for (const RasterRect& panel : {layout_.ears, layout_.beats}) Note(panel, note, kInk, false);
    }
    if (!analysis.CancelledSpans().empty()) {
      Note(layout_.beats, "\"Binaural Pan\" \"Null\" " + SpansText(analysis.CancelledSpans()) +
                              ": both ears get the same tones, no beat is applied", kBinauralColour, true);
    }
  }

  // "from 5:00 to 6:00", "from 1:00 to 2:00 and from 5:00 to the end"; the first
  // few, and how many more.
  std::string SpansText(const std::vector<TimeSpan>& spans) const {
    std::string text;
    for (size_t i = 0; i < spans.size() && i < kSpansNamed; ++i) {
      text += (i == 0 ? "" : i + 1 == spans.size() ? " and " : ", ");
      text += "from " + FormatClockTime(spans[i].from) + " to " +
              (spans[i].to < 0.0 ? std::string("the end") : FormatClockTime(spans[i].to));
    }
    if (spans.size() > kSpansNamed) text += " and " + std::to_string(spans.size() - kSpansNamed) + " times more";
    return text;
  }

  // A line of text at the right of a panel, along its top or its bottom.
  void Note(const RasterRect& panel, const std::string& text, uint32_t colour, bool top) {
    const int y = top ? panel.y + 4 : panel.y + panel.h - 24;
    Text(text_.get(), colour, text, {panel.x + 8, y, panel.w - 16, 18}, kRasterTextRight);
  }

  // A dashed line down all panels at each programme selection, named at the top;
  // names take turns on three rows so that close ones do not overwrite each other.
  void Markers() {
    const int lineHeight = text_ ? text_->LineHeight() : 16;
    int row = 0;
    for (const PlotMarker& marker : input_.programmes) {
      const float x = float(std::lround(layout_.time.ToPixel(marker.seconds))) + 0.5f;
      for (const RasterRect& panel : {layout_.ears, layout_.beats, layout_.levels}) {
        for (float y = float(Top(panel)); y < float(Bottom(panel)); y += 8.0f) {
          RasterLine(image_, x, y, x, std::min(y + 4.0f, float(Bottom(panel))), kProgrammeMarkerColour, kOpaque, false);
        }
      }
      image_.SetClip(layout_.ears);
      Text(text_.get(), kProgrammeMarkerColour, marker.label, {int(x) + 4, layout_.ears.y + 3 + row * lineHeight, kWidth, 18}, 0);
      image_.ResetClip();
      row = (row + 1) % 3;
    }
  }

  const SessionPlotInput& input_;
  RasterMemBitmap& image_;
  SessionPlotLayout layout_;
  std::unique_ptr<RasterCachedFont> text_, title_;
};

}  // namespace

SessionPlotLayout LayOutSessionPlot(const SessionPlotInput& input) {
  std::vector<double> tones;
  double highBinaural = 0.0, highDbfs = 0.0;
  for (const SessionMoment& m : input.analysis->Moments()) {
    for (const Tone& tone : m.tones.left) tones.push_back(tone.hz);
    for (const Tone& tone : m.tones.right) tones.push_back(tone.hz);
    highBinaural = std::max(highBinaural, m.AppliedBeatHz());
    highDbfs = std::max(highDbfs, Dbfs(input.limitedToFullScale ? m.limitedPeak : m.peak, input.levelGainDb));
  }
  const double lowHz = tones.empty() ? kLowestHzShown : Percentile(tones, kOutlierShare) / kRoomAroundTones;
  const double highHz = tones.empty() ? kHighestHzShown : Percentile(tones, 1.0 - kOutlierShare) * kRoomAroundTones;
  const double highBeat = std::max({1.0, highBinaural, BeatAxisTop(input.analysis->Moments())});
  const double seconds = std::max(input.analysis->Seconds(), 1.0 / input.analysis->SampleRate());
  using Scale = PlotAxis::Scale;
  return {kEarsPanel,
          kBeatsPanel,
          kLevelsPanel,
          PlotAxis(Scale::kClock, 0.0, seconds, kLeft, kRight - 1),
          PlotAxis(Scale::kLogarithmic, lowHz, highHz, int(Bottom(kEarsPanel)), int(Top(kEarsPanel))),
          PlotAxis(Scale::kLinear, 0.0, highBeat * kRoomAboveBeats, int(Bottom(kBeatsPanel)), int(Top(kBeatsPanel))),
          PlotAxis(Scale::kLinear, kQuietestDbfs, highDbfs + kRoomAboveLevel, int(Bottom(kLevelsPanel)),
                   int(Top(kLevelsPanel)))};
}

RasterMemBitmap DrawSessionPlot(const SessionPlotInput& input) {
  RasterMemBitmap image(kWidth, kHeight);
  Painter(input, image).Paint();
  return image;
}

bool EncodeSessionPlot(const SessionPlotInput& input, std::vector<uint8_t>* png) {
  return RasterEncodePng(DrawSessionPlot(input), *png);
}

}  // namespace spwrender
