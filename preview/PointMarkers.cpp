#include "preview/PointMarkers.h"

#include <vector>

namespace {

// Arrow-like marks: 7.5 long, with the half-width of a 15 degree arrow.
constexpr double kArrowLength = 7.5;
constexpr double kArrowHalfWidth = 2.0;
// Centred marks: 1.25 from the point to their edge.
constexpr double kHalf = 1.25;

MarkerShape Polygon(std::vector<std::array<double, 2>> points, bool filled) {
  MarkerShape shape;
  shape.Shape = MarkerShape::Form::kPolygon;
  shape.Filled = filled;
  shape.Points = std::move(points);
  return shape;
}

MarkerShape Polyline(std::vector<std::array<double, 2>> points) {
  MarkerShape shape;
  shape.Shape = MarkerShape::Form::kPolyline;
  shape.Points = std::move(points);
  return shape;
}

MarkerShape Ellipse(double rx, double ry, bool filled) {
  MarkerShape shape;
  shape.Shape = MarkerShape::Form::kEllipse;
  shape.Filled = filled;
  shape.Rx = rx;
  shape.Ry = ry;
  return shape;
}

MarkerShape Path(std::string data) {
  MarkerShape shape;
  shape.Shape = MarkerShape::Form::kPath;
  shape.PathData = std::move(data);
  return shape;
}

MarkerShape Triangle(bool filled) {
  return Polygon({{0, 0}, {-kArrowLength, kArrowHalfWidth}, {-kArrowLength, -kArrowHalfWidth}},
                 filled);
}

MarkerShape Square(bool filled) {
  return Polygon({{-kHalf, -kHalf}, {kHalf, -kHalf}, {kHalf, kHalf}, {-kHalf, kHalf}}, filled);
}

std::vector<PointMarker> MakeMarkers() {
  std::vector<PointMarker> markers;
  auto add = [&](std::int32_t kind, const char* name, std::vector<MarkerShape> shapes) {
    markers.push_back(PointMarker{kind, name, std::move(shapes)});
  };
  add(1, "triangle", {Triangle(false)});
  add(2, "square", {Square(false)});
  // The letter O is narrower across the line than along it.
  add(3, "letter-o", {Ellipse(kHalf, 0.85, false)});
  add(4, "circle", {Ellipse(kHalf, kHalf, false)});
  add(5, "filled-square", {Square(true)});
  add(6, "filled-triangle", {Triangle(true)});
  add(7, "filled-circle", {Ellipse(kHalf, kHalf, true)});
  // A tilde lying across the line at 45 degrees, through the point.
  add(8, "wave", {Path("M -1.25 -1.25 Q -1.05 -0.2 0 0 T 1.25 1.25")});
  add(9, "chevron",
      {Polyline({{-kArrowLength, kArrowHalfWidth}, {0, 0}, {-kArrowLength, -kArrowHalfWidth}})});
  add(10, "slash", {Polyline({{-kHalf, -kHalf}, {kHalf, kHalf}})});
  add(11, "triangle", {Triangle(false)});
  return markers;
}

}  // namespace

const PointMarker* FindPointMarker(std::int32_t kind) {
  static const std::vector<PointMarker> kMarkers = MakeMarkers();
  if (kind < 1 || kind > 11) return nullptr;
  return &kMarkers[static_cast<std::size_t>(kind - 1)];
}
