#include "preview/EllipseArc.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

double Radians(double degrees) { return degrees * kPi / 180.0; }

}  // namespace

std::array<double, 2> EllipseArc::PointAt(double angleDeg) const {
  const double t = Radians(angleDeg);
  const double tilt = Radians(TiltDeg);
  const double u = Rx * std::cos(t);
  const double v = Ry * std::sin(t);
  return {Cx + u * std::cos(tilt) - v * std::sin(tilt), Cy + u * std::sin(tilt) + v * std::cos(tilt)};
}

Bounds EllipseArc::Extent() const {
  Bounds box;
  constexpr int kSteps = 144;
  for (int i = 0; i <= kSteps; ++i) {
    const auto p = PointAt(StartDeg + SpanDeg * i / kSteps);
    box.Add(p[0], p[1]);
  }
  return box;
}

EllipseArc MakeEllipseArc(double cx, double cy, double radius, double startDeg, double endDeg,
                          double flatness, double tiltDeg) {
  EllipseArc arc;
  arc.Cx = cx;
  arc.Cy = cy;
  arc.Rx = std::fabs(radius);
  arc.Ry = std::fabs(radius * flatness);
  arc.TiltDeg = tiltDeg;
  arc.StartDeg = std::fmod(startDeg, 360.0);
  if (arc.StartDeg < 0) arc.StartDeg += 360.0;
  const double span = endDeg - startDeg;
  if (span >= 360.0) {
    arc.Full = true;
    arc.SpanDeg = 360.0;
    return arc;
  }
  double reduced = std::fmod(span, 360.0);
  if (reduced < 0) reduced += 360.0;
  if (reduced == 0.0) {
    arc.Full = true;
    arc.SpanDeg = 360.0;
  } else {
    arc.Full = false;
    arc.SpanDeg = reduced;
  }
  return arc;
}
