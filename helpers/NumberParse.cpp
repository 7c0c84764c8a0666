#include "helpers/NumberParse.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include "helpers/BigUnsigned.h"
#include "helpers/Extended.h"

using namespace decimal_digits;

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Digits kept on the slow path. Every value halfway between two neighbouring
// extended values in the range that matters here (1e-330 to 1e309) has fewer
// significant digits than this, so cutting a longer number here and putting a
// non-zero digit in place of the rest rounds exactly as the whole number would.
constexpr std::size_t kSlowDigits = 1000;

// Beyond these decimal magnitudes a double can hold nothing but infinity or
// zero: 10^309 is above the largest double, 10^-330 far below half the
// smallest subnormal.
constexpr std::int64_t kOverflowMagnitude = 309;
constexpr std::int64_t kUnderflowMagnitude = -330;

// Exponents are read up to this size; larger ones only matter as "huge"
// (no text is long enough for its digits to bring them back into range).
constexpr std::int64_t kExponentCap = 1000000000000000;

// Rounds value * 2^binaryExponent (plus a non-zero amount below the last bit
// of value when `inexact`) to the nearest extended value, ties to even.
Extended RoundToExtended(BigUnsigned value, int binaryExponent, bool inexact) {
  int length = value.BitLength();
  if (length < 66) {
    // Room for the 64 kept bits and a rounding bit.
    value.ShiftLeft(66 - length);
    binaryExponent -= 66 - length;
    length = 66;
  }
  const int low = length - 64;
  std::uint64_t significand = value.ExtractBits(low, 64);
  const bool roundBit = value.TestBit(low - 1);
  const bool sticky = inexact || value.AnyBitBelow(low - 1);
  int exponent = binaryExponent + low;
  if (roundBit && (sticky || (significand & 1u) != 0)) {
    ++significand;
    if (significand == 0) {  // carried out of 64 bits
      significand = 1ull << 63;
      ++exponent;
    }
  }
  return std::ldexp(static_cast<Extended>(significand), exponent);
}

// digits * 10^exponent, digits being `count` significant decimal digits,
// correctly rounded to extended precision and then to double. 0 when the
// double overflows or underflows to zero.
double ExactDecimalToDouble(const BigUnsigned& digits, std::int64_t count, std::int64_t exponent) {
  if (count - 1 + exponent >= kOverflowMagnitude) return 0.0;
  if (count + exponent <= kUnderflowMagnitude) return 0.0;
  Extended value;
  if (exponent >= 0) {
    BigUnsigned whole = digits;
    whole.MulPow10(static_cast<int>(exponent));
    value = RoundToExtended(whole, 0, false);
  } else {
    // The quotient digits / 10^-exponent with 66 or 67 bits, the remainder
    // telling whether anything was cut off.
    BigUnsigned numerator = digits;
    BigUnsigned denominator(1);
    denominator.MulPow10(static_cast<int>(-exponent));
    const int shift = 66 - (numerator.BitLength() - denominator.BitLength());
    if (shift > 0)
      numerator.ShiftLeft(shift);
    else
      denominator.ShiftLeft(-shift);
    const BigUnsigned remainder = numerator.DivideBy(denominator);
    value = RoundToExtended(numerator, -shift, !remainder.IsZero());
  }
  const double result = static_cast<double>(value);
  if (std::isinf(result)) return 0.0;
  return result;
}

// The slow path for more than 19 significant digits: collects the digits of
// the mantissa text (digits and at most one point, already checked).
double LongDecimalToDouble(std::string_view mantissa, std::int64_t exponent) {
  std::string digits;
  digits.reserve(mantissa.size() < kSlowDigits + 1 ? mantissa.size() : kSlowDigits + 1);
  bool point = false;
  std::int64_t cut = 0;  // significant digits dropped beyond kSlowDigits
  bool cutNonZero = false;
  for (char c : mantissa) {
    if (c == '.') {
      point = true;
      continue;
    }
    if (point) --exponent;
    if (digits.empty() && c == '0') continue;
    if (digits.size() < kSlowDigits) {
      digits.push_back(c);
    } else {
      ++cut;
      if (c != '0') cutNonZero = true;
    }
  }
  exponent += cut;
  if (cutNonZero) {
    digits.push_back('1');
    --exponent;
  }
  while (!digits.empty() && digits.back() == '0') {
    digits.pop_back();
    ++exponent;
  }
  if (digits.empty()) return 0.0;
  return ExactDecimalToDouble(BigUnsigned::FromDecimalDigits(digits),
                              static_cast<std::int64_t>(digits.size()), exponent);
}

// Both grammars begin alike: any number of spaces (0x20 only), then at most
// one sign. Advances p past them; true for a minus sign.
bool SkipBlanksAndSign(const char*& p, const char* end) {
  while (p != end && *p == ' ') ++p;
  if (p != end && (*p == '+' || *p == '-')) return *p++ == '-';
  return false;
}


// Adds the run of digits at p to the significand, eight at a time. False when
// the significand would pass 19 digits; p then stands at the eight digits that
// did not fit.
bool GatherDigits(const char*& p, const char* limit, std::uint64_t& significand, int& digits) {
  for (;;) {
    const std::uint64_t word = LoadEight(p, limit);
    const int count = LeadingDigits(word);
    if (digits + count > kFastDigits) return false;
    if (count != 0) significand = significand * kPow10U64[count] + DigitsValue(word, count);
    digits += count;
    if (count < 8) {
      p += count;
      return true;
    }
    p += 8;  // a constant step, so that the next load need not wait for the count
  }
}

}  // namespace

std::int32_t StrToIntOrZero(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = SkipBlanksAndSign(p, end);
  if (p == end) return 0;

  bool hex = false;
  if (*p == '$' || *p == 'x' || *p == 'X') {
    hex = true;
    ++p;
  } else if (*p == '0' && end - p >= 2 && (p[1] == 'x' || p[1] == 'X')) {
    hex = true;
    p += 2;
  }
  if (p == end) return 0;

  if (hex) {
    if (end - p > 8) return 0;
    std::uint32_t pattern = 0;
    for (; p != end; ++p) {
      const int digit = HexDigitValue(*p);
      if (digit < 0) return 0;
      pattern = (pattern << 4) | static_cast<std::uint32_t>(digit);
    }
    if (negative) pattern = 0u - pattern;
    return static_cast<std::int32_t>(pattern);  // the 32-bit pattern as it stands
  }

  std::uint64_t magnitude = 0;
  for (; p != end; ++p) {
    const unsigned digit = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
    if (digit > 9) return 0;
    magnitude = magnitude * 10 + digit;
    if (magnitude > 2147483648ull) return 0;
  }
  if (negative) return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
  if (magnitude > 2147483647ull) return 0;
  return static_cast<std::int32_t>(magnitude);
}

double StrToFloatOrZeroByDigits(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = SkipBlanksAndSign(p, end);

  // Mantissa: digits with at most one point. Up to 19 significant digits are
  // gathered into an integer on the way; zeros after the last non-zero digit
  // are only counted, so that 1200 or 1.50 stay short.
  const char* const mantissaBegin = p;
  std::uint64_t significand = 0;
  int significantDigits = 0;
  std::int64_t pendingZeros = 0;
  std::int64_t fractionDigits = 0;
  bool point = false;
  bool fits = true;
  for (; p != end; ++p) {
    const char c = *p;
    if (c == '.') {
      if (point) return 0.0;
      point = true;
      continue;
    }
    const unsigned digit = static_cast<unsigned char>(c) - static_cast<unsigned>('0');
    if (digit > 9) break;
    if (point) ++fractionDigits;
    if (digit == 0) {
      if (significantDigits != 0) ++pendingZeros;
      continue;
    }
    if (!fits) continue;
    if (significantDigits + pendingZeros >= kFastDigits) {
      fits = false;
      continue;
    }
    significand = significand * kPow10U64[pendingZeros + 1] + digit;
    significantDigits += static_cast<int>(pendingZeros) + 1;
    pendingZeros = 0;
  }
  const char* const mantissaEnd = p;
  if (mantissaEnd == mantissaBegin) return 0.0;

  // Optional exponent: "E" or "e", an optional sign, at least one digit.
  std::int64_t exponent = 0;
  if (p != end && (*p == 'E' || *p == 'e')) {
    ++p;
    bool negativeExponent = false;
    if (p != end && (*p == '+' || *p == '-')) {
      negativeExponent = *p == '-';
      ++p;
    }
    if (p == end) return 0.0;
    for (; p != end; ++p) {
      const unsigned digit = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
      if (digit > 9) return 0.0;
      if (exponent < kExponentCap) exponent = exponent * 10 + digit;
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (p != end) return 0.0;
  if (significand == 0 && fits) return 0.0;

  double magnitude;
  if (fits) {
    const std::int64_t scale = exponent - fractionDigits + pendingZeros;
    if (scale >= 0 && scale <= kExactPow10Max) {
      // One operation on exact operands: correctly rounded in extended.
      magnitude = static_cast<double>(static_cast<Extended>(significand) * kExactPow10[scale]);
    } else if (scale < 0 && scale >= -kExactPow10Max) {
      magnitude = static_cast<double>(static_cast<Extended>(significand) / kExactPow10[-scale]);
    } else {
      magnitude = ExactDecimalToDouble(BigUnsigned(significand), significantDigits, scale);
    }
  } else {
    magnitude = LongDecimalToDouble(std::string_view(mantissaBegin, static_cast<std::size_t>(mantissaEnd - mantissaBegin)),
                                    exponent);
  }
  if (magnitude == 0.0) return 0.0;
  return negative ? -magnitude : magnitude;
}

DecimalScan ScanDecimalByRuns(const char* p, const char* limit) {
  const char* q = p;
  bool negative = false;
  if (q != limit && (*q == '-' || *q == '+')) negative = *q++ == '-';

  // Digits with at most one point; leading and trailing zeros count among the
  // 19 digits here.
  std::uint64_t significand = 0;
  int digits = 0;
  if (!GatherDigits(q, limit, significand, digits)) return DecimalScan{q, 0.0, false};
  const int integerDigits = digits;
  bool point = false;
  if (q != limit && *q == '.') {
    point = true;
    ++q;
    if (!GatherDigits(q, limit, significand, digits)) return DecimalScan{q, 0.0, false};
  }
  const bool mantissa = digits > 0 || point;

  // Optional exponent: "E" or "e", an optional sign, at least one digit.
  int exponent = 0;
  if (q != limit && (*q == 'E' || *q == 'e')) {
    ++q;
    bool negativeExponent = false;
    if (q != limit && (*q == '+' || *q == '-')) negativeExponent = *q++ == '-';
    const char* const exponentDigits = q;
    for (; q != limit && static_cast<unsigned char>(*q - '0') <= 9; ++q) {
      if (q - exponentDigits == 4) return DecimalScan{q, 0.0, false};  // far beyond the short path
      exponent = exponent * 10 + (*q - '0');
    }
    if (q == exponentDigits) return DecimalScan{q, 0.0, true};  // no exponent digit: malformed
    if (negativeExponent) exponent = -exponent;
  }
  // No digit and no point (a sign alone, or nothing) is malformed; zero has
  // no sign.
  if (!mantissa || significand == 0) return DecimalScan{q, 0.0, true};

  // One operation on exact operands (at most 19 digits, a power of ten that
  // an extended value holds): correctly rounded in extended, then to double.
  const int scale = exponent - (digits - integerDigits);
  double magnitude;
  if (scale >= 0 && scale <= kExactPow10Max) {
    magnitude = static_cast<double>(static_cast<Extended>(significand) * kExactPow10[scale]);
  } else if (scale < 0 && scale >= -kExactPow10Max) {
    magnitude = static_cast<double>(static_cast<Extended>(significand) / kExactPow10[-scale]);
  } else {
    return DecimalScan{q, 0.0, false};
  }
  return DecimalScan{q, negative ? -magnitude : magnitude, true};
}

double StrToFloatOrZero(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && *p == ' ') ++p;
  const DecimalScan scan = ScanDecimal(p, end);
  if (scan.Stop == end && scan.Exact) return scan.Value;
  return StrToFloatOrZeroByDigits(text);
}
