#include "preview/HostLayer.h"

#include <cmath>

#include "helpers/Sjis.h"
#include "preview/Palette.h"
#include "preview/Usable.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class LayerBuilder {
 public:
  LayerBuilder(const HostState& state, const HostLayerSettings& settings, const TextDecoder& decode)
      : state_(state), settings_(settings), decode_(decode ? decode : TextDecoder(DecodeSjisWithoutTable)) {
    layer_.Id = settings.Id;
    layer_.Caption = settings.Caption;
    if (settings.Underlay) layer_.LegendColour = kUnderlayColour;
  }

  SceneLayer Build() {
    for (std::size_t i = 0; i < state_.EntityOrder.Count(); ++i) AddEntity(state_.EntityOrder[i]);
    if (settings_.ShowPickedPoints) AddPickedPoints();
    return std::move(layer_);
  }

 private:
  // The pen of an entity: its colour, line type and width, or the underlay's.
  Pen PenOf(const EntityAttributes& attr, std::int32_t extended = 0) const {
    Pen pen;
    pen.Colour = settings_.Underlay ? kUnderlayColour : PenColour(attr.Colour, extended);
    pen.LineType = attr.LineType;
    pen.WidthPx = LineWidthPixels(attr.LineWidth);
    return pen;
  }

  double GroupScale(std::int32_t group) const {
    const auto& scales = settings_.GroupScales ? *settings_.GroupScales : state_.GroupScales;
    const double scale = scales[static_cast<std::size_t>(group >= 0 && group <= 15 ? group : 0)];
    // A scale of zero or below cannot be the host's; sizes then count as
    // paper sizes. A non-finite one makes the sizes unusable further on.
    if (std::isfinite(scale) && scale <= 0) return 1.0;
    return scale;
  }

  template <typename Shape>
  void Add(std::string cls, Pen pen, Shape shape) {
    layer_.Items.push_back(SceneItem{std::move(cls), std::move(pen), std::move(shape)});
  }

  void Skip() { ++layer_.Skipped; }

  template <typename List>
  static bool InRange(const List& list, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.Count();
  }

  void AddEntity(const EntityRef& ref) {
    const auto i = static_cast<std::size_t>(ref.Index);
    switch (ref.Kind) {
      case kLineKind:
        if (InRange(state_.Lines, ref.Index)) AddLine(state_.Lines[i]);
        break;
      case kCircleKind:
        if (InRange(state_.Circles, ref.Index)) AddCircle(state_.Circles[i]);
        break;
      case kArcKind:
        if (InRange(state_.Arcs, ref.Index)) AddArc(state_.Arcs[i]);
        break;
      case kTextKind:
        if (InRange(state_.Texts, ref.Index)) AddText(state_.Texts[i]);
        break;
      case kPointKind:
        if (InRange(state_.Points, ref.Index)) AddPoint(state_.Points[i]);
        break;
      case kExtendedPointKind:
        if (InRange(state_.ExtendedPoints, ref.Index)) AddExtendedPoint(state_.ExtendedPoints[i]);
        break;
      case kDimensionKind:
        if (InRange(state_.Dimensions, ref.Index)) AddDimension(state_.Dimensions[i]);
        break;
      case kBlockKind:
        if (InRange(state_.Blocks, ref.Index)) AddBlock(state_.Blocks[i]);
        break;
      case kSolid2Kind:
        if (InRange(state_.Solids2, ref.Index)) AddSolid2(state_.Solids2[i]);
        break;
      case kSolid3Kind:
        if (InRange(state_.Solids3, ref.Index)) AddSolid3(state_.Solids3[i]);
        break;
      case kSolid4Kind:
        if (InRange(state_.Solids4, ref.Index)) AddSolid4(state_.Solids4[i]);
        break;
      case kScSolidKind:
        if (InRange(state_.ScSolids, ref.Index)) AddRoundSolid(state_.ScSolids[i], "solid-sc");
        break;
      case kSeSolidKind:
        if (InRange(state_.SeSolids, ref.Index)) AddRoundSolid(state_.SeSolids[i], "solid-se");
        break;
      case kSoSolidKind:
        if (InRange(state_.SoSolids, ref.Index)) AddBandSolid(state_.SoSolids[i], "solid-so");
        break;
      case kSgSolidKind:
        if (InRange(state_.SgSolids, ref.Index)) AddBandSolid(state_.SgSolids[i], "solid-sg");
        break;
      default:
        break;
    }
  }

  void AddLine(const LineEntity& e) {
    if (!Usable({e.X1, e.Y1, e.X2, e.Y2})) return Skip();
    Add("line", PenOf(e.Attr), SceneSegment{e.X1, e.Y1, e.X2, e.Y2});
  }

  void AddCircle(const CircleEntity& e) {
    if (!Usable({e.X, e.Y, e.Radius})) return Skip();
    Add("circle", PenOf(e.Attr), SceneArc{MakeEllipseArc(e.X, e.Y, e.Radius, 0, 360, 1, 0)});
  }

  static bool UsableArc(const double* v) {
    // The minor axis is radius * flatness and must be usable too.
    return Usable({v[0], v[1], v[2], v[3], v[4], v[5], v[6]}) && Usable({v[2] * v[5]});
  }

  static EllipseArc ArcOf(const double* v) {
    return MakeEllipseArc(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
  }

  void AddArc(const ArcEntity& e) {
    if (!UsableArc(e.Values)) return Skip();
    const EllipseArc arc = ArcOf(e.Values);
    const bool circular = std::fabs(e.Values[5]) == 1.0;
    const char* cls = circular ? (arc.Full ? "circle" : "arc") : (arc.Full ? "ellipse" : "elliptic-arc");
    Add(cls, PenOf(e.Attr), SceneArc{arc});
  }

  enum class Outcome { kDrawn, kNothing, kUnusable };

  // The text as the picture shows it; kNothing for an empty text or one
  // without a size (the host shows nothing of it either).
  // The characters of a text in the host's cells: a double-byte character
  // is `width` wide, a single-byte one half of it; a full spacing follows a
  // double-byte character, half of it a single-byte one.
  std::vector<SceneGlyph> Cells(std::string_view sjis, double width, double spacing) const {
    std::vector<SceneGlyph> glyphs;
    double start = 0;
    for (std::size_t i = 0; i < sjis.size();) {
      const bool wide = IsLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size();
      const std::size_t length = wide ? 2 : 1;
      const double share = wide ? 1.0 : 0.5;
      glyphs.push_back(SceneGlyph{start + width * share / 2, SanitizeUtf8(decode_(sjis.substr(i, length)))});
      start += (width + spacing) * share;
      i += length;
    }
    return glyphs;
  }

  // The style a text is drawn in: its own, or the one of the given styles
  // that it names.
  HostTextStyle StyleOf(const TextEntity& e) const {
    if (settings_.TextStyles && e.StyleNo >= 1 && e.StyleNo <= 10) {
      return (*settings_.TextStyles)[static_cast<std::size_t>(e.StyleNo - 1)];
    }
    return HostTextStyle{e.Width, e.Height, e.Spacing, e.Attr.Colour};
  }

  Outcome MakeText(const TextEntity& e, SceneText& text) const {
    const double scale = GroupScale(e.Attr.Group);
    const HostTextStyle style = StyleOf(e);
    double height = style.Height * scale;
    double width = style.Width * scale;
    const double spacing = style.Spacing * scale;
    if (!Usable({e.X, e.Y, e.DirX, e.DirY, height, width, spacing})) return Outcome::kUnusable;
    if (e.Text.Size() == 0) return Outcome::kNothing;
    if (height <= 0) height = width;
    if (height <= 0) return Outcome::kNothing;
    if (width <= 0) width = height;
    text.X = e.X;
    text.Y = e.Y;
    text.AngleDeg = std::atan2(e.DirY, e.DirX) * 180.0 / kPi;
    text.Height = height;
    text.WidthRatio = width / height;
    text.Advance = SjisTextWidth(e.Text.View(), width, spacing);
    text.Glyphs = Cells(e.Text.View(), width, spacing);
    const int cc = e.Cc >= 0 && e.Cc <= 8 ? e.Cc : 0;
    text.Column = cc % 3;
    text.Row = cc / 3;
    return Outcome::kDrawn;
  }

  Pen TextPen(const TextEntity& e) const {
    EntityAttributes attr = e.Attr;
    attr.Colour = StyleOf(e).Colour;
    Pen pen = PenOf(attr);
    pen.LineType = 1;
    return pen;
  }

  void AddText(const TextEntity& e) {
    SceneText text;
    switch (MakeText(e, text)) {
      case Outcome::kUnusable: return Skip();
      case Outcome::kNothing: return;
      case Outcome::kDrawn: return Add("text", TextPen(e), std::move(text));
    }
  }

  void AddPoint(const PointEntity& e) {
    if (!Usable({e.X, e.Y})) return Skip();
    Add("point", PenOf(e.Attr), SceneDot{e.X, e.Y});
  }

  void AddExtendedPoint(const ExtendedPointEntity& e) {
    const double scale = std::fabs(e.Scale) <= 1e-8 ? 1.0 : std::fabs(e.Scale);
    const double size = scale * GroupScale(e.Attr.Group);
    if (!Usable({e.X, e.Y, e.Angle, size})) return Skip();
    Pen pen = PenOf(e.Attr);
    pen.LineType = 1;
    const PointMarker* marker = FindPointMarker(e.PointKind);
    if (!marker) return Add("point", std::move(pen), SceneDot{e.X, e.Y});
    Add(std::string("marker marker-") + std::to_string(e.PointKind), std::move(pen),
        SceneMarker{marker, e.X, e.Y, e.Angle, size});
  }

  // Line and value stand or fall together: half a dimension would mislead.
  void AddDimension(const DimensionEntity& e) {
    const LineEntity& l = e.Line;
    SceneText text;
    const Outcome value = MakeText(e.Text, text);
    if (!Usable({l.X1, l.Y1, l.X2, l.Y2}) || value == Outcome::kUnusable) return Skip();
    Add("dimension-line", PenOf(l.Attr), SceneSegment{l.X1, l.Y1, l.X2, l.Y2});
    if (value == Outcome::kDrawn) Add("dimension-value", TextPen(e.Text), std::move(text));
  }

  void AddBlock(const BlockEntity& e) {
    if (!Usable({e.X, e.Y})) return Skip();
    Pen pen = PenOf(e.Attr);
    pen.LineType = 1;
    Add("block", std::move(pen), SceneBlock{e.X, e.Y, SanitizeUtf8(decode_(e.Name))});
  }

  Pen SolidPen(const EntityAttributes& attr, std::int32_t extended) const {
    Pen pen = PenOf(attr, extended);
    pen.LineType = 1;
    return pen;
  }

  void AddSolid2(const Solid2Entity& e) {
    if (!Usable({e.X1, e.Y1, e.X2, e.Y2})) return Skip();
    // A solid reduced to two points has no area: it shows as a broad line.
    Pen pen = SolidPen(e.Attr, e.ExtColour);
    pen.WidthPx = std::max(pen.WidthPx, 4.0);
    Add("solid solid-2", std::move(pen), SceneSegment{e.X1, e.Y1, e.X2, e.Y2});
  }

  void AddSolid3(const Solid3Entity& e) {
    if (!Usable({e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3})) return Skip();
    Add("solid solid-3", SolidPen(e.Attr, e.ExtColour),
        ScenePolygon{{{e.X1, e.Y1}, {e.X2, e.Y2}, {e.X3, e.Y3}}});
  }

  void AddSolid4(const Solid4Entity& e) {
    if (!Usable({e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3, e.X4, e.Y4})) return Skip();
    Add("solid solid-4", SolidPen(e.Attr, e.ExtColour),
        ScenePolygon{{{e.X1, e.Y1}, {e.X2, e.Y2}, {e.X3, e.Y3}, {e.X4, e.Y4}}});
  }

  // "sc" and "se": the seven values of an arc; N 1 fills the sector to the
  // centre, any other N the segment between the arc and its chord. A whole
  // ellipse fills its inside.
  void AddRoundSolid(const ScSolidEntity& e, const char* kind) {
    if (!UsableArc(e.Values)) return Skip();
    SceneArc arc{ArcOf(e.Values)};
    arc.Filling = e.N == 1 ? SceneArc::Fill::kSector : SceneArc::Fill::kSegment;
    Add(std::string("solid ") + kind, SolidPen(e.Attr, e.ExtColour), std::move(arc));
  }

  // "so" and "sg": the seven values of an arc and a width; a band of that
  // width centred on the curve.
  void AddBandSolid(const SoSolidEntity& e, const char* kind) {
    if (!UsableArc(e.Values) || !Usable({e.Values[7]})) return Skip();
    SceneArc arc{ArcOf(e.Values)};
    arc.Filling = SceneArc::Fill::kBand;
    arc.BandWidth = std::fabs(e.Values[7]);
    Add(std::string("solid ") + kind, SolidPen(e.Attr, e.ExtColour), std::move(arc));
  }

  void AddPickedPoints() {
    for (std::size_t n = 1; n < state_.PickedPoints.size(); ++n) {
      const PickedPoint& p = state_.PickedPoints[n];
      if (!p.Set) continue;
      if (!Usable({p.X, p.Y})) {
        Skip();
        continue;
      }
      Pen pen;
      pen.Colour = kPickedPointColour;
      pen.WidthPx = 1.5;
      Add("picked-point", std::move(pen), ScenePick{p.X, p.Y, static_cast<int>(n)});
    }
  }

  const HostState& state_;
  const HostLayerSettings& settings_;
  TextDecoder decode_;
  SceneLayer layer_;
};

}  // namespace

SceneLayer BuildHostLayer(const HostState& state, const HostLayerSettings& settings,
                          const TextDecoder& decode) {
  return LayerBuilder(state, settings, decode).Build();
}
