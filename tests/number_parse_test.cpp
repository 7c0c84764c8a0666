// Reading integers and reals out of text with the silent zero fallback.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "helpers/NumberParse.h"

namespace {

struct IntCase {
  const char* text;
  std::int32_t expected;
};

TEST(StrToIntOrZero, AcceptsDecimalAndHexadecimalForms) {
  const IntCase cases[] = {
      {"12", 12},        {" 12", 12},         {"    12", 12},         {"+7", 7},          {"-7", -7},
      {"  -7", -7},      {"00012", 12},       {"-0", 0},            {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},             {"$1A", 26},          {"x1a", 26},        {"X1A", 26},
      {"0x1A", 26},      {"0X1a", 26},        {"-$1A", -26},        {"+0x10", 16},      {" $F", 15},
      {"$FFFFFFFF", -1}, {"$80000000", INT32_MIN},                  {"-$FFFFFFFF", 1},  {"$00000001", 1},
  };
  for (const IntCase& c : cases) EXPECT_EQ(StrToIntOrZero(c.text), c.expected) << '"' << c.text << '"';
}

TEST(StrToIntOrZero, MalformedOrOutOfRangeTextGivesZero) {
  const char* cases[] = {
      "",     " ",     "+",      "-",    "12 ",  "1.0",   "1e3",  "\t12", "\n12", "12\n",
      "--7",  "+-7",   "- 7",    "1 2",  "2147483648", "-2147483649", "99999999999999999999",
      "$",    "x",     "0x",     "-0x",  "$1G",  "0x1g",  "1A",   "$ 1",  "$123456789",
      "0x000000001",   "$-1",    "0b101", "0x1A ", "$$1", "\xEF\xBC\x91",  // a full-width digit
  };
  for (const char* text : cases) EXPECT_EQ(StrToIntOrZero(text), 0) << '"' << text << '"';
  EXPECT_EQ(StrToIntOrZero(std::string_view("12\0", 3)), 0);
}

struct FloatCase {
  const char* text;
  double expected;
};

TEST(StrToFloatOrZero, AcceptsTheNumberGrammar) {
  const FloatCase cases[] = {
      {"-.5", -0.5},    {"1e3", 1000.0},     {"5.", 5.0},         {" 2.5", 2.5},      {"   +2.5", 2.5},
      {".", 0.0},       {"-.", 0.0},         {"0", 0.0},          {".5e1", 5.0},      {"1E-2", 0.01},
      {"1e+2", 100.0},  {"1e-0", 1.0},       {"12.25", 12.25},    {"-12.25", -12.25}, {"1200", 1200.0},
      {"1.50", 1.5},    {"0.000125", 0.000125}, {"007", 7.0},      {".e5", 0.0},       {"1e0005", 1e5},
      {"123456789012345678", 123456789012345678.0}, {"9007199254740993", 9007199254740992.0},
      {"0.1", 0.1},     {"123.456", 123.456}, {"1e23", 1e23},     {"1e-28", 1e-28},   {"1e22", 1e22},
      {"18446744073709551615", 18446744073709551616.0},
  };
  for (const FloatCase& c : cases) EXPECT_EQ(StrToFloatOrZero(c.text), c.expected) << '"' << c.text << '"';
}

TEST(StrToFloatOrZero, RefusesWhatTheCLibraryWouldTake) {
  const char* cases[] = {
      "",     " ",      "+",     "-",       "1,5",    "2.5 ",   "\t2.5",  "2.5\n",   "inf",   "-inf",
      "nan",  "NAN",    "infinity", "0x1p3", "0x10",   "1e",     "1e+",    "1e-",     "e5",    "E5",
      "1..2", "1.2.3",  "--1",   "+-1",     "- 1",    "1 e5",   "1e 5",   "1e5.0",   "1e5e5", "1d5",
      "2.5f", "$1",     "1_000", "\xEF\xBC\x91",
  };
  for (const char* text : cases) {
    const double value = StrToFloatOrZero(text);
    EXPECT_EQ(value, 0.0) << '"' << text << '"';
    EXPECT_FALSE(std::signbit(value)) << '"' << text << '"';
  }
}

TEST(StrToFloatOrZero, ValuesBeyondADoubleReadAsZero) {
  EXPECT_EQ(StrToFloatOrZero("1e400"), 0.0);
  EXPECT_EQ(StrToFloatOrZero("-1e400"), 0.0);
  EXPECT_EQ(StrToFloatOrZero("1.8e308"), 0.0);
  EXPECT_EQ(StrToFloatOrZero("1" + std::string(400, '0')), 0.0);
  EXPECT_EQ(StrToFloatOrZero("1e999999999999999999999"), 0.0);
  EXPECT_EQ(StrToFloatOrZero("1.7976931348623157e308"), DBL_MAX);
  EXPECT_EQ(StrToFloatOrZero("-1.7976931348623157e308"), -DBL_MAX);
  // Slightly above the largest double but still rounding down to it.
  EXPECT_EQ(StrToFloatOrZero("1.79769313486231580e308"), DBL_MAX);
  EXPECT_EQ(StrToFloatOrZero("1" + std::string(300, '0')), 1e300);
}

TEST(StrToFloatOrZero, TinyValuesUnderflowGraduallyToAnUnsignedZero) {
  EXPECT_EQ(StrToFloatOrZero("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(StrToFloatOrZero("2.2250738585072014e-308"), DBL_MIN);
  EXPECT_EQ(StrToFloatOrZero("1e-310"), 1e-310);
  for (const char* text : {"1e-400", "-1e-400", "2e-324", "-0", "-0.000", "-1e-999999999999"}) {
    const double value = StrToFloatOrZero(text);
    EXPECT_EQ(value, 0.0) << text;
    EXPECT_FALSE(std::signbit(value)) << text;
  }
  EXPECT_EQ(StrToFloatOrZero("0." + std::string(400, '0') + "1"), 0.0);
}

// 1 + 2^-53 + 2^-64: halfway between two extended values, and its even
// neighbour 1 + 2^-53 is itself halfway between the doubles 1 and 1 + 2^-52.
constexpr const char* kExtendedTie = "1.0000000000000001110765125711399292640635394491255283355712890625";

TEST(StrToFloatOrZero, RoundsToExtendedFirstThenToDouble) {
  // The tie goes to the even extended value, which then ties to the double 1.
  // A direct rounding to double would give the next double up.
  EXPECT_EQ(StrToFloatOrZero(kExtendedTie), 1.0);
  EXPECT_EQ(std::strtod(kExtendedTie, nullptr), std::nextafter(1.0, 2.0));
  // A hair above the tie rounds up at both steps, however far out the
  // deciding digit lies.
  EXPECT_EQ(StrToFloatOrZero(std::string(kExtendedTie) + "1"), std::nextafter(1.0, 2.0));
  EXPECT_EQ(StrToFloatOrZero(std::string(kExtendedTie) + std::string(1500, '0') + "1"),
            std::nextafter(1.0, 2.0));
  EXPECT_EQ(StrToFloatOrZero(std::string(kExtendedTie) + std::string(1500, '0')), 1.0);
  // The same tie reached through a negative exponent and through leading zeros.
  EXPECT_EQ(StrToFloatOrZero("0.000" + std::string(kExtendedTie).erase(1, 1) + "e4"), 1.0);
  EXPECT_EQ(StrToFloatOrZero("0.000" + std::string(kExtendedTie).erase(1, 1) + "0001e4"),
            std::nextafter(1.0, 2.0));
}

// Builds random number texts of every shape the grammar allows.
std::string RandomNumberText(std::mt19937_64& random) {
  std::uniform_int_distribution<int> pick(0, 99);
  int length;
  const int shape = pick(random);
  if (shape < 60)
    length = 1 + pick(random) % 20;
  else if (shape < 90)
    length = 15 + pick(random) % 50;
  else
    length = 700 + pick(random) * 12;
  std::string text;
  if (pick(random) < 30) text += pick(random) < 50 ? "-" : "+";
  std::uniform_int_distribution<int> digit(0, 9);
  for (int i = 0; i < length; ++i) text.push_back(static_cast<char>('0' + digit(random)));
  // Runs of zeros and nines stress rounding carries and trailing-zero folding.
  if (pick(random) < 20) {
    const int from = pick(random) % length;
    const char fill = pick(random) < 50 ? '0' : '9';
    for (int i = from; i < length; ++i) text[text.size() - length + i] = fill;
  }
  if (pick(random) < 60) text.insert(text.size() - static_cast<std::size_t>(pick(random) % (length + 1)), ".");
  const int exponentKind = pick(random);
  if (exponentKind < 40) {
    text += 'e';
    text += std::to_string(std::uniform_int_distribution<int>(-360, 330)(random));
  } else if (exponentKind < 60) {
    text += 'E';
    text += std::to_string(std::uniform_int_distribution<int>(-30, 30)(random));
  }
  return text;
}

// The C library's extended reader is correctly rounded, and these texts use
// only the part of its syntax that our grammar shares, so the two must agree
// bit for bit (apart from our zero in place of an infinity or a signed zero).
TEST(StrToFloatOrZero, AgreesWithACorrectlyRoundedExtendedReader) {
  std::mt19937_64 random(20240611);
  int compared = 0;
  for (int i = 0; i < 40000; ++i) {
    const std::string text = RandomNumberText(random);
    const double reference = static_cast<double>(std::strtold(text.c_str(), nullptr));
    double expected = reference;
    if (std::isinf(reference) || reference == 0.0) expected = 0.0;
    const double actual = StrToFloatOrZero(text);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(actual), std::bit_cast<std::uint64_t>(expected)) << text;
    ++compared;
  }
  EXPECT_EQ(compared, 40000);
}

}  // namespace
