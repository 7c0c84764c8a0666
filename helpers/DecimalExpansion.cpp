#include "helpers/DecimalExpansion.h"

#include <bit>
#include <charconv>
#include <cstdint>

#include "helpers/BigUnsigned.h"

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
