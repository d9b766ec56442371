#pragma once
// One axis of a plot: a range of values laid along a run of pixels, evenly or on a
// logarithmic scale, with the round values worth a grid line and a label.

#include <string>
#include <vector>

namespace spwrender {

class PlotAxis {
 public:
  enum class Scale { kLinear, kLogarithmic, kClock };

  struct Tick {
    double value = 0.0;
    bool labelled = false;  // a major line with a label; otherwise a faint line only
  };

  // Values from about low to high, widened to round values, on pixels from
  // fromPixel (low) to toPixel (high; smaller than fromPixel for an axis that rises
  // up the picture). kLogarithmic wants 0 < low; kClock is seconds, labelled m:ss.
  PlotAxis(Scale scale, double low, double high, int fromPixel, int toPixel);

  double ToPixel(double value) const;
  double Low() const { return low_; }
  double High() const { return high_; }
  std::vector<Tick> Ticks() const;
  std::string Label(double value) const;

 private:
  double Position(double value) const;  // 0 at low, 1 at high

  Scale scale_;
  double low_, high_;
  double step_ = 1.0;  // between labelled ticks (linear and clock scales)
  int fromPixel_, toPixel_;
};

}  // namespace spwrender
