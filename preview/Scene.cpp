#include "preview/Scene.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct ExtentVisitor {
  Bounds operator()(const SceneSegment& s) const {
    Bounds box;
    box.Add(s.X1, s.Y1);
    box.Add(s.X2, s.Y2);
    return box;
  }
  Bounds operator()(const ScenePolygon& p) const {
    Bounds box;
    for (const auto& point : p.Points) box.Add(point[0], point[1]);
    return box;
  }
  Bounds operator()(const SceneArc& a) const {
    Bounds box = a.Arc.Extent();
    if (a.Filling == SceneArc::Fill::kSector) box.Add(a.Arc.Cx, a.Arc.Cy);
    if (a.Filling == SceneArc::Fill::kBand) {
      const double half = std::fabs(a.BandWidth) / 2;
      box.Add(box.MinX - half, box.MinY - half);
      box.Add(box.MaxX + half, box.MaxY + half);
    }
    return box;
  }
  Bounds operator()(const SceneText& t) const {
    // The text's box from the base point: the host's width along the
    // direction, the height across it.
    const double c = std::cos(t.AngleDeg * kPi / 180.0);
    const double s = std::sin(t.AngleDeg * kPi / 180.0);
    const double left = -t.Advance * t.Column / 2.0;
    const double bottom = -t.Height * t.Row / 2.0;
    Bounds box;
    for (double along : {left, left + t.Advance}) {
      for (double across : {bottom, bottom + t.Height}) {
        box.Add(t.X + along * c - across * s, t.Y + along * s + across * c);
      }
    }
    return box;
  }
  Bounds operator()(const SceneMarker& m) const {
    Bounds box;
    box.Add(m.X, m.Y);
    if (!m.Marker) return box;
    const double c = std::cos(m.AngleDeg * kPi / 180.0);
    const double s = std::sin(m.AngleDeg * kPi / 180.0);
    auto add = [&](double x, double y) {
      box.Add(m.X + m.Size * (x * c - y * s), m.Y + m.Size * (x * s + y * c));
    };
    for (const auto& shape : m.Marker->Shapes) {
      for (const auto& p : shape.Points) add(p[0], p[1]);
      if (shape.Shape == MarkerShape::Form::kEllipse) {
        const double r = std::max(shape.Rx, shape.Ry);
        add(-r, -r);
        add(r, r);
        add(-r, r);
        add(r, -r);
      }
      if (shape.Shape == MarkerShape::Form::kPath) {
        // The one path mark, the wave, lies within the square of the
        // centred marks.
        add(-1.25, -1.25);
        add(1.25, 1.25);
      }
    }
    return box;
  }
  Bounds operator()(const SceneDot& d) const {
    Bounds box;
    box.Add(d.X, d.Y);
    return box;
  }
  Bounds operator()(const ScenePick& p) const {
    Bounds box;
    box.Add(p.X, p.Y);
    return box;
  }
  Bounds operator()(const SceneBlock& b) const {
    Bounds box;
    box.Add(b.X, b.Y);
    return box;
  }
};

}  // namespace

Bounds ItemExtent(const SceneItem& item) { return std::visit(ExtentVisitor{}, item.Shape); }
