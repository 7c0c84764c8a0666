#include "helpers/DecimalExpansion.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "helpers/BigUnsigned.h"
#include "helpers/DecimalDigits.h"
#include "helpers/Extended.h"

namespace {

void StripTrailingZeros(DecimalNumber& number) {
  const std::size_t last = number.Digits.find_last_not_of('0');
  number.Digits.resize(last == std::string::npos ? 0 : last + 1);
}

// Keeps the first `keep` digits (none when keep <= 0) and rounds half away
// from zero on what was dropped. A carry out of the first digit gives "1" one
// place higher.
void KeepDigits(DecimalNumber& number, long keep) {
  if (keep >= static_cast<long>(number.Digits.size())) return;
  if (keep < 0) {
    number.Digits.clear();
    return;
  }
  const bool up = number.Digits[static_cast<std::size_t>(keep)] >= '5';
  number.Digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    while (!number.Digits.empty() && number.Digits.back() == '9') number.Digits.pop_back();
    if (number.Digits.empty()) {
      number.Digits = "1";
      ++number.Exponent;
    } else {
      ++number.Digits.back();
    }
  }
  StripTrailingZeros(number);
}

}  // namespace

DecimalNumber ExactDecimal(double value) {
  DecimalNumber number;
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  number.Negative = (bits >> 63) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent;  // value = significand * 2^exponent
  if (biased == 0) {
    exponent = -1074;
  } else {
    significand |= std::uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  if (significand == 0) return number;
  const int zeros = std::countr_zero(significand);
  significand >>= zeros;
  exponent += zeros;

  if (exponent >= 0 && exponent <= 63 - static_cast<int>(std::bit_width(significand))) {
    // A whole number that fits 64 bits.
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, significand << exponent).ptr;
    number.Digits.assign(buffer, end);
    number.Exponent = static_cast<int>(number.Digits.size());
  } else if (exponent >= 0) {
    BigUnsigned whole(significand);
    whole.ShiftLeft(exponent);
    number.Digits = whole.ToDecimal();
    number.Exponent = static_cast<int>(number.Digits.size());
  } else {
    // significand / 2^k = significand * 5^k / 10^k.
    BigUnsigned scaled(significand);
    scaled.MulPow5(-exponent);
    number.Digits = scaled.ToDecimal();
    number.Exponent = static_cast<int>(number.Digits.size()) + exponent;
  }
  StripTrailingZeros(number);
  return number;
}

void RoundToSignificant(DecimalNumber& number, int count) { KeepDigits(number, count); }

void RoundToDecimals(DecimalNumber& number, int decimals) {
  if (number.Digits.empty()) return;
  KeepDigits(number, static_cast<long>(number.Exponent) + decimals);
}

namespace {

// 10^(27 j) for j = -12..12 rounded to extended (the compiler rounds the
// literals correctly): with an exact power of ten up to 10^27, they bring
// every double to 15 digits before the point.
constexpr int kPowerStep = 27;
constexpr int kStepsEachWay = 12;
constexpr Extended kPow10Steps[2 * kStepsEachWay + 1] = {
    1e-324L, 1e-297L, 1e-270L, 1e-243L, 1e-216L, 1e-189L, 1e-162L, 1e-135L, 1e-108L, 1e-81L, 1e-54L, 1e-27L, 1.0L,
    1e27L,   1e54L,   1e81L,   1e108L,  1e135L,  1e162L,  1e189L,  1e216L,  1e243L,  1e270L,  1e297L, 1e324L};

// value * 10^shift in extended, |shift| <= 12 * 27 + 27, with three
// roundings at most: the power 10^(27 j), the product, and the exact power
// of ten that does the rest.
Extended ScaledByPow10(Extended value, int shift) {
  using decimal_digits::kExactPow10;
  const int steps = shift / kPowerStep;  // toward zero
  const int rest = shift - steps * kPowerStep;
  if (steps != 0) value *= kPow10Steps[steps + kStepsEachWay];
  return rest >= 0 ? value * kExactPow10[rest] : value / kExactPow10[-rest];
}

}  // namespace

DecimalNumber RoundedDecimal(double value, int count) {
  const auto exact = [value, count] {
    DecimalNumber number = ExactDecimal(value);
    RoundToSignificant(number, count);
    return number;
  };
  // Zero has no digits to scale; the exact way gives it at once.
  if (!std::isfinite(value) || value == 0 || count < 1 || count > 15) return exact();
  const Extended magnitude = std::fabs(static_cast<Extended>(value));

  // The number of digits before the point, first from the binary exponent
  // (log10 2 = 0.30103), then set right by the scaled value itself.
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const int binaryExponent =
      biased != 0 ? biased - 1023 : -1075 + static_cast<int>(std::bit_width(bits & ((std::uint64_t{1} << 52) - 1)));
  int exponent = (binaryExponent * 1233 >> 12) + 1;  // 1233 / 4096 is just above log10 2
  Extended scaled = 0;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 3) return exact();
    // Below 10^15 < 2^50 and off by at most three roundings of 2^-64 each:
    // within 2^-14 * 3 (about 0.0002) of the exact product.
    scaled = ScaledByPow10(magnitude, count - exponent);
    if (scaled < decimal_digits::kExactPow10[count - 1]) {
      --exponent;
    } else if (scaled >= decimal_digits::kExactPow10[count]) {
      ++exponent;
    } else {
      break;
    }
  }
  const auto whole = static_cast<std::uint64_t>(scaled);  // below 10^15: cut to the integer part
  const Extended fraction = scaled - static_cast<Extended>(whole);  // exact
  // Within 10^-3 of a half, the rounding error could decide the digit.
  if (fraction > 0.5L - 1e-3L && fraction < 0.5L + 1e-3L) return exact();
  auto digits = whole + (fraction > 0.5L ? 1 : 0);
  if (digits == decimal_digits::kPow10U64[count]) {
    // Rounded up to the next power of ten: one digit, one place higher.
    digits = decimal_digits::kPow10U64[count - 1];
    ++exponent;
  }
  DecimalNumber number;
  number.Negative = std::signbit(value);
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, digits).ptr;
  number.Digits.assign(buffer, end);
  number.Exponent = exponent;
  StripTrailingZeros(number);
  return number;
}
