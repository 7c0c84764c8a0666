// The dimension value: its text under the formatting settings, its text style
// and its width.
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/TestSupport.h"
#include "dimension/ValueText.h"

namespace {

using testing_support::SjisToUtf8;

struct TextCase {
  double Length;
  ValueFormat Format;
  const char* Expected;  // Shift-JIS
};

// The numbers are the dialog's entries: unit 0 mm, 1 m; rounding 0 truncate,
// 1 up from a tenth, 2 half away; zeros 0 dropped, 1 kept.
ValueFormat Fmt(int unit, int k, int rounding, bool commas, int zeros) {
  ValueFormat f;
  f.Unit = static_cast<ValueUnit>(unit);
  f.Precision = k;
  f.Rounding = static_cast<RoundingMode>(rounding);
  f.ThousandsCommas = commas;
  f.Zeros = static_cast<ZeroDisplay>(zeros);
  return f;
}

ValueFormat With(ValueFormat f, void (*change)(ValueFormat&)) {
  change(f);
  return f;
}

void ExpectTexts(const std::vector<TextCase>& cases) {
  for (const TextCase& c : cases) {
    EXPECT_EQ(SjisToUtf8(MakeValueText(c.Length, c.Format)), SjisToUtf8(c.Expected))
        << "length " << c.Length << " k " << c.Format.Precision << " rounding "
        << static_cast<int>(c.Format.Rounding);
  }
}

TEST(ValueText, WorkedExamples) {
  ExpectTexts({
      {1234.5678, Fmt(0, 3, 2, false, 0), "1234.568"},
      {1234.5678, Fmt(0, 3, 2, true, 0), "1,234.568"},
      {1500, Fmt(0, 3, 2, false, 0), "1500"},
      {1500, Fmt(0, 3, 2, true, 1), "1,500.000"},
      {1500, With(Fmt(1, 3, 2, false, 0), [](ValueFormat& f) {
         f.AppendUnit = true;
         f.Prefix = "H=";
       }),
       "H=1.5ｍ"},
      {1234.05, Fmt(0, 0, 1, false, 0), "1234"},
      {1234.15, Fmt(0, 0, 1, false, 0), "1235"},
      {1234.99, Fmt(0, 0, 0, false, 0), "1234"},
      {2345.6, With(Fmt(0, 1, 2, true, 0), [](ValueFormat& f) {
         f.FullWidth = true;
         f.AppendUnit = true;
         f.Suffix = "(参考)";
       }),
       "２，３４５．６mm(参考)"},
      {0.0004, Fmt(0, 3, 0, false, 0), "0"},
  });
}

TEST(ValueText, EdgeCases) {
  const auto full = [](ValueFormat& f) { f.FullWidth = true; };
  ExpectTexts({
      // Trailing zeros go only after the point, and only with ZeroDisplay 0.
      {1500, Fmt(0, 0, 2, false, 0), "1500"},
      {1000, Fmt(0, 3, 2, true, 0), "1,000"},
      {100.05, Fmt(0, 2, 2, false, 0), "100.05"},
      {0.0004, Fmt(0, 3, 0, false, 1), "0.000"},
      {20.5, Fmt(0, 8, 2, false, 1), "20.50000000"},
      // Metres are rounded in metres.
      {1234.5678, Fmt(1, 3, 0, false, 0), "1.234"},
      {1234.5678, Fmt(1, 1, 1, false, 0), "1.3"},  // drops 0.035 m, over a tenth of 0.1 m
      {1204.5678, Fmt(1, 1, 1, false, 0), "1.2"},  // drops 0.0046 m, below a tenth
      {1234567, Fmt(1, 2, 2, true, 1), "1,234.57"},
      // Full width covers the number with its commas and point, nothing else.
      {1234.5, With(Fmt(0, 1, 2, true, 0), full), "１，２３４．５"},
      {12, With(Fmt(0, 0, 2, false, 0), [](ValueFormat& f) {
         f.FullWidth = true;
         f.Prefix = "L=";
         f.Suffix = "mm";
       }),
       "L=１２mm"},
      {12, With(Fmt(1, 3, 2, false, 0), [](ValueFormat& f) {
         f.FullWidth = true;
         f.AppendUnit = true;
       }),
       "０．０１２ｍ"},
      {250, With(Fmt(0, 3, 2, false, 0), [](ValueFormat& f) {
         f.Prefix = " (";
         f.Suffix = ")";
         f.AppendUnit = true;
       }),
       " (250mm)"},
  });
}

HostState HostWithStyles() {
  HostState host;
  for (int i = 0; i < 10; ++i)
    host.TextStyles[static_cast<std::size_t>(i)] = HostTextStyle{1.0 + i, 2.0 + i, 0.1 * i, 20 + i};
  host.Initial.FreeText = HostTextStyle{2.5, 3.5, 0.25, 7};
  return host;
}

// The precision list ends at kMaxDecimals; a format past either end is a
// fault of its caller and is refused rather than formatted.
TEST(ValueText, PrecisionOutsideTheListIsRefused) {
  EXPECT_EQ(SjisToUtf8(MakeValueText(1, Fmt(0, kMaxDecimals, 2, false, 1))), "1.00000000");
  for (const int k : {-1, kMaxDecimals + 1})
    EXPECT_THROW(MakeValueText(1, Fmt(0, k, 2, false, 0)), std::out_of_range) << k;
}

TEST(ValueStyle, ChosenFromTheSettingOrTheHostsCurrentStyle) {
  struct Case {
    int Setting;
    int HostCurrent;
    ValueStyle Expected;
  };
  const Case cases[] = {
      {0, 0, {0, 2.5, 3.5, 0.25, 7}},   // the host's free size
      {0, 4, {4, 4.0, 5.0, 0.30000000000000004, 23}},
      {0, 12, {1, 1.0, 2.0, 0.0, 20}},  // a host number outside the ten styles
      {0, -1, {1, 1.0, 2.0, 0.0, 20}},
      {10, 0, {10, 10.0, 11.0, 0.9, 29}},
      {1, 7, {1, 1.0, 2.0, 0.0, 20}},
  };
  for (const Case& c : cases) {
    HostState host = HostWithStyles();
    host.Initial.TextStyle = c.HostCurrent;
    const ValueStyle s = SelectValueStyle(static_cast<TextStyleChoice>(c.Setting), host);
    SCOPED_TRACE(testing::Message() << "setting " << c.Setting << " host " << c.HostCurrent);
    EXPECT_EQ(s.Number, c.Expected.Number);
    EXPECT_DOUBLE_EQ(s.Width, c.Expected.Width);
    EXPECT_DOUBLE_EQ(s.Height, c.Expected.Height);
    EXPECT_DOUBLE_EQ(s.Spacing, c.Expected.Spacing);
    EXPECT_EQ(s.Colour, c.Expected.Colour);
  }
}

TEST(ValueStyle, WidthOfTheTextInItsStyle) {
  const ValueStyle style{1, 3, 3, 1, 2};
  EXPECT_DOUBLE_EQ(ValueTextWidth("500", style), 4.5 + 1.0);     // three half-width
  EXPECT_DOUBLE_EQ(ValueTextWidth("５００", style), 9.0 + 2.0);  // three full-width
  EXPECT_DOUBLE_EQ(ValueTextWidth("", style), 0.0);
}

}  // namespace
