#pragma once
// The exact decimal value of a double, and decimal rounding on it. A double
// is an integer times a power of two, so its decimal expansion is finite; the
// text forms of reals start from it instead of from binary approximations.
#include <string>

struct DecimalNumber {
  bool Negative = false;
  // Significant digits without leading or trailing zeros; empty for zero.
  std::string Digits;
  // The value is 0.Digits times 10^Exponent.
  int Exponent = 0;
};

// The exact decimal value of a finite double (-0 gives a negative zero).
DecimalNumber ExactDecimal(double value);

// Rounds to at most `count` significant digits, half away from zero.
void RoundToSignificant(DecimalNumber& number, int count);

// ExactDecimal(value) rounded to at most `count` (1 to 15) significant
// digits, half away from zero, as RoundToSignificant does. Most values are
// scaled by a power of ten in extended precision instead: a few roundings
// that are far too small to move a digit unless the value lies within a hair
// of a halfway point, and those few take the exact way.
DecimalNumber RoundedDecimal(double value, int count);

// Rounds to a multiple of 10^-decimals, half away from zero.
void RoundToDecimals(DecimalNumber& number, int decimals);
