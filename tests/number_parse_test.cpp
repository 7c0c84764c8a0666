// Reading integers and reals out of text with the silent zero fallback.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

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


// --- The short path against the digit-by-digit reading ---------------------

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Texts that sit on the edges of the short path: halfway cases between
// doubles and between extended values, 19 and 20 digits, leading and trailing
// zeros, powers of ten at 10^27 and 10^28 either way, long mantissas, extreme
// exponents, hexadecimal integers and near-misses of the grammar.
std::vector<std::string> AdversarialTexts() {
  std::vector<std::string> texts = {
      "9007199254740993",      "9007199254740995",      "9007199254740993e-5",   "18014398509481987",
      "9223372036854775807",   "9223372036854775808",   "9223372036854775809",   "9999999999999999999",
      "10000000000000000000",  "18446744073709551615",  "18446744073709551616",  "99999999999999999999",
      "1234567890123456789e8", "1234567890123456789e9", "0.1234567890123456789", "0.12345678901234567890",
      "00000000000000000001",  "0000000000000000001",   "1000000000000000000.0", "100000000000000000000",
      "1e27",  "1e28",  "1e-27", "1e-28", "9999999999999999999e27", "9999999999999999999e-27",
      "1.5e-27", "15e-28", "1.5e27", "0.000000000000000000000000001", "1e0000", "1e00027", "1e00028",
      "1e9999", "1e-9999", "1e308", "1e309", "1.7976931348623157e308", "4.9406564584124654e-324", "2e-324",
      "1e-4950", "1e+4932", ".", "-.", "+.", ".e1", "-", "+", "e5", "1e", "1e+", "1e-", "1.2.3", "--1",
      "$1A", "0x1A", "x1a", "X1A", "0X1a", "$FFFFFFFF", "-$80000000", "0x", "$",
      "-0", "-0.0e5", "0e99999", "0.5", "-0.5", "2.5", "1.005", "12.1", "0.30000000000000004",
      "1.0000000000000001110765125711399292640635394491255283355712890625",
      "1.00000000000000011107651257113992926", "1.0000000000000001110",
  };
  // Long mantissas, with the deciding digit far out.
  texts.push_back("1." + std::string(60, '0') + "1");
  texts.push_back(std::string(40, '9') + "e-20");
  texts.push_back("0." + std::string(30, '0') + "123456789");
  // Doubles with an odd last bit of their significand made halfway: 2^53 + odd
  // numbers and their scaled forms; near halfway values between doubles and
  // between extended values, written with 16 to 21 digits.
  std::mt19937_64 random(4711);
  for (int i = 0; i < 2000; ++i) {
    const std::uint64_t odd = (1ull << 53) + 2 * (random() % (1ull << 52)) + 1;
    texts.push_back(std::to_string(odd));
    texts.push_back(std::to_string(odd) + "e-" + std::to_string(random() % 30));
    const double d = std::ldexp(static_cast<double>((1ull << 52) | (random() % (1ull << 52))),
                                static_cast<int>(random() % 200) - 152);
    const long double doubleTie = (static_cast<long double>(d) + std::nextafter(d, 1e300)) / 2;
    const long double x = std::ldexp(static_cast<long double>(random() | (1ull << 63)),
                                     static_cast<int>(random() % 200) - 163);
    const long double extendedTie = x + (std::nextafter(x, 1e300L) - x) / 2;  // rounds, so near the tie
    for (const long double tie : {doubleTie, extendedTie}) {
      for (int digits = 16; digits <= 21; ++digits) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*Le", digits - 1, tie);
        texts.push_back(text);
      }
    }
  }
  return texts;
}

// Random texts of the shapes the host writes (up to 20 digits, a point, an
// exponent now and then) and some it does not.
std::string RandomShortText(std::mt19937_64& random) {
  std::string text;
  const int sign = static_cast<int>(random() % 4);
  if (sign == 1) text += '-';
  if (sign == 2) text += '+';
  const int digits = 1 + static_cast<int>(random() % 21);
  const int point = static_cast<int>(random() % (digits + 2)) - 1;  // -1: none
  for (int i = 0; i < digits; ++i) {
    if (i == point) text += '.';
    const int kind = static_cast<int>(random() % 8);
    text += static_cast<char>('0' + (kind == 0 ? 0 : kind == 1 ? 9 : random() % 10));
  }
  if (point == digits) text += '.';
  if (random() % 4 == 0) {
    text += random() % 2 ? 'e' : 'E';
    const int exponent = static_cast<int>(random() % 80) - 40;
    if (exponent >= 0 && random() % 2) text += '+';
    text += std::to_string(exponent);
  }
  return text;
}

// Whenever the short path gives a value, it is the value of the digit-by-
// digit reading for the bytes it took, bit for bit.
void ExpectSameReading(const std::string& text, int& shortPaths) {
  const double expected = StrToFloatOrZeroByDigits(text);
  ASSERT_EQ(Bits(StrToFloatOrZero(text)), Bits(expected)) << '"' << text << '"';
  const char* const begin = text.data();
  const DecimalScan scan = ScanDecimal(begin, begin + text.size());
  ASSERT_TRUE(scan.Stop >= begin && scan.Stop <= begin + text.size()) << text;
  if (scan.Exact) {
    ++shortPaths;
    const std::string taken(begin, scan.Stop);
    ASSERT_EQ(Bits(scan.Value), Bits(StrToFloatOrZeroByDigits(taken)))
        << '"' << text << "\" taken as \"" << taken << '"';
  }
  // The same text as a token of a line, with the line's further bytes
  // readable after it, as the tokenizer scans: the loop-free way then reads
  // ahead, and must stop where the number stops all the same.
  const std::string line = text + " 12345678901234567890123456789012";
  const DecimalScan inLine = ScanDecimal(line.data(), line.data() + line.size());
  ASSERT_TRUE(inLine.Stop >= line.data() && inLine.Stop <= line.data() + text.size()) << text;
  if (inLine.Exact) {
    // A number read to its end never stops before one of its digits.
    ASSERT_FALSE(*inLine.Stop >= '0' && *inLine.Stop <= '9') << '"' << text << "\" stopped before a digit";
    const std::string taken(line.data(), inLine.Stop);
    ASSERT_EQ(Bits(inLine.Value), Bits(StrToFloatOrZeroByDigits(taken)))
        << '"' << text << "\" in a line taken as \"" << taken << '"';
  }
}

TEST(StrToFloatOrZero, ShortPathAgreesWithTheDigitByDigitReading) {
  int shortPaths = 0;
  const std::vector<std::string> adversarial = AdversarialTexts();
  for (const std::string& text : adversarial) {
    ExpectSameReading(text, shortPaths);
    // The same number cut short, and followed by what ends a token or by a
    // byte that continues it.
    ExpectSameReading(text.substr(0, text.size() / 2), shortPaths);
    for (const char* after : {" ", "\t", "x", ".", "e", "\"", "5", "/", ":", "\xB0"})
      ExpectSameReading(text + after, shortPaths);
  }
  std::mt19937_64 random(20250101);
  for (int i = 0; i < 300000; ++i) ExpectSameReading(RandomShortText(random), shortPaths);
  // Most of these texts are meant for the short path; make sure they took it.
  EXPECT_GT(shortPaths, 200000);
}

TEST(ScanDecimal, StopsWhereTheNumberEnds) {
  struct Case {
    const char* text;
    std::size_t stop;
    double value;
  };
  const Case cases[] = {
      {"12 34", 2, 12.0},   {"-1.5\t7", 4, -1.5}, {"1e5x", 3, 1e5},    {"1.2.3", 3, 1.2},  {"5\r\n", 1, 5.0},
      {"-", 1, 0.0},        {"+x", 1, 0.0},        {"1e+", 3, 0.0},     {"hp1", 0, 0.0},     {".5e-1 ", 5, 0.05},
      {"123456789012345678 ", 18, 123456789012345678.0},
  };
  for (const Case& c : cases) {
    const std::string_view text = c.text;
    const DecimalScan scan = ScanDecimal(text.data(), text.data() + text.size());
    EXPECT_EQ(static_cast<std::size_t>(scan.Stop - text.data()), c.stop) << c.text;
    EXPECT_TRUE(scan.Exact) << c.text;
    EXPECT_EQ(scan.Value, c.value) << c.text;
  }
  // Nothing at or after the limit is read: the digits beyond it are not taken.
  const std::string_view digits = "12345678901234567890";
  for (std::size_t limit = 0; limit <= digits.size(); ++limit) {
    const DecimalScan scan = ScanDecimal(digits.data(), digits.data() + limit);
    if (limit <= 19) {
      EXPECT_EQ(static_cast<std::size_t>(scan.Stop - digits.data()), limit);
      EXPECT_EQ(scan.Value, StrToFloatOrZeroByDigits(digits.substr(0, limit))) << limit;
    } else {
      EXPECT_FALSE(scan.Exact);  // 20 digits are beyond the short path
    }
  }
}

}  // namespace
