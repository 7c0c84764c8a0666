// The short path of the real reader (ScanDecimal, and StrToFloatOrZero that
// uses it) against the digit-by-digit reading, bit for bit. Every input gives
// several texts: the input itself, the input behind the bytes that end or
// continue a token, and numbers built from its bytes that lie near the
// halfway points between neighbouring doubles and between neighbouring
// extended values, written with 16 to 21 digits, where a wrong rounding step
// would show.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "helpers/NumberParse.h"
#include "support/Check.h"

using fuzz_support::Bits;
using fuzz_support::Hex;
using fuzz_support::Quoted;

namespace {

// Whenever the short path gives a value, it is the digit-by-digit reading of
// the bytes it took. (Texts it does not take StrToFloatOrZero hands to the
// digit-by-digit reading itself; comparing those would compare it with
// itself.)
void CheckText(std::string_view text) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const DecimalScan scan = ScanDecimal(begin, end);
  FUZZ_CHECK(scan.Stop >= begin && scan.Stop <= end, "ScanDecimal stopped outside the text");
  if (scan.Exact) {
    const std::string_view taken(begin, static_cast<std::size_t>(scan.Stop - begin));
    const double expected = StrToFloatOrZeroByDigits(taken);
    FUZZ_CHECK(Bits(scan.Value) == Bits(expected), "ScanDecimal(" + Quoted(std::string(text)) + ") took " +
                                                       Quoted(std::string(taken)) + " as " + Hex(scan.Value) +
                                                       ", digit by digit " + Hex(expected));
  }
  // StrToFloatOrZero: leading spaces, then the short path when it takes all.
  const char* p = begin;
  while (p != end && *p == ' ') ++p;
  const DecimalScan whole = p == begin ? scan : ScanDecimal(p, end);
  if (whole.Exact && whole.Stop == end) {
    const double actual = StrToFloatOrZero(text);
    const double expected = StrToFloatOrZeroByDigits(text);
    FUZZ_CHECK(Bits(actual) == Bits(expected), "StrToFloatOrZero(" + Quoted(std::string(text)) + ") = " +
                                                   Hex(actual) + ", digit by digit " + Hex(expected));
  }
}

std::uint64_t Load64(const std::uint8_t* data) {
  std::uint64_t v;
  std::memcpy(&v, data, sizeof v);
  return v;
}

// A value near the halfway point above `value`, written with `digits`
// significant digits, and the same with its last digit one up and one down.
void CheckNearHalfway(long double tie, int digits, int exponentShift) {
  char text[96];
  std::snprintf(text, sizeof text, "%.*Le", digits - 1, tie);
  std::string written = text;
  // Move the point into the digits now and then: "1.2345e-7" as "12345e-11".
  if (exponentShift != 0) {
    const std::size_t e = written.find('e');
    const std::size_t point = written.find('.');
    if (e != std::string::npos && point != std::string::npos) {
      const int exponent = std::atoi(written.c_str() + e + 1) - (digits - 1);
      written = written.substr(0, point) + written.substr(point + 1, e - point - 1) + "e" + std::to_string(exponent);
    }
  }
  CheckText(written);
  const std::size_t last = written.find_first_of("eE") - 1;
  for (const int step : {1, -1}) {
    std::string moved = written;
    const int d = moved[last] - '0' + step;
    if (d < 0 || d > 9) continue;
    moved[last] = static_cast<char>('0' + d);
    CheckText(moved);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckText(text);
  for (const char after : {' ', '\t', '"', 'x', ':', '/', '.', 'e'}) CheckText(text + after);
  if (size > 1) CheckText(std::string_view(text).substr(1));

  if (size >= 10) {
    const int digits = 16 + data[8] % 6;
    // Magnitudes of about 10^-12 to 10^27, where 16 to 21 digits put the
    // power of ten around the short path's limit of 10^27 either way.
    const int binaryExponent = static_cast<int>(data[9] % 130) - 40;
    const std::uint64_t bits = Load64(data);
    // Halfway between a double and the next one up (exact in extended).
    const double d = std::ldexp(static_cast<double>((bits >> 11) | (1ull << 52)), binaryExponent - 52);
    CheckNearHalfway((static_cast<long double>(d) + std::nextafter(d, 1e308)) / 2, digits, data[9] & 1);
    // Near halfway between an extended value and the next one up.
    const long double x = std::ldexp(static_cast<long double>(bits | (1ull << 63)), binaryExponent - 63);
    CheckNearHalfway(x + (std::nextafter(x, 1e300L) - x) / 2, digits, (data[9] >> 1) & 1);
  }
  return 0;
}
