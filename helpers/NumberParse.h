#pragma once
// Reading numbers out of text with a silent zero fallback. Both parsers follow
// their grammar exactly and do not depend on the C locale.
#include <cstdint>
#include <string_view>

// Leading spaces (0x20 only), at most one sign, then decimal digits or a
// hexadecimal number introduced by "$", "x", "X", "0x" or "0X" (at most 8 hex
// digits, taken as a 32-bit pattern). Nothing may follow. Decimal values must
// fit int32. Anything else gives 0.
std::int32_t StrToIntOrZero(std::string_view text);

// Leading spaces, at most one sign, digits with at most one "." (either side
// may be empty), then optionally "E"/"e", an optional sign and at least one
// digit. Nothing may follow. The value is built correctly rounded in extended
// precision and then rounded to double. A value beyond the range of a double
// gives 0, as does any text that gives no usable number. Tiny values become
// subnormal doubles or zero; a zero result never carries a sign ("-0" gives 0).
// Numbers of up to 19 digits whose power of ten stays within 10^27 either way
// take a short path (ScanDecimal); all others StrToFloatOrZeroByDigits.
double StrToFloatOrZero(std::string_view text);

// The same reading one digit at a time, with big integers for long or
// far-out numbers: the general path of StrToFloatOrZero, and the reference
// its short path is tested against.
double StrToFloatOrZeroByDigits(std::string_view text);

// The short path: reads the bytes of a number from p (no leading spaces):
// an optional sign, digits with at most one point, an optional exponent. It
// stops at the first byte that cannot continue the number, or at `limit`
// (nothing from `limit` on is read).
struct DecimalScan {
  const char* Stop;  // the first byte not taken
  double Value;      // when Exact: StrToFloatOrZero of the bytes [p, Stop)
  // False when the number is beyond the short path (more than 19 digits with
  // leading and trailing zeros counted, or a power of ten beyond 10^27 either
  // way); Stop then lies inside the number, after bytes of it only.
  bool Exact;
};
DecimalScan ScanDecimal(const char* p, const char* limit);
