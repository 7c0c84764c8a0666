#pragma once
// The dimension value: the text style it is drawn in, its text and its width
// on paper.
#include <cstdint>
#include <string>

#include "exchange/HostState.h"

// The text style chosen for the value.
struct ValueStyle {
  std::int32_t Number = 0;  // 0 the free size, 1-10 host text style No1-No10
  double Width = 0;         // paper mm
  double Height = 0;        // paper mm
  double Spacing = 0;       // paper mm
  std::int32_t Colour = 0;
};

// TextStyle 0 takes the host's current style (its free size when that is 0,
// style 1 when its number is outside 1..10); 1-10 take host style No1-No10.
ValueStyle SelectValueStyle(std::int32_t textStyle, const HostState& host);

// How the measured length becomes the value text (the settings of the dialog,
// already checked; blank prefixes and suffixes already emptied).
struct ValueFormat {
  std::int32_t ValueUnit = 0;    // 0 "mm", 1 "ｍ" (the length is divided by 1000)
  std::int32_t Precision = 3;    // number of decimals, 0-8
  std::int32_t Rounding = 2;     // 0 truncate, 1 round up from a tenth, 2 half up
  bool ThousandsCommas = false;
  std::int32_t ZeroDisplay = 0;  // 0: trailing zeros after the point removed
  bool FullWidth = false;        // the number part in full-width characters
  bool AppendUnit = false;
  std::string Prefix;
  std::string Suffix;
};

// The value text of a length in drawing units (which count as millimetres).
std::string MakeValueText(double length, const ValueFormat& format);

// The width of the value text on paper, drawn in the style.
double ValueTextWidth(const std::string& text, const ValueStyle& style);
