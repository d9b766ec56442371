#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "parameter.h"

namespace {
std::string Display(const IParameter& p, double value, bool normalized = false) {
  char out[IParameter::kDisplaySize];
  p.FormatValue(value, normalized, out);
  return out;
}

IParameter FrequencyParam() {
  IParameter p;
  p.DefineDouble("Base Freq", 400.0, 20.0, 20000.0, 0.01, "Hz");
  p.SetResponseShape(2.0);
  return p;
}
}  // namespace

TEST(Parameter, ShapeTwoMapsHalfToAQuarterOfTheRangeAndBack) {
  IParameter p = FrequencyParam();
  EXPECT_DOUBLE_EQ(p.NormalizedToPlain(0.5), 5015.0);
  EXPECT_DOUBLE_EQ(p.PlainToNormalized(5015.0), 0.5);
  p.SetFromNormalized(0.5);
  EXPECT_DOUBLE_EQ(p.Value(), 5015.0);
  EXPECT_DOUBLE_EQ(p.PlainToNormalized(-3.0), 0.0);
  EXPECT_DOUBLE_EQ(p.PlainToNormalized(1e9), 1.0);
  EXPECT_DOUBLE_EQ(p.PlainToNormalized(20000.0), 1.0);
}

TEST(Parameter, ZeroShapeIsIgnored) {
  IParameter p = FrequencyParam();
  p.SetResponseShape(0.0);
  EXPECT_DOUBLE_EQ(p.Shape(), 2.0);
}

TEST(Parameter, DoubleIsNeverSteppedButIntegersAndEnumsAre) {
  IParameter d;
  d.DefineDouble("Binaural", 4.0, 0.01, 2000.0, 0.01, "Hz");
  const double n = d.PlainToNormalized(12.345);
  d.SetFromNormalized(n);
  EXPECT_NEAR(d.Value(), 12.345, 1e-9);

  IParameter e;
  e.DefineEnumeration("Pan", 2, 5, "");
  EXPECT_EQ(e.Kind(), EParameterKind::Enum);
  EXPECT_DOUBLE_EQ(e.Minimum(), 0.0);
  EXPECT_DOUBLE_EQ(e.Maximum(), 4.0);
  e.SetFromNormalized(0.6);
  EXPECT_DOUBLE_EQ(e.Value(), 2.0);

  IParameter i;
  i.DefineInteger("Volume", 75, 0, 100, "%");
  EXPECT_EQ(i.Kind(), EParameterKind::Int);
  i.SetFromNormalized(0.995);
  EXPECT_DOUBLE_EQ(i.Value(), 100.0);
  i.SetFromNormalized(1.0);
  EXPECT_DOUBLE_EQ(i.Value(), 100.0);
}

TEST(Parameter, NormalizedValuesOutsideZeroToOneStayInTheRangeAndNaNChangesNothing) {
  IParameter f = FrequencyParam();
  f.SetFromNormalized(-0.5);  // squared by the shape it would land inside the range
  EXPECT_DOUBLE_EQ(f.Value(), f.Minimum());
  f.SetFromNormalized(2.0);
  EXPECT_DOUBLE_EQ(f.Value(), f.Maximum());
  f.SetFromNormalized(std::nan(""));
  EXPECT_DOUBLE_EQ(f.Value(), f.Maximum());

  IParameter i;
  i.DefineInteger("Volume", 75, 0, 100, "%");
  i.SetFromNormalized(-0.5);
  EXPECT_DOUBLE_EQ(i.Value(), 0.0);
}

TEST(Parameter, MaximumIsAtLeastOneStepAboveMinimum) {
  IParameter p;
  p.DefineDouble("x", 1.0, 1.0, 1.0, 0.5, "");
  EXPECT_DOUBLE_EQ(p.Maximum(), 1.5);
}

TEST(Parameter, PrecisionFollowsTheStep) {
  IParameter p;
  p.DefineDouble("a", 0, 0, 10, 0.01, "");
  EXPECT_EQ(p.Precision(), 2);
  p.DefineDouble("a", 0, 0, 10, 0.5, "");
  EXPECT_EQ(p.Precision(), 1);
  p.DefineDouble("a", 0, 0, 10, 1.0, "");
  EXPECT_EQ(p.Precision(), 0);
  p.DefineDouble("a", 0, 0, 10, 1e-9, "");
  EXPECT_EQ(p.Precision(), 6);
}

TEST(Parameter, DisplayTexts) {
  IParameter d;
  d.DefineDouble("Binaural", 4.0, 0.01, 2000.0, 0.01, "Hz");
  EXPECT_EQ(Display(d, 4.0), "4.00");
  EXPECT_EQ(Display(d, 0.15), "0.15");
  EXPECT_EQ(Display(d, 0.0), "0");
  EXPECT_EQ(Display(d, 1.0, true), "2000.00");

  IParameter e;
  e.DefineEnumeration("Wave", 0, 4, "");
  e.AddValueText(0, "");
  e.AddValueText(1, "One");
  e.AddValueText(3, "Three");
  EXPECT_EQ(Display(e, 2.6), "Three");  // rounds to the nearest value text
  EXPECT_EQ(Display(e, 0.0), "0");      // empty text falls back to the number
  EXPECT_EQ(Display(e, 2.0), "2");
  EXPECT_EQ(Display(e, -2.5), "-3");    // half away from zero

  IParameter i;
  i.DefineInteger("Volume", 75, 0, 100, "%");
  EXPECT_EQ(Display(i, 75.0), "75");
}

TEST(Parameter, ValueTextLookupBothWays) {
  IParameter e;
  e.DefineEnumeration("Link", 1, 3, "");
  e.AddValueText(0, "No");
  e.AddValueText(1, "Yes");
  e.AddValueText(2, "Yes & up/down");
  EXPECT_EQ(e.ValueTextCount(), 3);
  EXPECT_STREQ(e.ValueTextFor(2), "Yes & up/down");
  EXPECT_STREQ(e.ValueTextFor(7), "");
  double v = -1;
  EXPECT_TRUE(e.ValueForText("Yes", &v));
  EXPECT_DOUBLE_EQ(v, 1.0);
  EXPECT_FALSE(e.ValueForText("yes", &v));
}

TEST(Parameter, LongTextsAreCutSafely) {
  IParameter p;
  const std::string longName(100, 'x');
  p.DefineDouble(longName.c_str(), 0, 0, 1, 0.1, longName.c_str());
  EXPECT_EQ(std::string(p.ParameterName()).size(), static_cast<size_t>(IParameter::kTextSize - 1));
  EXPECT_EQ(std::string(p.UnitLabel()).size(), static_cast<size_t>(IParameter::kTextSize - 1));
}

TEST(RoundHalfAway, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(RoundHalfAway(2.5), 3);
  EXPECT_EQ(RoundHalfAway(-2.5), -3);
  EXPECT_EQ(RoundHalfAway(400.49), 400);
  EXPECT_EQ(RoundHalfAway(-0.49), 0);
}

TEST(RoundHalfAway, SaturatesOutsideTheIntRange) {
  EXPECT_EQ(RoundHalfAway(1e12), std::numeric_limits<int>::max());
  EXPECT_EQ(RoundHalfAway(-1e12), std::numeric_limits<int>::min());
  EXPECT_EQ(RoundHalfAway(std::nan("")), 0);
}
