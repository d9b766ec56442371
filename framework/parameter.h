#pragma once
// One plug-in parameter: kind, plain value in its own units, range, step,
// response shape, texts and value texts, with the normalised mapping used by
// host and editor. Not thread-safe on its own: the owner's lock guards writes.

#include <cstdint>
#include <vector>

#include "relaxed_atomic.h"

enum class EParameterKind : int32_t { None = 0, Bool = 1, Int = 2, Enum = 3, Double = 4 };

class IParameter {
 public:
  static constexpr int kTextSize = 32;      // name, label, group and value texts, terminator included
  static constexpr int kDisplaySize = 128;  // room FormatValue needs

  // Definition [main thread, at construction].
  void DefineDouble(const char* name, double defaultValue, double minimum, double maximum,
                    double step, const char* label);
  void DefineInteger(const char* name, int defaultValue, int minimum, int maximum, const char* label);
  void DefineEnumeration(const char* name, int defaultValue, int count, const char* label);
  void SetResponseShape(double shape);  // 0 is ignored
  void AddValueText(int value, const char* text);
  void SetCanAutomate(bool canAutomate) { canAutomate_ = canAutomate; }

  // Plain value, in the parameter's own units.
  double Value() const { return value_; }
  void SetValue(double plain) { value_ = plain; }
  // Clamped to [minimum, maximum], no stepping: the restore path.
  void SetValueClamped(double plain);

  // Normalised mapping (0..1). Shape s: n = ((x - min) / (max - min))^(1/s).
  double NormalizedValue() const { return PlainToNormalized(value_); }
  double PlainToNormalized(double plain) const;
  double NormalizedToPlain(double normalized) const;  // no stepping, no clamping
  // Stepped unless Double, capped at maximum; normalized is limited to 0..1, NaN is ignored.
  void SetFromNormalized(double normalized);

  // Display text of a plain (or, with normalized, a normalised) value; out holds kDisplaySize bytes.
  void FormatValue(double value, bool normalized, char* out) const;
  const char* ValueTextFor(int value) const;  // "" when no entry has that value
  bool ValueForText(const char* text, double* value) const;
  int ValueTextCount() const { return static_cast<int>(valueTexts_.size()); }

  const char* ParameterName() const { return name_; }
  const char* UnitLabel() const { return label_; }
  const char* GroupName() const { return group_; }
  EParameterKind Kind() const { return kind_; }
  double Minimum() const { return minimum_; }
  double Maximum() const { return maximum_; }
  double Step() const { return step_; }
  double Shape() const { return shape_; }
  double Default() const { return default_; }
  int Precision() const { return precision_; }
  bool CanAutomate() const { return canAutomate_; }
  bool NegateDisplay() const { return negateDisplay_; }

 private:
  struct ValueText {
    int32_t value;
    char text[kTextSize];
  };

  EParameterKind kind_ = EParameterKind::None;
  RelaxedAtomic<double> value_{0.0};  // written by the controller side without the lock
  double minimum_ = 0.0;
  double maximum_ = 1.0;
  double step_ = 1.0;
  double shape_ = 1.0;
  double default_ = 0.0;
  int32_t precision_ = 0;
  char name_[kTextSize] = {};
  char label_[kTextSize] = {};
  char group_[kTextSize] = {};
  bool negateDisplay_ = false;
  bool canAutomate_ = true;
  std::vector<ValueText> valueTexts_;
};

// A host's normalised value limited to 0..1; NaN stays NaN for the caller to refuse.
double LimitNormalized(double normalized) noexcept;

// Rounds half away from zero to a signed 32-bit integer, as every integer
// conversion of a parameter value does; saturates outside the int range, NaN gives 0.
int RoundHalfAway(double x) noexcept;

// Copies text into a fixed buffer of size bytes, cutting it and always terminating.
void CopyText(char* dest, const char* src, int size) noexcept;
