#include "helpers/Geometry.h"

#include <cmath>

#include "helpers/ExtendedTrig.h"
#include "helpers/Rounding.h"

namespace {

constexpr Extended kFullTurnDeg = 360.0L;
constexpr Extended kHalfTurnDeg = 180.0L;

}  // namespace

double Distance(double x1, double y1, double x2, double y2) {
  const Extended dx = static_cast<Extended>(x2) - x1;
  const Extended dy = static_cast<Extended>(y2) - y1;
  return static_cast<double>(std::sqrt(dx * dx + dy * dy));
}

double VectorAngle(double dx, double dy) {
  if (std::fabs(static_cast<Extended>(dx)) < kTolerance && std::fabs(static_cast<Extended>(dy)) < kTolerance)
    return 0.0;
  double a = static_cast<double>(std::atan2(static_cast<Extended>(dy), static_cast<Extended>(dx)));
  if (a < 0) a = static_cast<double>(a + kTwoPi);
  return a;
}

double VectorAngleDeg(double dx, double dy) {
  const double degrees = static_cast<double>(VectorAngle(dx, dy) * kHalfTurnDeg / kPi);
  return RoundNoise(degrees);
}

double NormalizeDeg(double a) {
  double t = std::fabs(a);
  if (t >= kFullTurnDeg) t = static_cast<double>(t - std::trunc(t / kFullTurnDeg) * kFullTurnDeg);
  if (a < 0) t = -t;
  if (t < 0) t = static_cast<double>(t + kFullTurnDeg);
  if (t >= kFullTurnDeg) t = static_cast<double>(t - kFullTurnDeg);
  return t;
}

void RotatePoint(double x, double y, double cx, double cy, double angle, double& outX, double& outY) {
  Extended s, c;
  SinCosExtended(angle, s, c);
  const Extended dx = static_cast<Extended>(x) - cx;
  const Extended dy = static_cast<Extended>(y) - cy;
  outX = static_cast<double>(cx + c * dx - s * dy);
  outY = static_cast<double>(cy + s * dx + c * dy);
}

void RotatePointDeg(double x, double y, double cx, double cy, double angleDeg, double& outX, double& outY) {
  const double angle = static_cast<double>(DegToRad(angleDeg));
  RotatePoint(x, y, cx, cy, angle, outX, outY);
}
