#include "helpers/NumberFormat.h"

#include <algorithm>
#include <cmath>

#include "helpers/DecimalExpansion.h"

namespace {

// Significant digits that the fixed forms take from the exact value before
// rounding at the last shown digit.
constexpr int kFixedSignificant = 18;
constexpr int kMaxDecimals = 18;
// Significant digits of the general number form.
constexpr int kGeneralSignificant = 15;
// The general form is fixed notation for decimal exponents (value written as
// 0.d1d2... times 10^e) from -3 to 15, that is 0.0001 <= |v| < 1e15.
constexpr int kGeneralFixedLow = -3;
constexpr int kGeneralFixedHigh = 15;

// Digit `index` of the number's digits, '0' outside them.
char DigitAt(const DecimalNumber& number, long index) {
  if (index < 0 || index >= static_cast<long>(number.Digits.size())) return '0';
  return number.Digits[static_cast<std::size_t>(index)];
}

std::string FixedText(int decimals, double value, bool grouped) {
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  // NaN and infinity have no decimal value; they show as zero.
  DecimalNumber number = std::isfinite(value) ? ExactDecimal(value) : DecimalNumber{};
  RoundToSignificant(number, kFixedSignificant);
  RoundToDecimals(number, decimals);

  const bool zero = number.Digits.empty();
  const long integerDigits = zero ? 0 : number.Exponent;
  std::string integerPart;
  if (integerDigits <= 0) {
    integerPart = "0";
  } else {
    integerPart.reserve(static_cast<std::size_t>(integerDigits));
    for (long i = 0; i < integerDigits; ++i) integerPart.push_back(DigitAt(number, i));
  }

  std::string text;
  if (!zero && number.Negative) text.push_back('-');
  if (grouped) {
    const std::size_t length = integerPart.size();
    for (std::size_t i = 0; i < length; ++i) {
      if (i != 0 && (length - i) % 3 == 0) text.push_back(',');
      text.push_back(integerPart[i]);
    }
  } else {
    text += integerPart;
  }
  if (decimals > 0) {
    text.push_back('.');
    for (int i = 0; i < decimals; ++i) text.push_back(zero ? '0' : DigitAt(number, integerDigits + i));
  }
  return text;
}

}  // namespace

std::string FormatFixed(int decimals, double value) { return FixedText(decimals, value, false); }

std::string FormatGrouped(int decimals, double value) { return FixedText(decimals, value, true); }

std::string FormatGeneral(double value) {
  std::string text;
  AppendGeneral(text, value);
  return text;
}

void AppendGeneral(std::string& text, double value) {
  // NaN and infinity never reach the output in a sound run; should one slip
  // through, the host gets a harmless zero rather than text it cannot read.
  if (!std::isfinite(value)) {
    text.push_back('0');
    return;
  }
  const DecimalNumber number = RoundedDecimal(value, kGeneralSignificant);
  if (number.Digits.empty()) {
    text.push_back('0');
    return;
  }

  const std::string& digits = number.Digits;
  const int e = number.Exponent;
  if (number.Negative) text.push_back('-');
  if (e >= kGeneralFixedLow && e <= kGeneralFixedHigh) {
    if (e <= 0) {
      text += "0.";
      text.append(static_cast<std::size_t>(-e), '0');
      text += digits;
    } else {
      const std::size_t whole = static_cast<std::size_t>(e);
      text.append(digits, 0, std::min(whole, digits.size()));
      if (digits.size() < whole) {
        text.append(whole - digits.size(), '0');
      } else if (digits.size() > whole) {
        text.push_back('.');
        text.append(digits, whole, std::string::npos);
      }
    }
  } else {
    text.push_back(digits[0]);
    if (digits.size() > 1) {
      text.push_back('.');
      text.append(digits, 1, std::string::npos);
    }
    text.push_back('E');
    text += std::to_string(e - 1);
  }
}
