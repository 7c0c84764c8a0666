#pragma once
// The shapes of the host's point markers, kinds 1 to 11 of a "pt" line, after
// the captions of the end-mark list: triangle, square, letter O, circle,
// filled square, filled triangle, filled circle, wave, chevron, slash and
// triangle again.
//
// A shape is given in marker units: one unit is one paper millimetre at the
// marker's scale 1 (the renderer multiplies by the scale and the layer
// group's scale). Its x axis runs along the marker's angle, which for an end
// mark points out of the dimension line; the arrow-like marks (triangles and
// chevron) have their tip at the point and lie back along -x, the others are
// centred on the point. Their extent along x is the reach the construction
// allows for their end mark kind (EndMarkKinds).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct MarkerShape {
  enum class Form { kPolygon, kPolyline, kEllipse, kPath };
  Form Shape = Form::kPolygon;
  bool Filled = false;
  std::vector<std::array<double, 2>> Points;  // polygon and polyline
  double Rx = 0, Ry = 0;                      // ellipse about the point
  std::string PathData;                       // path, in marker units
};

struct PointMarker {
  std::int32_t Kind = 0;
  const char* Name = "";  // "triangle", "square", ...
  std::vector<MarkerShape> Shapes;
};

// The marker of a kind 1-11; nullptr for any other kind (the renderer draws
// those as a plain point).
const PointMarker* FindPointMarker(std::int32_t kind);
