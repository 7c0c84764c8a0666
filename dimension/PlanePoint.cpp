#include "dimension/PlanePoint.h"

#include <cmath>

#include "helpers/Geometry.h"

PlanePoint RotateAboutDeg(PlanePoint p, PlanePoint centre, double angleDeg) {
  PlanePoint out;
  RotatePointDeg(p.X, p.Y, centre.X, centre.Y, angleDeg, out.X, out.Y);
  return out;
}

PlanePoint PointTowards(PlanePoint from, Extended length, Extended angleDeg) {
  const Extended radians = DegToRad(angleDeg);
  return PlanePoint{static_cast<double>(from.X + length * std::cos(radians)),
                    static_cast<double>(from.Y + length * std::sin(radians))};
}
