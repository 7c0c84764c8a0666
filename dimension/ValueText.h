#pragma once
// The dimension value: the text style it is drawn in, its text and its width
// on paper.
#include <cstdint>
#include <string>

#include "dialog/ValueChoices.h"
#include "exchange/HostState.h"
#include "helpers/Rounding.h"

// The text style chosen for the value.
struct ValueStyle {
  std::int32_t Number = 0;  // 0 the free size, 1-10 host text style No1-No10
  double Width = 0;         // paper mm
  double Height = 0;        // paper mm
  double Spacing = 0;       // paper mm
  std::int32_t Colour = 0;
};

// The host's current style (its free size when that is 0, style 1 when its
// number is outside 1..10), or host style No1-No10.
ValueStyle SelectValueStyle(TextStyleChoice textStyle, const HostState& host);

// How the measured length becomes the value text: the settings of the
// dialog, already checked (blank prefixes and suffixes already emptied).
// Their defaults are the dialog's, in the settings table.
struct ValueFormat {
  ValueUnit Unit = ValueUnit::Millimetre;
  std::int32_t Precision = 0;  // number of decimals, 0 to kMaxDecimals
  RoundingMode Rounding = RoundingMode::Truncate;
  bool ThousandsCommas = false;
  ZeroDisplay Zeros = ZeroDisplay::Drop;
  bool FullWidth = false;  // the number part in full-width characters
  bool AppendUnit = false;
  std::string Prefix;
  std::string Suffix;
};

// The value text of a length in drawing units (which count as millimetres).
// A precision outside 0 to kMaxDecimals is a fault of the caller (the dialog
// offers no other) and throws std::out_of_range.
std::string MakeValueText(double length, const ValueFormat& format);

// The width of the value text on paper, drawn in the style.
double ValueTextWidth(const std::string& text, const ValueStyle& style);
