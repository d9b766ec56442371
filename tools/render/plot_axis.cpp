#include "plot_axis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "clock_time.h"

namespace spwrender {
namespace {

constexpr int kMostLabels = 8;
// Round steps between labels: 1, 2, 5 times a power of ten for numbers; whole
// seconds, minutes and hours for clock times.
constexpr double kDecadeSteps[] = {1.0, 2.0, 5.0};
constexpr double kClockSteps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600};
// Labels on a logarithmic scale: these multiples of each power of ten, and the ends.
constexpr int kLogLabelled[] = {1, 2, 5};
constexpr int kLogMultiples = 9;  // grid lines and ends at 1 to 9 times each power of ten

// The power of ten at or below value.
double DecadeOf(double value) { return std::pow(10.0, std::floor(std::log10(value))); }

double RoundStep(double span, bool clock) {
  const double wanted = span / kMostLabels;
  if (clock) {
    for (double step : kClockSteps) {
      if (step >= wanted) return step;
    }
    return kClockSteps[std::size(kClockSteps) - 1];
  }
  const double decade = DecadeOf(wanted);
  for (double step : kDecadeSteps) {
    if (step * decade >= wanted) return step * decade;
  }
  return 10.0 * decade;
}

// The grid values around a logarithmic range.
double LogFloor(double value) {
  const double decade = DecadeOf(value);
  return std::floor(value / decade) * decade;
}

double LogCeil(double value) {
  const double decade = DecadeOf(value);
  return std::ceil(value / decade - 1e-9) * decade;
}

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::fabs(b); }

}  // namespace

PlotAxis::PlotAxis(Scale scale, double low, double high, int fromPixel, int toPixel)
    : scale_(scale), low_(low), high_(std::max(high, low)), fromPixel_(fromPixel), toPixel_(toPixel) {
  if (scale_ == Scale::kLogarithmic) {
    low_ = LogFloor(low_);
    high_ = std::max(LogCeil(high_), 2.0 * low_);  // at least an octave
    return;
  }
  if (high_ <= low_) high_ = low_ + 1.0;
  step_ = RoundStep(high_ - low_, scale_ == Scale::kClock);
  if (scale_ == Scale::kLinear) {
    low_ = std::floor(low_ / step_) * step_;
    high_ = std::ceil(high_ / step_) * step_;
  }
}

double PlotAxis::Position(double value) const {
  if (scale_ == Scale::kLogarithmic) return std::log(value / low_) / std::log(high_ / low_);
  return (value - low_) / (high_ - low_);
}

double PlotAxis::ToPixel(double value) const {
  return fromPixel_ + Position(value) * double(toPixel_ - fromPixel_);
}

std::vector<PlotAxis::Tick> PlotAxis::Ticks() const {
  std::vector<Tick> ticks;
  if (scale_ != Scale::kLogarithmic) {
    for (double v = std::ceil(low_ / step_) * step_; v <= high_ + 1e-9 * step_; v += step_) ticks.push_back({v, true});
    return ticks;
  }
  for (double decade = DecadeOf(low_); decade <= high_; decade *= 10.0) {
    for (int m = 1; m <= kLogMultiples; ++m) {
      const double v = m * decade;
      const bool labelled = std::find(std::begin(kLogLabelled), std::end(kLogLabelled), m) != std::end(kLogLabelled) ||
                            Near(v, low_) || Near(v, high_);
      if ((v >= low_ && v <= high_) || Near(v, low_) || Near(v, high_)) ticks.push_back({v, labelled});
    }
  }
  return ticks;
}

std::string PlotAxis::Label(double value) const {
  if (scale_ == Scale::kClock) return FormatClockTime(value);
  char text[32];
  if (scale_ == Scale::kLogarithmic && value >= 1000.0) {
    std::snprintf(text, sizeof text, "%gk", value / 1000.0);
  } else {
    std::snprintf(text, sizeof text, "%g", std::fabs(value) < 1e-9 * step_ ? 0.0 : value);
  }
  return text;
}

}  // namespace spwrender
