#include "parameter.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

int RoundHalfAway(double x) noexcept {
  // Converting a double outside the int range is undefined: such values (a host's
  // normalised value far outside 0..1, say) saturate, and NaN gives 0.
  const double r = x >= 0.0 ? x + 0.5 : x - 0.5;
  if (std::isnan(r)) return 0;
  if (r >= static_cast<double>(INT_MAX) + 1.0) return INT_MAX;
  if (r <= static_cast<double>(INT_MIN) - 1.0) return INT_MIN;
  return static_cast<int>(r);
}

double LimitNormalized(double normalized) noexcept {
  return normalized < 0.0 ? 0.0 : (normalized > 1.0 ? 1.0 : normalized);
}

void CopyText(char* dest, const char* src, int size) noexcept {
  if (size <= 0) return;
  if (!src) src = "";
  std::strncpy(dest, src, static_cast<size_t>(size - 1));
  dest[size - 1] = '\0';
}

namespace {
// Decimals shown for a step: as many as make the step whole, at most six.
int PrecisionForStep(double step) {
  int precision = 0;
  double s = step;
  while (s != std::floor(s) && precision < 6) {
    ++precision;
    s *= 10.0;
  }
  return precision;
}
}  // namespace

void IParameter::DefineDouble(const char* name, double defaultValue, double minimum, double maximum,
                              double step, const char* label) {
  if (kind_ == EParameterKind::None) kind_ = EParameterKind::Double;
  CopyText(name_, name, kTextSize);
  CopyText(label_, label, kTextSize);
  value_ = defaultValue;
  default_ = defaultValue;
  minimum_ = minimum;
  maximum_ = maximum > minimum + step ? maximum : minimum + step;
  step_ = step;
  precision_ = PrecisionForStep(step);
}

void IParameter::DefineInteger(const char* name, int defaultValue, int minimum, int maximum,
                               const char* label) {
  if (kind_ == EParameterKind::None) kind_ = EParameterKind::Int;
  DefineDouble(name, defaultValue, minimum, maximum, 1.0, label);
}

void IParameter::DefineEnumeration(const char* name, int defaultValue, int count, const char* label) {
  if (kind_ == EParameterKind::None) kind_ = EParameterKind::Enum;
  DefineDouble(name, defaultValue, 0.0, count - 1, 1.0, label);
}

void IParameter::SetResponseShape(double shape) {
  if (shape != 0.0) shape_ = shape;
}

void IParameter::AddValueText(int value, const char* text) {
  ValueText entry{value, {}};
  CopyText(entry.text, text, kTextSize);
  valueTexts_.push_back(entry);
}

void IParameter::SetValueClamped(double plain) {
  value_ = plain < minimum_ ? minimum_ : (plain > maximum_ ? maximum_ : plain);
}

double IParameter::PlainToNormalized(double plain) const {
  double x = plain < minimum_ ? minimum_ : (plain > maximum_ ? maximum_ : plain);
  return std::pow((x - minimum_) / (maximum_ - minimum_), 1.0 / shape_);
}

double IParameter::NormalizedToPlain(double normalized) const {
  return std::pow(normalized, shape_) * (maximum_ - minimum_) + minimum_;
}

void IParameter::SetFromNormalized(double normalized) {
  // Hosts and controls send 0..1; a value outside is taken as the nearest end, so
  // the plain value never leaves the range (a negative one would even come out
  // positive through an even shape), and NaN changes nothing.
  if (std::isnan(normalized)) return;
  double x = NormalizedToPlain(LimitNormalized(normalized));
  if (kind_ != EParameterKind::Double) x = std::floor(x / step_ + 0.5) * step_;
  value_ = x < maximum_ ? x : maximum_;
}

void IParameter::FormatValue(double value, bool normalized, char* out) const {
  if (normalized) value = NormalizedToPlain(value);
  const int k = RoundHalfAway(value);
  for (const ValueText& entry : valueTexts_) {
    if (entry.value != k) continue;
    if (entry.text[0] != '\0') {
      CopyText(out, entry.text, kDisplaySize);
      return;
    }
    break;
  }
  if (value == 0.0) {
    CopyText(out, "0", kDisplaySize);
  } else if (precision_ == 0) {
    std::snprintf(out, kDisplaySize, "%d", negateDisplay_ ? -k : k);
  } else {
    std::snprintf(out, kDisplaySize, "%.*f", precision_, negateDisplay_ ? -value : value);
  }
}

const char* IParameter::ValueTextFor(int value) const {
  for (const ValueText& entry : valueTexts_) {
    if (entry.value == value) return entry.text;
  }
  return "";
}

bool IParameter::ValueForText(const char* text, double* value) const {
  if (!text) return false;
  for (const ValueText& entry : valueTexts_) {
    if (std::strcmp(entry.text, text) == 0) {
      if (value) *value = entry.value;
      return true;
    }
  }
  return false;
}
