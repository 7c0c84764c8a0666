#pragma once
// The program's two rounding rules.

// Round to the nearest multiple of 1e-10, ties away from zero.
double RoundNoise(double x);

// Round to `digits` decimals (1..13; any other value rounds to an integer) by
// mode: 0 truncates, 1 rounds up from one tenth of the last digit, anything
// else rounds half away from zero.
double RoundDigits(int digits, int mode, double x);

// The modes of RoundDigits by name.
enum class RoundingMode : int {
  Truncate = 0,          // drop what lies beyond the last digit
  UpFromTenth = 1,       // round up from one tenth of the last digit
  HalfAwayFromZero = 2,  // round half away from zero
};
inline double RoundDigits(int digits, RoundingMode mode, double x) {
  return RoundDigits(digits, static_cast<int>(mode), x);
}
