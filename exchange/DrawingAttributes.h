#pragma once
// The attributes that the host and the program name with their own lines
// (layer group, layer, colour, line type, line width, text style, cc code,
// font, point colour). One record serves three times: the host's attributes
// when it started the program, the reader's running ones, and what the writer
// last wrote.
#include <cstdint>
#include <string>
#include <utility>

struct HostTextStyle {
  double Width = 0;    // character width, paper mm
  double Height = 0;   // character height, paper mm
  double Spacing = 0;  // gap between characters, paper mm
  std::int32_t Colour = 0;
};

struct DrawingAttributes {
  std::int32_t Group = 0;
  std::int32_t Layer = 0;
  std::int32_t Colour = 0;
  std::int32_t LineType = 0;
  std::int32_t LineWidth = 0;
  std::int32_t TextStyle = 0;  // 0 free (FreeText), 1-10 the host's styles
  HostTextStyle FreeText;
  std::int32_t TextCc = 0;  // 0-8
  std::string FontName;
  std::int32_t PointColour = 0;
  std::int32_t ExtendedColour = 0;  // the number of colour 10, as the host gave it
};

// Attributes whose line has not come yet (the reader: the host's value is
// still the default; the writer: not yet written since ResetOutputAttributes).
enum AttributeSlot : int {
  kPendingGroup = 0,
  kPendingLayer = 1,
  kPendingColour = 2,
  kPendingLineType = 3,
  kPendingLineWidth = 4,
  kPendingTextStyle = 5,
  kPendingTextCc = 6,
  kPendingFontName = 7,
  kPendingPointColour = 8,
};
// The reader watches the first six; the writer all nine.
inline constexpr int kHostAttributeSlots = 6;
inline constexpr int kAttributeSlots = 9;

// The attributes before any line names them: layer group 0, layer 0, colour 1,
// line type 1, width 0, text style 1 with a free size of 2 by 2 mm, no
// spacing, colour 1, cc 0, point colour 1, extended colour 0, and the font
// `fontName`: the host's own font stays empty until it names one; the running
// attributes start with the host's usual font.
inline DrawingAttributes DefaultAttributes(std::string fontName = {}) {
  DrawingAttributes a;
  a.Group = 0;
  a.Layer = 0;
  a.Colour = 1;
  a.LineType = 1;
  a.LineWidth = 0;
  a.TextStyle = 1;
  a.FreeText = HostTextStyle{2.0, 2.0, 0.0, 1};
  a.TextCc = 0;
  a.FontName = std::move(fontName);
  a.PointColour = 1;
  a.ExtendedColour = 0;
  return a;
}

// The font the running attributes start with.
inline constexpr const char* kDefaultFontName = "<ＭＳ ゴシック>";

inline DrawingAttributes DefaultRunningAttributes() { return DefaultAttributes(kDefaultFontName); }
