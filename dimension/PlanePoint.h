#pragma once
// A point of the drawing, in drawing units, and the rotations and directions
// that the construction of a dimension uses.
#include "helpers/Extended.h"

struct PlanePoint {
  double X = 0;
  double Y = 0;
};

// Turns p about the centre counter-clockwise by the angle in degrees
// (RotatePointDeg).
PlanePoint RotateAboutDeg(PlanePoint p, PlanePoint centre, double angleDeg);

// from + length * (cos angle, sin angle), with the angle in degrees taken to
// radians in extended precision; the result is rounded to double once.
PlanePoint PointTowards(PlanePoint from, Extended length, Extended angleDeg);
