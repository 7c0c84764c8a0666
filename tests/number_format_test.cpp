// Text forms of reals: the exact decimal value of a double, fixed decimals
// with and without grouping, and the general number form.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "helpers/DecimalExpansion.h"
#include "helpers/NumberFormat.h"

namespace {

std::uint64_t PowerOfTen(int n) {
  std::uint64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// Digits and exponent of the exact value as the C library prints it with far
// more digits than any double has.
DecimalNumber PrintedExactly(double value) {
  char buffer[1024];
  std::snprintf(buffer, sizeof buffer, "%.800e", value);
  std::string text = buffer;
  DecimalNumber number;
  if (text[0] == '-') {
    number.Negative = true;
    text.erase(0, 1);
  }
  const std::size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  digits.erase(digits.find_last_not_of('0') + 1);
  number.Digits = digits;
  number.Exponent = std::atoi(text.c_str() + e + 1) + 1;
  return number;
}

TEST(ExactDecimal, AgreesWithTheLibraryPrinterOnRandomDoubles) {
  std::mt19937_64 random(77);
  for (int i = 0; i < 3000; ++i) {
    double value;
    if (i % 2 == 0) {
      do value = std::bit_cast<double>(random());
      while (!std::isfinite(value));
    } else {
      value = static_cast<double>(static_cast<std::int64_t>(random() % 2000000001) - 1000000000) / 1024.0 / 37.0;
    }
    if (i == 0) value = std::numeric_limits<double>::denorm_min();
    if (i == 1) value = -DBL_MAX;
    const DecimalNumber expected = PrintedExactly(value);
    const DecimalNumber actual = ExactDecimal(value);
    if (value == 0.0) continue;  // the printer gives zero an exponent
    ASSERT_EQ(actual.Digits, expected.Digits) << value;
    ASSERT_EQ(actual.Exponent, expected.Exponent) << value;
    ASSERT_EQ(actual.Negative, expected.Negative) << value;
  }
  EXPECT_EQ(ExactDecimal(0.1).Digits, "1000000000000000055511151231257827021181583404541015625");
  EXPECT_TRUE(ExactDecimal(-0.0).Digits.empty());
}

struct FixedCase {
  int decimals;
  double value;
  const char* expected;
};

TEST(FormatFixed, RoundsHalfAwayFromZeroAtTheLastShownDigit) {
  const FixedCase cases[] = {
      {3, 2.5, "2.500"},   {0, 0.5, "1"},        {0, 1.5, "2"},          {0, -2.5, "-3"},
      {2, 0.125, "0.13"},  {2, -0.125, "-0.13"}, {2, 1.005, "1.00"},     {2, -1.005, "-1.00"},
      {2, 0.005, "0.01"},  {0, 0.49, "0"},       {2, 99.995, "100.00"},  {4, 1234.5678, "1234.5678"},
      {8, 2.0 / 3.0, "0.66666667"},              {2, 1e-20, "0.00"},     {1, 0.0, "0.0"},
      {5, 1e21, "1000000000000000000000.00000"},
      // Decimals outside 0..18 are clamped.
      {-1, 2.5, "3"},      {25, 1.0, "1.000000000000000000"},
      // A value that shows as zero has no sign; one that rounds away keeps it.
      {2, -0.004, "0.00"}, {0, -0.4, "0"},       {3, -0.0, "0.000"},     {2, -0.005, "-0.01"},
  };
  for (const FixedCase& c : cases)
    EXPECT_EQ(FormatFixed(c.decimals, c.value), c.expected) << c.decimals << ' ' << c.value;
}

TEST(FormatFixed, TakesTheValueToEighteenDigitsBeforeRounding) {
  // 2^60 = 1152921504606846976 has 19 digits; the 19th is rounded away.
  EXPECT_EQ(FormatFixed(0, 1152921504606846976.0), "1152921504606846980");
  // The exact value is 678066.88759138504974544...: cut at 18 digits it
  // becomes 678066.887591385050, a tie at the tenth decimal.
  EXPECT_EQ(FormatFixed(10, 678066.887591385), "678066.8875913851");
  // Eighteen decimals show the 18 significant digits of the exact value.
  EXPECT_EQ(FormatFixed(18, 0.1), "0.100000000000000006");
}

TEST(FormatGrouped, GroupsTheIntegerPartInThrees) {
  const FixedCase cases[] = {
      {2, 1234567.891, "1,234,567.89"}, {0, 999.5, "1,000"},         {0, 999.0, "999"},
      {1, 12345.25, "12,345.3"},         {0, 123456.0, "123,456"},    {3, -1234567.5, "-1,234,567.500"},
      {0, -999999.5, "-1,000,000"},      {2, 0.5, "0.50"},            {1, -0.04, "0.0"},
      {0, 1e18, "1,000,000,000,000,000,000"},
  };
  for (const FixedCase& c : cases)
    EXPECT_EQ(FormatGrouped(c.decimals, c.value), c.expected) << c.decimals << ' ' << c.value;
}

struct GeneralCase {
  double value;
  const char* expected;
};

TEST(FormatGeneral, WritesFifteenDigitsWithoutTrailingZeros) {
  const GeneralCase cases[] = {
      {100.0, "100"},           {-12.25, "-12.25"},      {0.0001, "0.0001"},   {0.00001, "1E-5"},
      {1.0 / 3.0, "0.333333333333333"},                  {2.0 / 3.0, "0.666666666666667"},
      {0.1 + 0.2, "0.3"},       {1e15, "1E15"},          {123456789012345678.0, "1.23456789012346E17"},
      {0.0, "0"},               {-0.0, "0"},             {-0.5, "-0.5"},       {1234.5, "1234.5"},
      {-0.00012345, "-0.00012345"},                      {1.5e-7, "1.5E-7"},   {-1e-5, "-1E-5"},
      {1e100, "1E100"},         {1.25e-100, "1.25E-100"}, {-1e14, "-100000000000000"},
      {123456789012345.6, "123456789012346"},           {DBL_MAX, "1.79769313486232E308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
  };
  for (const GeneralCase& c : cases) EXPECT_EQ(FormatGeneral(c.value), c.expected) << c.value;
}

TEST(FormatGeneral, RoundsOnceBeforeChoosingTheNotation) {
  const GeneralCase cases[] = {
      // Rounds up to the next power of ten, which is written in E notation.
      {999999999999999.5, "1E15"},          {-999999999999999.5, "-1E15"},
      {999999999999999.4, "999999999999999"},
      // Just below 0.0001, but 0.0001 once rounded: fixed notation.
      {9.999999999999999e-5, "0.0001"},     {9.99999999999999e-5, "9.99999999999999E-5"},
      // Exact ties go away from zero.
      {1000000000000005.0, "1.00000000000001E15"}, {-1000000000000005.0, "-1.00000000000001E15"},
      {10000000000000.25, "10000000000000.3"},     {-10000000000000.25, "-10000000000000.3"},
  };
  for (const GeneralCase& c : cases) EXPECT_EQ(FormatGeneral(c.value), c.expected) << c.value;
}

TEST(FormatGeneral, NonFiniteValuesShowAsZeroInEveryForm) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatGeneral(nan), "0");
  EXPECT_EQ(FormatGeneral(inf), "0");
  EXPECT_EQ(FormatGeneral(-inf), "0");
  EXPECT_EQ(FormatFixed(2, nan), "0.00");
  EXPECT_EQ(FormatFixed(0, inf), "0");
  EXPECT_EQ(FormatGrouped(1, -inf), "0.0");
}

// The digits must be the exact value rounded to 15 significant digits. The
// library printer rounds the exact value too (ties to even, which only
// matters for exact ties, skipped here), so both texts read back to the same
// double; the form itself must be plain.
TEST(FormatGeneral, HoldsTheCorrectlyRoundedDigitsOfRandomValues) {
  std::mt19937_64 random(4242);
  for (int i = 0; i < 20000; ++i) {
    double value;
    if (i % 3 == 0) {
      do value = std::bit_cast<double>(random());
      while (!std::isfinite(value));
    } else {
      const double exponent = std::uniform_real_distribution<double>(-8.0, 18.0)(random);
      value = std::pow(10.0, exponent) * (random() % 2 ? 1 : -1);
    }
    char reference[64];
    std::snprintf(reference, sizeof reference, "%.14e", value);
    char beyond[96];
    std::snprintf(beyond, sizeof beyond, "%.40e", std::fabs(value));
    // An exact tie at the fifteenth digit: digit 16 is 5 followed by zeros.
    if (std::string(beyond).substr(16, 25) == "5000000000000000000000000") continue;
    const std::string text = FormatGeneral(value);
    ASSERT_EQ(std::strtod(text.c_str(), nullptr), std::strtod(reference, nullptr)) << text << " vs " << reference;
    ASSERT_EQ(text.find('+'), std::string::npos) << text;
    ASSERT_EQ(text.find('e'), std::string::npos) << text;
    const std::size_t point = text.find('.');
    const std::size_t exponent = text.find('E');
    if (point != std::string::npos) {
      const std::size_t fractionEnd = exponent == std::string::npos ? text.size() : exponent;
      ASSERT_NE(text[fractionEnd - 1], '0') << text;
    }
    const double magnitude = std::fabs(std::strtod(text.c_str(), nullptr));
    ASSERT_EQ(exponent == std::string::npos, magnitude >= 0.0001 && magnitude < 1e15) << text;
  }
}


// The rounding by a scaled extended value gives what the exact expansion
// gives, for every digit count: on random doubles of every magnitude, on
// values written with few digits (as drawings hold them), and next to the
// halfway points between two roundings, where the scaled value could be
// wrong and the exact way must decide.
TEST(RoundedDecimal, EqualsTheExactExpansionRounded) {
  std::mt19937_64 random(20261207);
  std::vector<double> values = {0.5, 1.0, 9.5, 0.95, 99.5, 1e-12, 9.999999999999999e-13, 1e40, 9.99999999999999e39,
                                1e15, 999999999999999.5, 999999999999999.4, 1e14, 99999999999999.95, 0.0001,
                                9.999999999999999e-5, 10000000000000.25, 1000000000000005.0, 0.0, -0.0, DBL_MAX,
                                std::numeric_limits<double>::denorm_min()};
  for (int i = 0; i < 8000; ++i) {
    double value;
    do value = std::bit_cast<double>(random());
    while (!std::isfinite(value));
    values.push_back(value);
    // A short decimal, as drawings hold them: up to 9 digits and a point.
    const double shortDecimal = static_cast<double>(random() % 1000000000) /
                                std::pow(10.0, static_cast<int>(random() % 12)) * (random() % 2 ? 1 : -1);
    values.push_back(shortDecimal);
    // Next to a halfway point of `count` digits: d.ddd5 times a power of ten
    // and the doubles around it.
    const int count = 1 + static_cast<int>(random() % 15);
    const double halfway = (static_cast<double>(random() % PowerOfTen(count)) + 0.5) *
                           std::pow(10.0, static_cast<int>(random() % 40) - 20 - count);
    values.push_back(halfway);
    values.push_back(std::nextafter(halfway, 0.0));
    values.push_back(std::nextafter(halfway, 1e300));
  }
  for (const double value : values) {
    for (int count = 1; count <= 15; ++count) {
      DecimalNumber expected = ExactDecimal(value);
      RoundToSignificant(expected, count);
      const DecimalNumber actual = RoundedDecimal(value, count);
      ASSERT_EQ(actual.Digits, expected.Digits) << value << " to " << count;
      ASSERT_EQ(actual.Exponent, expected.Exponent) << value << " to " << count;
      ASSERT_EQ(actual.Negative, expected.Negative) << value << " to " << count;
    }
  }
}

}  // namespace
