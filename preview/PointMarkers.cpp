#include "preview/PointMarkers.h"

#include <cmath>
#include <vector>

#include "dialog/EndMarkKinds.h"

namespace {

// Arrow-like marks have about the half-width of a 15 degree arrow.
constexpr double kArrowHalfWidth = 2.0;

// How far the end mark kind drawn by the host marker reaches along the line
// (the dimension construction's reach), paper mm at scale 1.
double ReachOf(std::int32_t hostMarker) {
  const EndMarkKind* kind = EndMarkKindOfMarker(hostMarker);
  return kind ? static_cast<double>(kind->Reach) : 0.0;
}

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

// Tip at the point, `length` back along -x.
MarkerShape Triangle(double length, bool filled) {
  return Polygon({{0, 0}, {-length, kArrowHalfWidth}, {-length, -kArrowHalfWidth}}, filled);
}

MarkerShape Square(double half, bool filled) {
  return Polygon({{-half, -half}, {half, -half}, {half, half}, {-half, half}}, filled);
}

std::vector<PointMarker> MakeMarkers() {
  std::vector<PointMarker> markers;
  auto add = [&](std::int32_t kind, const char* name, std::vector<MarkerShape> shapes) {
    markers.push_back(PointMarker{kind, name, std::move(shapes)});
  };
  add(1, "triangle", {Triangle(ReachOf(1), false)});
  add(2, "square", {Square(ReachOf(2), false)});
  // The letter O is narrower across the line than along it.
  add(3, "letter-o", {Ellipse(ReachOf(3), 0.85, false)});
  add(4, "circle", {Ellipse(ReachOf(4), ReachOf(4), false)});
  add(5, "filled-square", {Square(ReachOf(5), true)});
  add(6, "filled-triangle", {Triangle(ReachOf(6), true)});
  add(7, "filled-circle", {Ellipse(ReachOf(7), ReachOf(7), true)});
  // A tilde lying across the line at 45 degrees, through the point; its
  // reach is its half-diagonal.
  add(8, "wave", {Path("M -1.25 -1.25 Q -1.05 -0.2 0 0 T 1.25 1.25")});
  const double chevron = ReachOf(9);
  add(9, "chevron", {Polyline({{-chevron, kArrowHalfWidth}, {0, 0}, {-chevron, -kArrowHalfWidth}})});
  const double slash = ReachOf(10) / std::sqrt(2.0);
  add(10, "slash", {Polyline({{-slash, -slash}, {slash, slash}})});
  add(11, "triangle", {Triangle(ReachOf(11), false)});
  return markers;
}

}  // namespace

const PointMarker* FindPointMarker(std::int32_t kind) {
  static const std::vector<PointMarker> kMarkers = MakeMarkers();
  if (kind < 1 || kind > 11) return nullptr;
  return &kMarkers[static_cast<std::size_t>(kind - 1)];
}
