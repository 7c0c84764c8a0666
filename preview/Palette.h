#pragma once
// How the preview shows the host's pen colours, line types and line widths.
//
// Pen colours (the numbers of the "lc" lines), on a white sheet:
//   1 light blue  #00a0e0     6 blue       #0000e0
//   2 black       #000000     7 dark grey  #505050
//   3 green       #00a000     8 red        #e00000
//   4 yellow      #c8a000     9 grey       #909090
//   5 magenta     #e000c0
// Colour 10 is the host's free colour of solids: its extended number (the
// second value of an "lc10" line) is a 24-bit colour with red in the lowest
// byte, green in the next and blue in the third. Every other number (0 and
// the numbers above 10) shows as black.
// Yellow is darkened so that it stays readable on white.
//
// Line types (the numbers of the "lt" lines), as dash patterns in picture
// pixels (dash, gap, dash, gap, ...):
//   1 solid
//   2 dashed                 8 4
//   3 short dashed           4 3
//   4 dotted                 1.5 2.5
//   5 dash-dot               12 3 1.5 3
//   6 long dash-dot          20 3 1.5 3
//   7 dash-dot-dot           12 3 1.5 3 1.5 3
//   8 long dash-dot-dot      20 3 1.5 3 1.5 3
//   9 auxiliary line         1 3
// Every other number draws solid.
//
// Line widths (the numbers of the "lw" lines): 0 is the thin line of one
// picture pixel; 1 to 6 are that many pixels; larger numbers are capped at 6
// pixels so that no line swamps the picture.
#include <cstdint>
#include <string>
#include <vector>

// The host file drawn underneath ("--before") takes this colour throughout.
inline constexpr const char* kUnderlayColour = "#b4b4b4";
// Picked points are marked in this colour whatever file they come from.
inline constexpr const char* kPickedPointColour = "#d00070";
// The stored chain of a settings file is drawn in this colour.
inline constexpr const char* kChainColour = "#ff8c00";

// "#rrggbb" for a pen colour number; `extended` is used for colour 10 only.
std::string PenColour(std::int32_t colour, std::int32_t extended = 0);

// Dash pattern in picture pixels; empty for a solid line.
const std::vector<double>& LineTypeDashes(std::int32_t lineType);

// Stroke width in picture pixels.
double LineWidthPixels(std::int32_t lineWidth);
