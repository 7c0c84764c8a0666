#include "dimension/PlanePoint.h"

#include <cmath>

#include "helpers/ExtendedTrig.h"
#include "helpers/Geometry.h"

PlanePoint RotateAboutDeg(PlanePoint p, PlanePoint centre, double angleDeg) {
  PlanePoint out;
  RotatePointDeg(p.X, p.Y, centre.X, centre.Y, angleDeg, out.X, out.Y);
  return out;
}

PlanePoint PointTowards(PlanePoint from, Extended length, Extended angleDeg) {
  Extended sine, cosine;
  SinCosExtended(DegToRad(angleDeg), sine, cosine);
  return PlanePoint{static_cast<double>(from.X + length * cosine),
                    static_cast<double>(from.Y + length * sine)};
}
