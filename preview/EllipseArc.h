#pragma once
// Circles, arcs, ellipses and elliptic arcs in the host's seven-value form:
// centre x, centre y, radius, start angle, end angle, flatness (minor axis
// over major axis), tilt of the major axis; angles in degrees.
//
// The arc runs counter-clockwise from the start angle to the end angle. The
// angles are taken on the circle before it is flattened, so a point of the
// arc at angle t is centre + tilt-rotation of (r cos t, r * flatness * sin t).
// An arc whose span is zero or at least 360 degrees is the whole ellipse.
#include <array>

#include "preview/Bounds.h"

struct EllipseArc {
  double Cx = 0, Cy = 0;
  double Rx = 0, Ry = 0;  // semi-axes along and across the major axis
  double TiltDeg = 0;
  double StartDeg = 0;
  double SpanDeg = 360;  // in (0, 360]
  bool Full = true;

  std::array<double, 2> PointAt(double angleDeg) const;
  // The box of the drawn curve (sampled finely enough for fitting a picture).
  Bounds Extent() const;
};

// Builds the arc from the seven values. A negative radius or flatness counts
// by its size.
EllipseArc MakeEllipseArc(double cx, double cy, double radius, double startDeg, double endDeg,
                          double flatness, double tiltDeg);
