#include "helpers/Rounding.h"

#include <cmath>

#include "helpers/Extended.h"

namespace {

// Decimal scales for 1 to 13 digits, as doubles.
constexpr double kDigitScales[] = {1.0,  1e1, 1e2, 1e3,  1e4,  1e5,  1e6,
                                   1e7,  1e8, 1e9, 1e10, 1e11, 1e12, 1e13};
constexpr int kMaxDigits = 13;

// Added before truncation by the rounding-up mode: the value moves up only
// when the dropped part is at least a tenth of the last kept digit.
constexpr Extended kRoundUpOffset = 0.9L;
constexpr Extended kHalf = 0.5L;

}  // namespace

double RoundNoise(double x) {
  // A division by the extended constant, not a multiplication by 1e10: the
  // two differ in the last bits.
  Extended q = std::fabs(static_cast<Extended>(x)) / kTolerance;
  q = std::trunc(q + kHalf);
  const double r = static_cast<double>(q * kTolerance);
  return x >= 0 ? r : -r;
}

double RoundDigits(int digits, int mode, double x) {
  const double scale = (digits >= 1 && digits <= kMaxDigits) ? kDigitScales[digits] : 1.0;
  Extended t = std::fabs(static_cast<Extended>(x)) * scale;
  switch (mode) {
    case 0:
      t = std::trunc(t);
      break;
    case 1:
      t = std::trunc(t + kRoundUpOffset);
      break;
    default:
      t = std::trunc(t + kHalf);
      break;
  }
  const double r = static_cast<double>(t / scale);
  return x >= 0 ? r : -r;
}
