#include "dimension/ValueText.h"

#include <stdexcept>
#include <string>

#include "helpers/Extended.h"
#include "helpers/NumberFormat.h"
#include "helpers/Rounding.h"
#include "helpers/Sjis.h"

ValueStyle SelectValueStyle(TextStyleChoice textStyle, const HostState& host) {
  std::int32_t n = HostStyleNumber(textStyle);
  if (textStyle == TextStyleChoice::HostsCurrent) {
    n = host.Initial.TextStyle;
    if (n == 0) {
      const HostTextStyle& free = host.Initial.FreeText;
      return ValueStyle{0, free.Width, free.Height, free.Spacing, free.Colour};
    }
  }
  // The host's own number can lie outside the ten styles; the checked dialog
  // value never does, but both fall back to style 1 rather than read past the
  // table.
  if (n < 1 || n > kHostTextStyles) n = 1;
  const HostTextStyle& style = host.TextStyles[static_cast<std::size_t>(n - 1)];
  return ValueStyle{n, style.Width, style.Height, style.Spacing, style.Colour};
}

namespace {

// Removes the zeros after the decimal point that carry nothing, and the point
// itself when only zeros follow it. Zeros before the point stay.
std::string DropTrailingZeros(const std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return text;
  std::size_t cut = std::string::npos;
  for (std::size_t i = text.size(); i-- > point;) {
    if (text[i] != '0' && text[i] != '.') break;
    cut = i;
  }
  return cut == std::string::npos ? text : text.substr(0, cut);
}

}  // namespace

std::string MakeValueText(double length, const ValueFormat& format) {
  if (format.Precision < 0 || format.Precision > kMaxDecimals)
    throw std::out_of_range("value precision " + std::to_string(format.Precision));
  double value = length;
  if (format.Unit == ValueUnit::Metre) value = static_cast<double>(static_cast<Extended>(value) / 1000.0L);
  const int decimals = format.Precision;
  value = RoundDigits(decimals, format.Rounding, value);

  std::string text = format.ThousandsCommas ? FormatGrouped(decimals, value)
                                            : FormatFixed(decimals, value);
  if (format.Zeros == ZeroDisplay::Drop) text = DropTrailingZeros(text);
  if (format.FullWidth) text = ToFullWidth(text);

  text = format.Prefix + text;
  if (format.AppendUnit) text += format.Unit == ValueUnit::Millimetre ? "mm" : "ｍ";
  text += format.Suffix;
  return text;
}

double ValueTextWidth(const std::string& text, const ValueStyle& style) {
  return SjisTextWidth(text, style.Width, style.Spacing);
}
