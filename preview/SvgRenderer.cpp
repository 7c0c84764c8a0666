#include "preview/SvgRenderer.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "preview/Palette.h"
#include "preview/PictureFrame.h"
#include "preview/SvgWriter.h"

namespace {

constexpr double kDotRadiusPx = 2;
constexpr double kPickArmPx = 6;
constexpr double kBlockHalfPx = 4;
constexpr double kLabelSizePx = 11;
constexpr const char* kFontFamily = "sans-serif";

std::string Translate(double x, double y) {
  return "translate(" + SvgNumber(x) + "," + SvgNumber(y) + ")";
}

std::string Rotate(double degrees) { return "rotate(" + SvgNumber(degrees) + ")"; }

std::string Scale(double sx, double sy) { return "scale(" + SvgNumber(sx) + "," + SvgNumber(sy) + ")"; }

std::string LegendColour(const SceneLayer& layer) {
  if (!layer.LegendColour.empty()) return layer.LegendColour;
  std::map<std::string, std::size_t> uses;
  for (const auto& item : layer.Items) ++uses[item.Stroke.Colour];
  std::string colour = "#000000";
  std::size_t most = 0;
  for (const auto& [c, n] : uses) {
    if (n > most) colour = c, most = n;
  }
  return colour;
}

class PictureWriter {
 public:
  PictureWriter(const std::vector<SceneLayer>& layers, const PreviewOptions& options)
      : layers_(layers), options_(options) {}

  std::string Write() {
    Bounds content;
    std::size_t items = 0;
    std::size_t skipped = 0;
    for (const auto& layer : layers_) {
      for (const auto& item : layer.Items) content.Add(ItemExtent(item));
      items += layer.Items.size();
      skipped += layer.Skipped;
    }
    empty_ = items == 0;

    std::vector<std::string> notes;
    if (empty_) notes.push_back("Nothing to draw: no entities and no picked points.");
    if (skipped > 0) {
      notes.push_back(std::to_string(skipped) + (skipped == 1 ? " entity" : " entities") +
                      " left out: coordinates, sizes or angles not finite or beyond 1e12.");
    }
    int legendRows = 0;
    for (const auto& layer : layers_) legendRows += layer.Caption.empty() ? 0 : 1;
    const int footerRows = (empty_ ? 0 : 1) + legendRows + static_cast<int>(notes.size());
    frame_ = FitPicture(content, options_.LongSide, footerRows);

    svg_.Declaration();
    const std::string width = PixelNumber(frame_.Width);
    const std::string height = PixelNumber(frame_.Height);
    svg_.Open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                      {"version", "1.1"},
                      {"width", width},
                      {"height", height},
                      {"viewBox", "0 0 " + width + " " + height}});
    svg_.TextElement("title", {}, SanitizeUtf8(options_.Title));
    svg_.TextElement("desc", {},
                     "Drawing units with y growing upwards; one drawing unit is " +
                         SvgNumber(frame_.Scale) + " picture pixels.");
    for (const auto& layer : layers_) {
      if (layer.Skipped > 0) {
        svg_.Comment("layer " + layer.Id + ": " + std::to_string(layer.Skipped) +
                     " skipped (coordinates, sizes or angles not finite or beyond 1e12)");
      }
    }
    if (skipped > 0) svg_.Comment("skipped entities: " + std::to_string(skipped));
    svg_.Empty("rect", {{"width", width}, {"height", height}, {"fill", "#ffffff"}});

    WriteDrawing();
    WriteFooter(notes);
    svg_.Close("svg");
    return svg_.Take();
  }

 private:
  // Pixels to drawing units.
  double Px(double pixels) const { return pixels / frame_.Scale; }

  SvgAttributes StrokeAttributes(const Pen& pen, double unitScale = 1) const {
    // unitScale: drawing units per local unit of the element's own transform.
    const double perPixel = 1.0 / (frame_.Scale * unitScale);
    SvgAttributes a{{"stroke", pen.Colour}, {"stroke-width", SvgNumber(pen.WidthPx * perPixel)}};
    const auto& dashes = LineTypeDashes(pen.LineType);
    if (!dashes.empty()) {
      std::string pattern;
      for (double d : dashes) {
        if (!pattern.empty()) pattern += ',';
        // Dashes grow a little with the pen so that broad lines stay dashed.
        pattern += SvgNumber(d * std::max(1.0, pen.WidthPx * 0.75) * perPixel);
      }
      a.emplace_back("stroke-dasharray", pattern);
    }
    if (pen.Opacity < 1) a.emplace_back("stroke-opacity", SvgNumber(pen.Opacity));
    return a;
  }

  static SvgAttributes With(SvgAttributes first, const SvgAttributes& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
  }

  void WriteDrawing() {
    const std::string matrix = "matrix(" + SvgNumber(frame_.Scale) + ",0,0," +
                               SvgNumber(-frame_.Scale) + "," + SvgNumber(frame_.OffsetX) + "," +
                               SvgNumber(frame_.OffsetY) + ")";
    svg_.Open("g", {{"id", "fitted-drawing"},
                    {"transform", matrix},
                    {"fill", "none"},
                    {"stroke-linecap", "round"},
                    {"stroke-linejoin", "round"}});
    for (const auto& layer : layers_) {
      svg_.Open("g", {{"id", layer.Id}, {"class", "layer"}});
      for (const auto& item : layer.Items) WriteItem(item);
      svg_.Close("g");
    }
    svg_.Close("g");
    if (empty_) {
      svg_.TextElement("text",
                       {{"id", "empty-note"},
                        {"x", PixelNumber(frame_.AreaLeft + frame_.AreaWidth / 2)},
                        {"y", PixelNumber(frame_.AreaTop + frame_.AreaHeight / 2)},
                        {"text-anchor", "middle"},
                        {"font-family", kFontFamily},
                        {"font-size", "16"},
                        {"fill", "#707070"}},
                       "Nothing to draw");
    }
  }

  void WriteItem(const SceneItem& item) {
    std::visit([&](const auto& shape) { WriteShape(item, shape); }, item.Shape);
  }

  void WriteShape(const SceneItem& item, const SceneSegment& s) {
    svg_.Empty("line", With({{"class", item.Class},
                             {"x1", SvgNumber(s.X1)},
                             {"y1", SvgNumber(s.Y1)},
                             {"x2", SvgNumber(s.X2)},
                             {"y2", SvgNumber(s.Y2)}},
                            StrokeAttributes(item.Stroke)));
  }

  void WriteShape(const SceneItem& item, const ScenePolygon& p) {
    std::string points;
    for (const auto& point : p.Points) {
      if (!points.empty()) points += ' ';
      points += SvgNumber(point[0]) + "," + SvgNumber(point[1]);
    }
    svg_.Empty("polygon", With({{"class", item.Class}, {"points", points}, {"fill", item.Stroke.Colour}},
                               StrokeAttributes(item.Stroke)));
  }

  static std::string PointText(const std::array<double, 2>& p) {
    return SvgNumber(p[0]) + " " + SvgNumber(p[1]);
  }

  // The curve from its start to its end as path commands after the "M": two
  // elliptic arc commands, each of at most half a turn, so that no renderer
  // has to guess between the two possible arcs.
  static std::string ArcCommands(const EllipseArc& arc, bool reverse) {
    const double from = reverse ? arc.StartDeg + arc.SpanDeg : arc.StartDeg;
    const double step = (reverse ? -arc.SpanDeg : arc.SpanDeg) / 2;
    const std::string radii = SvgNumber(arc.Rx) + " " + SvgNumber(arc.Ry) + " " + SvgNumber(arc.TiltDeg);
    // In drawing units (y up) a positive sweep runs counter-clockwise.
    const std::string flags = reverse ? " 0 0 " : " 0 1 ";
    return "A " + radii + flags + PointText(arc.PointAt(from + step)) + " A " + radii + flags +
           PointText(arc.PointAt(from + 2 * step));
  }

  static std::string ArcPath(const EllipseArc& arc) {
    return "M " + PointText(arc.PointAt(arc.StartDeg)) + " " + ArcCommands(arc, false);
  }

  void WriteEllipse(const SceneItem& item, const EllipseArc& arc, const std::string& fill) {
    SvgAttributes a{{"class", item.Class}, {"cx", SvgNumber(arc.Cx)}, {"cy", SvgNumber(arc.Cy)}};
    if (arc.Rx == arc.Ry) {
      a.emplace_back("r", SvgNumber(arc.Rx));
      svg_.Empty("circle", With(With(a, {{"fill", fill}}), StrokeAttributes(item.Stroke)));
      return;
    }
    a.emplace_back("rx", SvgNumber(arc.Rx));
    a.emplace_back("ry", SvgNumber(arc.Ry));
    if (arc.TiltDeg != 0) {
      a.emplace_back("transform", "rotate(" + SvgNumber(arc.TiltDeg) + "," + SvgNumber(arc.Cx) + "," +
                                      SvgNumber(arc.Cy) + ")");
    }
    svg_.Empty("ellipse", With(With(a, {{"fill", fill}}), StrokeAttributes(item.Stroke)));
  }

  void WritePath(const SceneItem& item, const std::string& data, const std::string& fill,
                 bool evenOdd = false) {
    SvgAttributes a{{"class", item.Class}, {"d", data}, {"fill", fill}};
    if (evenOdd) a.emplace_back("fill-rule", "evenodd");
    svg_.Empty("path", With(a, StrokeAttributes(item.Stroke)));
  }

  void WriteShape(const SceneItem& item, const SceneArc& a) {
    const EllipseArc& arc = a.Arc;
    const std::string& colour = item.Stroke.Colour;
    switch (a.Filling) {
      case SceneArc::Fill::kNone:
        if (arc.Full) return WriteEllipse(item, arc, "none");
        return WritePath(item, ArcPath(arc), "none");
      case SceneArc::Fill::kSector:
        if (arc.Full) return WriteEllipse(item, arc, colour);
        return WritePath(item,
                         "M " + SvgNumber(arc.Cx) + " " + SvgNumber(arc.Cy) + " L " +
                             PointText(arc.PointAt(arc.StartDeg)) + " " + ArcCommands(arc, false) + " Z",
                         colour);
      case SceneArc::Fill::kSegment:
        if (arc.Full) return WriteEllipse(item, arc, colour);
        return WritePath(item, ArcPath(arc) + " Z", colour);
      case SceneArc::Fill::kBand: {
        const double half = a.BandWidth / 2;
        EllipseArc outer = arc;
        outer.Rx += half;
        outer.Ry += half;
        EllipseArc inner = arc;
        inner.Rx = std::max(arc.Rx - half, 0.0);
        inner.Ry = std::max(arc.Ry - half, 0.0);
        if (arc.Full) {
          // Two closed rings; the even-odd rule leaves the inside empty.
          return WritePath(item, ArcPath(outer) + " Z " + ArcPath(inner) + " Z", colour, true);
        }
        return WritePath(item,
                         ArcPath(outer) + " L " + PointText(inner.PointAt(arc.StartDeg + arc.SpanDeg)) +
                             " " + ArcCommands(inner, true) + " Z",
                         colour);
      }
    }
  }

  // Each character stands centred in its cell, so the text takes the width
  // the host gives it whatever the font's own widths.
  void WriteShape(const SceneItem& item, const SceneText& t) {
    const double size = std::clamp(t.Height * frame_.Scale, 0.01, 10000.0);
    const double ratio = t.WidthRatio > 0 ? t.WidthRatio : 1.0;
    // Drawing units along the text to the text's own (unscaled) units.
    const double local = frame_.Scale / ratio;
    const double start = -t.Advance * std::clamp(t.Column, 0, 2) / 2.0;
    std::vector<std::pair<SvgAttributes, std::string>> cells;
    for (const SceneGlyph& g : t.Glyphs) {
      cells.push_back({{{"x", SvgNumber((start + g.Centre) * local)}}, g.Utf8});
    }
    svg_.SpannedTextElement(
        "text",
        {{"class", item.Class},
         {"transform", Translate(t.X, t.Y) + " " + Rotate(t.AngleDeg) + " " +
                           Scale(ratio / frame_.Scale, -1 / frame_.Scale)},
         {"y", PixelNumber(size * t.Row / 2.0)},
         {"font-family", kFontFamily},
         {"font-size", SvgNumber(size)},
         {"text-anchor", "middle"},
         {"fill", item.Stroke.Colour},
         {"stroke", "none"},
         {"xml:space", "preserve"}},
        "tspan", cells);
  }

  void WriteMarkerShape(const MarkerShape& shape, const Pen& pen) {
    const std::string fill = shape.Filled ? pen.Colour : "none";
    auto points = [&] {
      std::string text;
      for (const auto& p : shape.Points) {
        if (!text.empty()) text += ' ';
        text += SvgNumber(p[0]) + "," + SvgNumber(p[1]);
      }
      return text;
    };
    switch (shape.Shape) {
      case MarkerShape::Form::kPolygon:
        svg_.Empty("polygon", {{"points", points()}, {"fill", fill}});
        break;
      case MarkerShape::Form::kPolyline:
        svg_.Empty("polyline", {{"points", points()}, {"fill", fill}});
        break;
      case MarkerShape::Form::kEllipse:
        svg_.Empty("ellipse", {{"cx", "0"},
                               {"cy", "0"},
                               {"rx", SvgNumber(shape.Rx)},
                               {"ry", SvgNumber(shape.Ry)},
                               {"fill", fill}});
        break;
      case MarkerShape::Form::kPath:
        svg_.Empty("path", {{"d", shape.PathData}, {"fill", fill}});
        break;
    }
  }

  void WriteShape(const SceneItem& item, const SceneMarker& m) {
    if (!m.Marker) return;
    Pen pen = item.Stroke;
    pen.LineType = 1;
    svg_.Open("g", With({{"class", item.Class},
                         {"transform", Translate(m.X, m.Y) + " " + Rotate(m.AngleDeg) + " " +
                                           Scale(m.Size, m.Size)}},
                        StrokeAttributes(pen, m.Size)));
    for (const auto& shape : m.Marker->Shapes) WriteMarkerShape(shape, pen);
    svg_.Close("g");
  }

  void WriteShape(const SceneItem& item, const SceneDot& d) {
    svg_.Empty("circle", {{"class", item.Class},
                          {"cx", SvgNumber(d.X)},
                          {"cy", SvgNumber(d.Y)},
                          {"r", SvgNumber(Px(kDotRadiusPx))},
                          {"fill", item.Stroke.Colour},
                          {"stroke", "none"}});
  }

  // A label of fixed pixel size beside a point, upright on the picture.
  void WriteLabel(double x, double y, const std::string& text, const std::string& colour) {
    svg_.TextElement("text",
                     {{"transform", Translate(x, y) + " " + Scale(1 / frame_.Scale, -1 / frame_.Scale)},
                      {"x", PixelNumber(kPickArmPx + 2)},
                      {"y", PixelNumber(-(kPickArmPx + 2))},
                      {"font-family", kFontFamily},
                      {"font-size", PixelNumber(kLabelSizePx)},
                      {"fill", colour},
                      {"stroke", "none"},
                      {"xml:space", "preserve"}},
                     text);
  }

  void WriteShape(const SceneItem& item, const ScenePick& p) {
    const double arm = Px(kPickArmPx);
    svg_.Open("g", With({{"class", item.Class}}, StrokeAttributes(item.Stroke)));
    svg_.Empty("line", {{"x1", SvgNumber(p.X - arm)},
                        {"y1", SvgNumber(p.Y - arm)},
                        {"x2", SvgNumber(p.X + arm)},
                        {"y2", SvgNumber(p.Y + arm)}});
    svg_.Empty("line", {{"x1", SvgNumber(p.X - arm)},
                        {"y1", SvgNumber(p.Y + arm)},
                        {"x2", SvgNumber(p.X + arm)},
                        {"y2", SvgNumber(p.Y - arm)}});
    WriteLabel(p.X, p.Y, "hp" + std::to_string(p.Number), item.Stroke.Colour);
    svg_.Close("g");
  }

  void WriteShape(const SceneItem& item, const SceneBlock& b) {
    const double half = Px(kBlockHalfPx);
    Pen pen = item.Stroke;
    pen.LineType = 1;
    svg_.Open("g", With({{"class", item.Class}}, StrokeAttributes(pen)));
    svg_.Empty("rect", {{"x", SvgNumber(b.X - half)},
                        {"y", SvgNumber(b.Y - half)},
                        {"width", SvgNumber(2 * half)},
                        {"height", SvgNumber(2 * half)}});
    svg_.Empty("line", {{"x1", SvgNumber(b.X - half)},
                        {"y1", SvgNumber(b.Y - half)},
                        {"x2", SvgNumber(b.X + half)},
                        {"y2", SvgNumber(b.Y + half)}});
    svg_.Empty("line", {{"x1", SvgNumber(b.X - half)},
                        {"y1", SvgNumber(b.Y + half)},
                        {"x2", SvgNumber(b.X + half)},
                        {"y2", SvgNumber(b.Y - half)}});
    WriteLabel(b.X, b.Y, b.Utf8Name, pen.Colour);
    svg_.Close("g");
  }

  void WriteFooter(const std::vector<std::string>& notes) {
    svg_.Open("g", {{"id", "footer"}, {"font-family", kFontFamily}, {"font-size", "12"}});
    const double left = frame_.AreaLeft;
    double row = frame_.FooterTop + kFooterRowHeight / 2;  // middle of the current row
    if (!empty_) {
      WriteScaleBar(left, row);
      row += kFooterRowHeight;
    }
    for (const auto& layer : layers_) {
      if (layer.Caption.empty()) continue;
      svg_.Empty("line", {{"x1", PixelNumber(left)},
                          {"y1", PixelNumber(row)},
                          {"x2", PixelNumber(left + 24)},
                          {"y2", PixelNumber(row)},
                          {"stroke", LegendColour(layer)},
                          {"stroke-width", "3"}});
      svg_.TextElement("text",
                       {{"class", "legend"},
                        {"x", PixelNumber(left + 32)},
                        {"y", PixelNumber(row + 4)},
                        {"fill", "#000000"},
                        {"xml:space", "preserve"}},
                       SanitizeUtf8(layer.Caption) + (layer.Items.empty() ? " (nothing to draw)" : ""));
      row += kFooterRowHeight;
    }
    for (const auto& note : notes) {
      svg_.TextElement("text",
                       {{"class", "note"},
                        {"x", PixelNumber(left)},
                        {"y", PixelNumber(row + 4)},
                        {"fill", "#a00000"}},
                       note);
      row += kFooterRowHeight;
    }
    svg_.Close("g");
  }

  void WriteScaleBar(double left, double middle) {
    const double length = ScaleBarLength(frame_.AreaWidth / frame_.Scale);
    const double pixels = length * frame_.Scale;
    const double y = middle + 2;
    svg_.Open("g", {{"id", "scale-bar"}, {"stroke", "#000000"}, {"stroke-width", "1.5"}});
    svg_.Empty("line", {{"x1", PixelNumber(left)},
                        {"y1", PixelNumber(y)},
                        {"x2", PixelNumber(left + pixels)},
                        {"y2", PixelNumber(y)}});
    for (double x : {left, left + pixels / 2, left + pixels}) {
      svg_.Empty("line", {{"x1", PixelNumber(x)},
                          {"y1", PixelNumber(y - 5)},
                          {"x2", PixelNumber(x)},
                          {"y2", PixelNumber(y)}});
    }
    svg_.Close("g");
    svg_.TextElement("text",
                     {{"id", "scale-bar-length"},
                      {"x", PixelNumber(left + pixels + 8)},
                      {"y", PixelNumber(y + 4)},
                      {"fill", "#000000"}},
                     SvgNumber(length) + " drawing units");
  }

  const std::vector<SceneLayer>& layers_;
  const PreviewOptions& options_;
  PictureFrame frame_;
  SvgWriter svg_;
  bool empty_ = false;
};

}  // namespace

std::string RenderSvg(const std::vector<SceneLayer>& layers, const PreviewOptions& options) {
  return PictureWriter(layers, options).Write();
}

std::string RenderHostStateSvg(const HostState& state, const PreviewOptions& options) {
  HostLayerSettings settings;
  std::vector<SceneLayer> layers;
  layers.push_back(BuildHostLayer(state, settings, options.Decode));
  return RenderSvg(layers, options);
}
