#pragma once
// Reading numbers out of text with a silent zero fallback. Both parsers follow
// their grammar exactly and do not depend on the C locale.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "helpers/DecimalDigits.h"

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
inline DecimalScan ScanDecimal(const char* p, const char* limit);

// ScanDecimal for digit runs of any length, eight digits at a time; the
// common shapes take the loop-free way of ScanDecimal below.
DecimalScan ScanDecimalByRuns(const char* p, const char* limit);

// The shape the host writes nearly always is read without loops when the
// bytes it reads are there: a sign or none, 1 to 7 integer digits, then either
// nothing more or a point and 1 to 15 digits, 16 digits in all at most, no
// exponent. It is inline, as the exchange reader calls it for nearly every
// token.
[[gnu::always_inline]] inline DecimalScan ScanDecimal(const char* p, const char* limit) {
  using namespace decimal_digits;
  // A sign, then the words read from after it: the integer digits with the
  // point, the 16 digits without it, and the byte after them.
  constexpr std::ptrdiff_t kQuickBytes = 1 + 8 + 16;
  if (limit - p >= kQuickBytes) {
    const char first = *p;
    const std::uint64_t negative = first == '-';
    const char* const q = p + ((first == '-') | (first == '+'));
    const std::uint64_t w0 = Word(q);
    const int k0 = std::countr_zero(NonDigits(w0)) >> 3;
    if (k0 != 0 && k0 != 8) {
      const unsigned after = static_cast<unsigned>(w0 >> (8 * k0)) & 0xFFu;
      if (after == '.') {
        // The digits without the point, in up to two words: the first holds
        // the integer digits and then the fraction digits, moved one byte
        // down over the point; the second the eight bytes after those.
        const std::uint64_t integerBytes = (std::uint64_t{1} << (8 * k0)) - 1;
        const std::uint64_t head = (w0 & integerBytes) | (Word(q + 1) & ~integerBytes);
        const std::uint64_t headNonDigits = NonDigits(head);
        int digits;
        std::uint64_t significand;
        if (headNonDigits != 0) {
          digits = std::countr_zero(headNonDigits) >> 3;
          significand = DigitsValue(head, digits);
        } else {
          const std::uint64_t tail = Word(q + 9);
          const int more = std::countr_zero(NonDigits(tail)) >> 3;
          digits = 8 + more;
          significand = DigitsValue(head, 8) * kPow10U64[more] + DigitsValue(tail, more);
        }
        const int fractionDigits = digits - k0;
        const char* const stop = q + digits + 1;
        const unsigned next = static_cast<unsigned char>(*stop);
        // A seventeenth digit or an exponent is beyond this way.
        if (fractionDigits != 0 && next - '0' > 9u && (next | 0x20u) != 'e') {
          if (significand == 0) return DecimalScan{stop, 0.0, true};  // zero has no sign
          // One division of exact operands (under 10^16, and a power of ten
          // that an extended value holds): correctly rounded in extended.
          const double magnitude = static_cast<double>(
              static_cast<Extended>(static_cast<std::int64_t>(significand)) / kExactPow10[fractionDigits]);
          return DecimalScan{stop, WithSign(magnitude, negative), true};
        }
      } else if ((after | 0x20u) != 'e') {
        // An integer of at most 7 digits is a double as it stands.
        const std::uint64_t integer = DigitsValue(w0, k0);
        const double magnitude = static_cast<double>(static_cast<std::int64_t>(integer));
        return DecimalScan{q + k0, WithSign(magnitude, negative & (integer != 0)), true};
      }
    }
  }
  return ScanDecimalByRuns(p, limit);
}
