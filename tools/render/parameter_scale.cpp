#include "parameter_scale.h"

#include <algorithm>

#include "plugin_controls.h"

namespace spwrender {

ParameterScale::ParameterScale(spwhost::PluginControls& plugin) {
  const int count = std::max(0, plugin.ParameterCount());
  for (int i = 0; i < count; ++i) {
    spwhost::ParameterInfo info;
    if (plugin.GetParameterInfo(i, &info)) ids_.push_back(info.id);
  }
  plain_.resize(ids_.size() * (kScalePoints + 1));
  for (size_t i = 0; i < ids_.size(); ++i) {
    for (int k = 0; k <= kScalePoints; ++k) {
      plain_[i * (kScalePoints + 1) + size_t(k)] = plugin.NormalizedToPlain(ids_[i], double(k) / kScalePoints);
    }
  }
}

int ParameterScale::IndexOf(uint32_t id) const noexcept {
  for (size_t i = 0; i < ids_.size(); ++i) {
    if (ids_[i] == id) return int(i);
  }
  return -1;
}

double ParameterScale::ToPlain(int index, double normalized) const noexcept {
  const double* row = &plain_[size_t(index) * (kScalePoints + 1)];
  const double x = std::clamp(normalized, 0.0, 1.0) * kScalePoints;
  const int k = std::min(kScalePoints - 1, static_cast<int>(x));
  return row[k] + (row[k + 1] - row[k]) * (x - k);
}

double ParameterScale::ToNormalized(int index, double plain) const noexcept {
  const double* row = &plain_[size_t(index) * (kScalePoints + 1)];
  const bool rising = row[kScalePoints] >= row[0];
  // The first table point at or beyond plain, in the direction the scale runs.
  const double* end = row + kScalePoints + 1;
  const double* it = rising ? std::lower_bound(row, end, plain)
                            : std::lower_bound(row, end, plain, [](double a, double b) { return a > b; });
  if (it == row) return 0.0;
  if (it == end) return 1.0;
  const int k = static_cast<int>(it - row) - 1;
  const double span = row[k + 1] - row[k];
  const double part = span != 0.0 ? (plain - row[k]) / span : 0.0;
  return std::clamp((k + part) / kScalePoints, 0.0, 1.0);
}

}  // namespace spwrender
