#pragma once
// Text forms of reals: fixed decimals (the dimension value) and the general
// number form (output commands and the settings file). Our own code: no
// locale, no printf rounding. NaN and infinity, which a sound run never
// produces, show as zero.
#include <string>

// Exactly `decimals` digits after ".", the value taken to 18 significant
// digits and then rounded half away from zero at the last shown digit. A value
// that shows as zero has no sign. decimals outside 0..18 are clamped.
std::string FormatFixed(int decimals, double value);
// As FormatFixed, with the integer part grouped in threes by ",".
std::string FormatGrouped(int decimals, double value);

// The general number form G(v): rounded once to 15 significant digits (half
// away from zero), no trailing zeros, fixed notation for 0.0001 <= |v| < 1e15,
// otherwise "E" notation without "+". Zero (and -0) is "0".
std::string FormatGeneral(double value);
// The same form, appended to `text` (no text of its own to allocate).
void AppendGeneral(std::string& text, double value);
