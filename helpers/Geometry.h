#pragma once
// Plane geometry in drawing units, y growing upwards.
#include "helpers/Extended.h"

double Distance(double x1, double y1, double x2, double y2);

// Direction of (dx, dy) in radians, 0 to 2*pi; 0 for a vector shorter than
// 1e-10 in both components.
double VectorAngle(double dx, double dy);
// The same direction in degrees, noise-rounded (can be 360 for a direction a
// hair below the positive x axis).
double VectorAngleDeg(double dx, double dy);

// The equivalent angle in [0, 360).
double NormalizeDeg(double a);

// Turn (x, y) about (cx, cy) counter-clockwise by `angle` radians.
void RotatePoint(double x, double y, double cx, double cy, double angle,
                 double& outX, double& outY);
// As RotatePoint, with the angle in degrees (converted and rounded to double).
void RotatePointDeg(double x, double y, double cx, double cy, double angleDeg,
                    double& outX, double& outY);

// Degrees to radians in extended precision, not rounded to double: the
// construction takes cosines and sines of degree angles this way.
inline Extended DegToRad(Extended degrees) { return degrees / 180.0L * kPi; }
