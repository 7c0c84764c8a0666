// The preview picture of host drawing states built by hand: how each kind of
// entity is drawn, fitted, coloured and labelled, and how unusable numbers
// are left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

#include "preview/Palette.h"
#include "preview/PictureFrame.h"
#include "preview/ChainLayer.h"
#include "preview/PointMarkers.h"
#include "dialog/EndMarkKinds.h"
#include "support/PreviewTestSupport.h"

using namespace preview_testing;
using svg_testing::Element;

namespace {

constexpr double kEps = 1e-9;

double Deg(double d) { return d * std::numbers::pi / 180; }

TEST(PreviewPicture, FitsTheDrawingWithYGrowingUpwards) {
  HostState s = EmptyState();
  AddLine(s, 100, 50, 300, 150);
  const Picture p = RenderState(s);
  const Affine& m = p.Drawing;
  // The longer side (200 units) becomes 1000 pixels; y is turned upwards.
  EXPECT_NEAR(m.A, 5, kEps);
  EXPECT_NEAR(m.D, -5, kEps);
  EXPECT_EQ(m.B, 0);
  EXPECT_EQ(m.C, 0);
  EXPECT_LT(m.MapY(100, 150), m.MapY(100, 50));
  // The whole drawing lies inside the picture, away from its edges.
  const double width = p.Doc.Root.Number("width");
  const double height = p.Doc.Root.Number("height");
  for (auto [x, y] : {std::pair{100.0, 50.0}, {300.0, 150.0}}) {
    EXPECT_GE(m.MapX(x, y), kPictureMargin - kEps);
    EXPECT_LE(m.MapX(x, y), width - kPictureMargin + kEps);
    EXPECT_GE(m.MapY(x, y), kPictureMargin - kEps);
    EXPECT_LE(m.MapY(x, y), height - kPictureMargin + kEps);
  }
  EXPECT_NEAR(width, 1000 + 2 * kPictureMargin, kEps);
  // The line keeps its drawing coordinates.
  const auto lines = p.Find("drawing", "line", "line");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->Number("x1"), 100);
  EXPECT_EQ(lines[0]->Number("y1"), 50);
  EXPECT_EQ(lines[0]->Number("x2"), 300);
  EXPECT_EQ(lines[0]->Number("y2"), 150);
}

TEST(PreviewPicture, ScaleBarIsARoundLengthInDrawingUnits) {
  struct Case {
    double visible, length;
  };
  for (const Case c : {Case{1000, 200}, Case{4000, 1000}, Case{399, 50}, Case{8, 2}, Case{0.03, 0.005},
                       Case{2e7, 5e6}}) {
    EXPECT_DOUBLE_EQ(ScaleBarLength(c.visible), c.length) << c.visible;
  }
  HostState s = EmptyState();
  AddLine(s, 0, 0, 1000, 0);
  const Picture p = RenderState(s);
  const Element* bar = p.Layer("scale-bar");
  ASSERT_NE(bar, nullptr);
  const Element& line = bar->Children.at(0);
  const double pixels = line.Number("x2") - line.Number("x1");
  const Element* label = p.Layer("scale-bar-length");
  ASSERT_NE(label, nullptr);
  const double length = std::stod(label->Text);
  EXPECT_EQ(label->Text, "200 drawing units");
  EXPECT_NEAR(pixels, length * p.Drawing.A, 0.01);
}

TEST(PreviewPicture, PenColourLineTypeAndWidthFollowTheHostNumbers) {
  struct Case {
    std::int32_t colour, lineType, lineWidth;
    const char* stroke;
    std::vector<double> dashesPx;  // at a width of one pixel
    double widthPx;
  };
  const Case cases[] = {
      {1, 1, 0, "#00a0e0", {}, 1},
      {2, 2, 0, "#000000", {8, 4}, 1},
      {3, 3, 1, "#00a000", {4, 3}, 1},
      {4, 4, 0, "#c8a000", {1.5, 2.5}, 1},
      {5, 5, 0, "#e000c0", {12, 3, 1.5, 3}, 1},
      {6, 6, 0, "#0000e0", {20, 3, 1.5, 3}, 1},
      {7, 7, 0, "#505050", {12, 3, 1.5, 3, 1.5, 3}, 1},
      {8, 8, 0, "#e00000", {20, 3, 1.5, 3, 1.5, 3}, 1},
      {9, 9, 0, "#909090", {1, 3}, 1},
      {0, 0, 4, "#000000", {}, 4},
      {42, 77, 30000, "#000000", {}, 6},
  };
  for (const Case& c : cases) {
    HostState s = EmptyState();
    AddLine(s, 0, 0, 100, 100, Attributes(c.colour, c.lineType, c.lineWidth));
    const Picture p = RenderState(s);
    const auto shapes = p.Find("drawing", "line");
    ASSERT_EQ(shapes.size(), 1u) << c.colour;
    const Element& e = *shapes[0];
    const double scale = p.Drawing.A;
    EXPECT_EQ(e.Attr("stroke"), c.stroke) << c.colour;
    EXPECT_NEAR(e.Number("stroke-width") * scale, c.widthPx, 1e-9) << c.colour;
    std::vector<double> dashes;
    std::string pattern = e.Attr("stroke-dasharray");
    for (char& ch : pattern) ch = ch == ',' ? ' ' : ch;
    std::istringstream in(pattern);
    for (double d; in >> d;) dashes.push_back(d * scale);
    ASSERT_EQ(dashes.size(), c.dashesPx.size()) << "line type " << c.lineType;
    for (std::size_t i = 0; i < dashes.size(); ++i) EXPECT_NEAR(dashes[i], c.dashesPx[i], 1e-9);
  }
}

TEST(PreviewPicture, CirclesArcsAndEllipsesFollowTheSevenValues) {
  HostState s = EmptyState();
  CircleEntity circle;
  circle.X = 5, circle.Y = 6, circle.Radius = 4;
  Append(s, s.Circles, kCircleKind, circle);
  struct ArcCase {
    double v[7];
    const char* element;
  };
  const ArcCase arcs[] = {
      {{0, 0, 10, 0, 90, 1, 0}, "path"},      // quarter circle
      {{0, 0, 10, 270, 90, 1, 0}, "path"},    // runs counter-clockwise through 0
      {{20, 0, 10, 30, 200, 0.5, 40}, "path"},  // tilted elliptic arc
      {{0, 30, 10, 0, 360, 0.5, 30}, "ellipse"},
      {{0, 30, 8, 45, 45, 1, 0}, "circle"},   // no span: the whole circle
  };
  for (const auto& a : arcs) {
    ArcEntity e;
    std::copy(std::begin(a.v), std::end(a.v), e.Values);
    Append(s, s.Arcs, kArcKind, e);
  }
  const Picture p = RenderState(s);
  const Element* layer = p.Layer("drawing");
  ASSERT_NE(layer, nullptr);
  ASSERT_EQ(layer->Children.size(), 6u);

  const Element& c = layer->Children[0];
  EXPECT_EQ(c.Name, "circle");
  EXPECT_EQ(c.Number("cx"), 5);
  EXPECT_EQ(c.Number("cy"), 6);
  EXPECT_EQ(c.Number("r"), 4);
  EXPECT_EQ(c.Attr("fill"), "none");

  // Point of an arc at angle t, computed here from the seven values.
  auto at = [](const double* v, double t) {
    const double u = v[2] * std::cos(Deg(t)), w = v[2] * v[5] * std::sin(Deg(t));
    return std::array<double, 2>{v[0] + u * std::cos(Deg(v[6])) - w * std::sin(Deg(v[6])),
                                 v[1] + u * std::sin(Deg(v[6])) + w * std::cos(Deg(v[6]))};
  };
  const double middles[] = {45, 0, 115};
  for (int i = 0; i < 3; ++i) {
    const Element& e = layer->Children[1 + i];
    ASSERT_EQ(e.Name, "path");
    EXPECT_EQ(e.Attr("fill"), "none");
    const auto points = PathPoints(e.Attr("d"));
    ASSERT_EQ(points.size(), 3u);
    // Two half arcs, each turning counter-clockwise in drawing units.
    for (const PathStep& step : PathSteps(e.Attr("d"))) {
      if (step.Command == 'A') {
        EXPECT_EQ(std::pair(step.LargeArc, step.Sweep), std::pair(0, 1));
      }
    }
    const double* v = arcs[i].v;
    const std::array<double, 2> expected[] = {at(v, v[3]), at(v, middles[i]), at(v, v[4])};
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(points[k][0], expected[k][0], 1e-9) << i << "/" << k;
      EXPECT_NEAR(points[k][1], expected[k][1], 1e-9) << i << "/" << k;
    }
  }
  const Element& ellipse = layer->Children[4];
  EXPECT_EQ(ellipse.Name, "ellipse");
  EXPECT_EQ(ellipse.Number("rx"), 10);
  EXPECT_EQ(ellipse.Number("ry"), 5);
  EXPECT_EQ(ellipse.Attr("transform"), "rotate(30,0,30)");
  const Element& whole = layer->Children[5];
  EXPECT_EQ(whole.Name, "circle");
  EXPECT_EQ(whole.Number("r"), 8);
}

void ExpectCentres(const std::vector<double>& actual, const std::vector<double>& expected,
                   const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << what;
}

TEST(PreviewPicture, TextsStandAtTheirBasePointInTheirDirectionAndStyleSize) {
  // "A", a full-width character and "B", 2 mm wide with 0.4 mm spacing at
  // scale 50: cells of 50, 100 and 50 units with 10 and 20 between them, so
  // 230 units in all, centred on 25, 110 and 205 from the start.
  struct Case {
    std::int32_t cc;
    double shift;     // start of the text from the base point
    double rowShare;  // baseline below the base point, in character heights
  };
  const Case cases[] = {{0, 0, 0},      {1, -115, 0},    {2, -230, 0},
                        {3, 0, 0.5},    {4, -115, 0.5},  {5, -230, 0.5},
                        {6, 0, 1},      {7, -115, 1},    {8, -230, 1},
                        {9, 0, 0}};
  for (const Case& c : cases) {
    HostState s = EmptyState();
    s.GroupScales[2] = 50;
    AddLine(s, 0, 0, 1000, 1000);
    TextEntity t = MakeText("A寸B", 200, 300, -3, 3, /*height*/ 4, /*width*/ 2);
    t.Spacing = 0.4;
    t.Attr.Group = 2;
    t.Attr.Colour = 8;
    t.Cc = c.cc;
    AddText(s, t);
    const Picture p = RenderState(s, {[](std::string_view t) { return testing_support::SjisToUtf8(t); }});
    const auto texts = p.Find("drawing", "text", "text");
    ASSERT_EQ(texts.size(), 1u);
    const Element& e = *texts[0];
    const TextPlacement place = Placement(e);
    const double scale = p.Drawing.A;
    EXPECT_EQ(place.X, 200);
    EXPECT_EQ(place.Y, 300);
    EXPECT_NEAR(place.Angle, 135, 1e-12);
    EXPECT_EQ(e.Text, testing_support::U8(u8"A寸B"));
    EXPECT_EQ(e.Attr("fill"), "#e00000");
    ExpectCentres(CellCentres(e), {c.shift + 25, c.shift + 110, c.shift + 205}, "cc" + std::to_string(c.cc));
    // Height 4 mm at scale 50 is 200 drawing units; the characters are
    // half as wide as high.
    const double fontPx = e.Number("font-size");
    EXPECT_NEAR(fontPx, 200 * scale, 1e-9);
    EXPECT_NEAR(place.ScaleX * scale, 0.5, 1e-12);
    EXPECT_NEAR(place.ScaleY * scale, -1, 1e-12);
    EXPECT_NEAR(e.Number("y"), c.rowShare * fontPx, 0.006) << c.cc;
  }
}

TEST(PreviewPicture, TextsAreDecodedAndEscaped) {
  const std::string kanji = testing_support::Utf8ToSjis(testing_support::U8(u8"寸法<&>\"ｱ"));
  struct Case {
    TextDecoder decode;
    std::string expected;
  };
  const Case cases[] = {
      // Without a table only ASCII and half-width katakana come through.
      {nullptr, testing_support::U8(u8"\uFFFD\uFFFD<&>\"ｱ")},
      {[](std::string_view t) { return testing_support::SjisToUtf8(t); },
       testing_support::U8(u8"寸法<&>\"ｱ")},
      // A decoder that returns broken UTF-8 and control bytes is repaired
      // (it is asked once for each of the seven characters).
      {[](std::string_view) { return std::string("a\xFF\x01z\xE5\xAF"); }, [] {
         std::string seven;
         for (int i = 0; i < 7; ++i) seven += testing_support::U8(u8"a\uFFFDz\uFFFD");
         return seven;
       }()},
  };
  for (const Case& c : cases) {
    HostState s = EmptyState();
    AddText(s, MakeText(kanji, 0, 0, 1, 0));
    PreviewOptions options;
    options.Decode = c.decode;
    const Picture p = RenderState(s, options);
    const auto texts = p.Find("drawing", "text", "text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Text, c.expected);
    EXPECT_EQ(texts[0]->Attr("xml:space"), "preserve");
  }
}

// The preview draws each end mark kind over the length the construction
// allows for it: an arrow-like mark from its tip at the point back to its
// reach, any other centred on the point and within its reach.
TEST(PreviewPicture, PointMarkersSpanTheReachOfTheirEndMarkKind) {
  for (const EndMarkKind& kind : EndMarkKinds()) {
    if (kind.HostMarker == kLineArrowMarker) continue;
    SCOPED_TRACE(kind.HostMarker);
    const PointMarker* marker = FindPointMarker(kind.HostMarker);
    ASSERT_NE(marker, nullptr);
    double low = 0, high = 0;
    for (const MarkerShape& shape : marker->Shapes) {
      for (const auto& point : shape.Points) low = std::min(low, point[0]), high = std::max(high, point[0]);
      low = std::min(low, -shape.Rx), high = std::max(high, shape.Rx);
      if (shape.Shape == MarkerShape::Form::kPath) low = -1.25, high = 1.25;  // the wave's corners
    }
    const double reach = static_cast<double>(kind.Reach);
    if (kind.ArrowLike) {
      EXPECT_EQ(high, 0);
      EXPECT_NEAR(low, -reach, kEps);
    } else {
      EXPECT_NEAR(low, -high, kEps);
      EXPECT_GT(high, 0);
      EXPECT_LE(high, reach + kEps);
    }
  }
}

TEST(PreviewPicture, PointMarkersTakeTheShapeOfTheirKind) {
  struct Case {
    std::int32_t kind;
    const char* shape;
    bool filled;
  };
  const Case cases[] = {{1, "polygon", false},  {2, "polygon", false}, {3, "ellipse", false},
                        {4, "ellipse", false},  {5, "polygon", true},  {6, "polygon", true},
                        {7, "ellipse", true},   {8, "path", false},    {9, "polyline", false},
                        {10, "polyline", false}, {11, "polygon", false}};
  HostState s = EmptyState();
  s.GroupScales[1] = 20;
  for (const Case& c : cases) {
    ExtendedPointEntity e;
    e.Attr = Attributes(3, 1, 0, 1);
    e.X = 10 * c.kind, e.Y = -5, e.Scale = 1.5, e.Angle = 30 * c.kind, e.PointKind = c.kind;
    Append(s, s.ExtendedPoints, kExtendedPointKind, e);
  }
  for (std::int32_t other : {0, -3, 12}) {
    ExtendedPointEntity e;
    e.X = 1, e.Y = 2, e.Scale = 1, e.PointKind = other;
    Append(s, s.ExtendedPoints, kExtendedPointKind, e);
  }
  const Picture p = RenderState(s);
  for (const Case& c : cases) {
    const auto marks = p.Find("drawing", "g", "marker-" + std::to_string(c.kind));
    ASSERT_EQ(marks.size(), 1u) << c.kind;
    const Element& g = *marks[0];
    const auto steps = svg_testing::ParseTransform(g.Attr("transform"));
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].second, (std::vector<double>{10.0 * c.kind, -5}));
    EXPECT_EQ(steps[1].second, (std::vector<double>{30.0 * c.kind}));
    // Scale 1.5 in layer group 1 of scale 20: 30 drawing units per paper mm.
    EXPECT_EQ(steps[2].second, (std::vector<double>{30, 30}));
    ASSERT_EQ(g.Children.size(), 1u);
    EXPECT_EQ(g.Children[0].Name, c.shape) << c.kind;
    EXPECT_EQ(g.Children[0].Attr("fill"), c.filled ? "#00a000" : "none") << c.kind;
    EXPECT_EQ(g.Attr("stroke"), "#00a000");
  }
  // Kinds without a marker are plain points.
  EXPECT_EQ(p.Find("drawing", "circle", "point").size(), 3u);
}

TEST(PreviewPicture, SolidsAreFilledInTheirColour) {
  HostState s = EmptyState();
  Solid2Entity two;
  two.Attr = Attributes(8);
  two.X1 = 0, two.Y1 = 0, two.X2 = 10, two.Y2 = 0;
  Append(s, s.Solids2, kSolid2Kind, two);
  Solid4Entity four;
  four.Attr = Attributes(10);
  four.ExtColour = 0x0000FF;  // red in the lowest byte
  four.X1 = 0, four.Y1 = 0, four.X2 = 10, four.Y2 = 0, four.X3 = 10, four.Y3 = 5, four.X4 = 0, four.Y4 = 5;
  Append(s, s.Solids4, kSolid4Kind, four);
  ScSolidEntity sector;
  sector.Attr = Attributes(6);
  const double arc[7] = {50, 50, 10, 0, 90, 1, 0};
  std::copy(arc, arc + 7, sector.Values);
  sector.N = 1;
  Append(s, s.ScSolids, kScSolidKind, sector);
  ScSolidEntity segment = sector;
  segment.N = 0;
  Append(s, s.SeSolids, kSeSolidKind, segment);
  SoSolidEntity band;
  band.Attr = Attributes(3);
  std::copy(arc, arc + 7, band.Values);
  band.Values[7] = 4;
  Append(s, s.SoSolids, kSoSolidKind, band);
  SoSolidEntity ring = band;
  ring.Values[4] = 360;
  Append(s, s.SgSolids, kSgSolidKind, ring);

  const Picture p = RenderState(s);
  const auto broad = p.Find("drawing", "line", "solid-2");
  ASSERT_EQ(broad.size(), 1u);
  EXPECT_EQ(broad[0]->Attr("stroke"), "#e00000");
  EXPECT_GE(broad[0]->Number("stroke-width") * p.Drawing.A, 4 - 1e-9);

  const auto quads = p.Find("drawing", "polygon", "solid-4");
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(quads[0]->Attr("points"), "0,0 10,0 10,5 0,5");
  EXPECT_EQ(quads[0]->Attr("fill"), "#ff0000");

  auto points = [&](const char* cls) {
    const auto found = p.Find("drawing", "path", cls);
    EXPECT_EQ(found.size(), 1u) << cls;
    return found.empty() ? std::vector<std::array<double, 2>>{} : PathPoints(found[0]->Attr("d"));
  };
  EXPECT_EQ(p.Find("drawing", "path", "solid-sc").at(0)->Attr("fill"), "#0000e0");
  // Sector: from the centre to the arc and back; segment: the arc and its chord.
  const auto sc = points("solid-sc");
  ASSERT_EQ(sc.size(), 4u);
  EXPECT_EQ(sc[0], (std::array<double, 2>{50, 50}));
  EXPECT_NEAR(sc[1][0], 60, kEps);
  EXPECT_NEAR(sc[3][1], 60, kEps);
  const auto se = points("solid-se");
  ASSERT_EQ(se.size(), 3u);
  EXPECT_NEAR(se[0][0], 60, kEps);
  EXPECT_NEAR(se[2][1], 60, kEps);
  // Band: 4 wide about radius 10, so from radius 12 outside to 8 inside.
  const auto so = points("solid-so");
  ASSERT_EQ(so.size(), 6u);
  EXPECT_NEAR(so[0][0], 62, kEps);
  EXPECT_NEAR(so[2][1], 62, kEps);
  EXPECT_NEAR(so[3][1], 58, kEps);
  EXPECT_NEAR(so[5][0], 58, kEps);
  // The outer edge runs counter-clockwise, the inner one back.
  std::vector<int> sweeps;
  for (const PathStep& step : PathSteps(p.Find("drawing", "path", "solid-so").at(0)->Attr("d"))) {
    if (step.Command == 'A') sweeps.push_back(step.Sweep);
  }
  EXPECT_EQ(sweeps, (std::vector<int>{1, 1, 0, 0}));
  const auto rings = p.Find("drawing", "path", "solid-sg");
  ASSERT_EQ(rings.size(), 1u);
  EXPECT_EQ(rings[0]->Attr("fill-rule"), "evenodd");
}

TEST(PreviewPicture, PointsBlocksDimensionsAndPickedPointsAreMarked) {
  HostState s = EmptyState();
  PointEntity point;
  point.Attr = Attributes(5);
  point.X = 3, point.Y = 4;
  Append(s, s.Points, kPointKind, point);
  BlockEntity block;
  block.Attr = Attributes(6);
  block.X = 40, block.Y = 10;
  block.Name = "DOOR-1";
  Append(s, s.Blocks, kBlockKind, block);
  DimensionEntity dim;
  dim.Line.Attr = Attributes(1);
  dim.Line.X1 = 0, dim.Line.Y1 = 20, dim.Line.X2 = 50, dim.Line.Y2 = 20;
  dim.Text = MakeText("50", 25, 21, 10, 0);
  Append(s, s.Dimensions, kDimensionKind, dim);
  s.PickedPoints[1] = PickedPoint{true, 7, 8, 0};
  s.PickedPoints[12] = PickedPoint{true, -7, -8, 3};

  const Picture p = RenderState(s);
  const auto dots = p.Find("drawing", "circle", "point");
  ASSERT_EQ(dots.size(), 1u);
  EXPECT_EQ(dots[0]->Number("cx"), 3);
  EXPECT_EQ(dots[0]->Number("cy"), 4);
  EXPECT_EQ(dots[0]->Attr("fill"), "#e000c0");

  const auto blocks = p.Find("drawing", "g", "block");
  ASSERT_EQ(blocks.size(), 1u);
  const auto name = svg_testing::FindAll(*blocks[0], [](const Element& e) { return e.Name == "text"; });
  ASSERT_EQ(name.size(), 1u);
  EXPECT_EQ(name[0]->Text, "DOOR-1");
  const auto box = svg_testing::FindAll(*blocks[0], [](const Element& e) { return e.Name == "rect"; });
  ASSERT_EQ(box.size(), 1u);
  EXPECT_NEAR(box[0]->Number("x") + box[0]->Number("width") / 2, 40, kEps);
  EXPECT_NEAR(box[0]->Number("y") + box[0]->Number("height") / 2, 10, kEps);

  const auto dimLines = p.Find("drawing", "line", "dimension-line");
  const auto dimValues = p.Find("drawing", "text", "dimension-value");
  ASSERT_EQ(dimLines.size(), 1u);
  ASSERT_EQ(dimValues.size(), 1u);
  EXPECT_EQ(dimLines[0]->Number("x2"), 50);
  EXPECT_EQ(dimValues[0]->Text, "50");
  EXPECT_EQ(Placement(*dimValues[0]).X, 25);

  const auto picks = p.Find("drawing", "g", "picked-point");
  ASSERT_EQ(picks.size(), 2u);
  std::vector<std::string> labels;
  for (const Element* g : picks) {
    for (const Element& child : g->Children) {
      if (child.Name == "text") labels.push_back(child.Text);
    }
    EXPECT_EQ(g->Attr("stroke"), kPickedPointColour);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"hp1", "hp12"}));
  const TextPlacement label = Placement(picks[1]->Children.back());
  EXPECT_EQ(label.X, -7);
  EXPECT_EQ(label.Y, -8);
}

TEST(PreviewPicture, UnderlayLayerIsGreyUnderTheDrawing) {
  HostState host = EmptyState();
  AddLine(host, 0, 0, 10, 10, Attributes(8, 2));
  AddText(host, MakeText("HOST", 0, 0, 1, 0));
  host.PickedPoints[1] = PickedPoint{true, 5, 5, 0};
  HostState output = EmptyState();
  AddLine(output, 0, 10, 10, 0, Attributes(8));

  HostLayerSettings under;
  under.Id = "before";
  under.Caption = "host file";
  under.Underlay = true;
  HostLayerSettings over;
  over.Caption = "output";
  const Picture p = RenderLayers(
      {BuildHostLayer(host, under, nullptr), BuildHostLayer(output, over, nullptr)});
  const Element* drawing = p.Layer("drawing");
  const Element* before = p.Layer("before");
  ASSERT_NE(before, nullptr);
  ASSERT_NE(drawing, nullptr);
  // The host file comes first in the document, so it lies underneath.
  const Element* group = svg_testing::FindById(p.Doc.Root, "fitted-drawing");
  ASSERT_EQ(group->Children.size(), 2u);
  EXPECT_EQ(group->Children[0].Attr("id"), "before");

  const auto hostLines = p.Find("before", "line", "line");
  ASSERT_EQ(hostLines.size(), 1u);
  EXPECT_EQ(hostLines[0]->Attr("stroke"), kUnderlayColour);
  EXPECT_FALSE(hostLines[0]->Attr("stroke-dasharray").empty());  // keeps its line type
  EXPECT_EQ(p.Find("before", "text", "text").at(0)->Attr("fill"), kUnderlayColour);
  EXPECT_EQ(p.Find("before", "g", "picked-point").size(), 1u);
  EXPECT_EQ(p.Find("drawing", "line", "line").at(0)->Attr("stroke"), "#e00000");

  const auto legend = svg_testing::FindAll(p.Doc.Root, [](const Element& e) { return e.HasClass("legend"); });
  ASSERT_EQ(legend.size(), 2u);
  EXPECT_EQ(legend[0]->Text, "host file");
  EXPECT_EQ(legend[1]->Text, "output");
  // Each caption has a sample line before it, in the layer's colour.
  const Element* footer = p.Layer("footer");
  std::vector<std::string> samples;
  for (const Element& e : footer->Children) {
    if (e.Name == "line") samples.push_back(e.Attr("stroke"));
  }
  EXPECT_EQ(samples, (std::vector<std::string>{kUnderlayColour, "#e00000"}));
}

TEST(PreviewPicture, StoredChainIsShownAtTheCurrentScale) {
  // Stored at scale 100, shown at 50: every coordinate halves.
  DialogSettings upright;
  upright.LastGroupScale = 100;
  upright.LastAxisAngle = 0;
  upright.LastPoint1X = 0, upright.LastPoint1Y = 0;
  upright.LastPoint2X = 0, upright.LastPoint2Y = 2000;
  upright.LastRefX = -1000, upright.LastRefY = 600;

  DialogSettings tilted = upright;
  tilted.LastAxisAngle = 90;  // the host's vertical then runs along -x
  tilted.LastPoint2X = -2000, tilted.LastPoint2Y = 0, tilted.LastRefX = 0, tilted.LastRefY = 1000;
  for (const auto& [c, e1, e2] :
       {std::tuple{upright, std::array<double, 2>{-500, 0}, std::array<double, 2>{-500, 1000}},
        std::tuple{tilted, std::array<double, 2>{0, 500}, std::array<double, 2>{-1000, 500}}}) {
    const Picture p = RenderLayers({BuildChainLayer(c, 50, "vk38.dat")});
    const auto band = p.Find("chain", "line", "chain-line");
    ASSERT_EQ(band.size(), 1u);
    EXPECT_NEAR(band[0]->Number("x1"), e1[0], 1e-9);
    EXPECT_NEAR(band[0]->Number("y1"), e1[1], 1e-9);
    EXPECT_NEAR(band[0]->Number("x2"), e2[0], 1e-9);
    EXPECT_NEAR(band[0]->Number("y2"), e2[1], 1e-9);
    EXPECT_EQ(band[0]->Attr("stroke"), kChainColour);
    EXPECT_EQ(p.Find("chain", "line", "chain-extension").size(), 2u);
    EXPECT_EQ(p.Find("chain", "circle", "chain-end").size(), 2u);
  }
}

TEST(PreviewPicture, NothingToDrawGivesAnEmptyPictureWithANote) {
  HostLayerSettings settings;
  settings.Caption = "JWC_TEMP.TXT";
  const Picture p = RenderLayers({BuildHostLayer(EmptyState(), settings, nullptr)});
  EXPECT_TRUE(p.Layer("drawing")->Children.empty());
  const auto legend = svg_testing::FindAll(p.Doc.Root, [](const Element& e) { return e.HasClass("legend"); });
  ASSERT_EQ(legend.size(), 1u);
  EXPECT_EQ(legend[0]->Text, "JWC_TEMP.TXT (nothing to draw)");
  const Element* note = p.Layer("empty-note");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Text, "Nothing to draw");
  EXPECT_EQ(p.Layer("scale-bar"), nullptr);
  EXPECT_EQ(p.SkipComment(), "");
}

TEST(PreviewPicture, UnusableNumbersAreLeftOutAndCounted) {
  const double nan = std::nan("");
  const double inf = INFINITY;
  HostState s = EmptyState();
  AddLine(s, 0, 0, 100, 50);                 // the one usable entity
  AddLine(s, nan, 0, 1, 1);
  AddLine(s, 0, 0, 1e300, 1);
  CircleEntity circle;
  circle.Radius = inf;
  Append(s, s.Circles, kCircleKind, circle);
  ArcEntity arc;  // radius and flatness usable, their product not
  const double v[7] = {0, 0, 1e11, 0, 90, 1e11, 0};
  std::copy(v, v + 7, arc.Values);
  Append(s, s.Arcs, kArcKind, arc);
  AddText(s, MakeText("A", 0, 0, 1, 0, 1e13));
  TextEntity farText = MakeText("B", 0, 0, 1, 0);
  farText.Attr.Group = 3;
  s.GroupScales[3] = 1e300;  // the size overflows only at this scale
  AddText(s, farText);
  ExtendedPointEntity mark;
  mark.X = 1, mark.Y = 1, mark.Scale = 1, mark.Angle = nan, mark.PointKind = 1;
  Append(s, s.ExtendedPoints, kExtendedPointKind, mark);
  DimensionEntity dim;  // a usable line with an unusable value: both go
  dim.Line.X2 = 10;
  dim.Text = MakeText("10", nan, 0, 1, 0);
  Append(s, s.Dimensions, kDimensionKind, dim);
  Solid4Entity solid;
  solid.Y4 = -inf;
  Append(s, s.Solids4, kSolid4Kind, solid);
  s.PickedPoints[2] = PickedPoint{true, 5e12, 0, 0};

  const Picture p = RenderState(s);
  EXPECT_EQ(p.SkipComment(), "skipped entities: 10");
  const Element* layer = p.Layer("drawing");
  ASSERT_EQ(layer->Children.size(), 1u);
  EXPECT_EQ(layer->Children[0].Number("x2"), 100);
  // The picture is fitted to what is drawn.
  EXPECT_NEAR(p.Drawing.A, 10, kEps);
  const auto notes = svg_testing::FindAll(p.Doc.Root, [](const Element& e) { return e.HasClass("note"); });
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0]->Text.rfind("10 entities left out", 0), 0u);
}

TEST(PreviewPicture, AnyDrawingSizeFitsThePicture) {
  // From a single point to a drawing far from the origin, the drawing stays
  // inside the picture and the transform stays finite.
  struct Case {
    double x1, y1, x2, y2;
  };
  for (const Case c : {Case{5, 5, 5, 5}, Case{1e11, 1e11, 1e11 + 1e-3, 1e11}, Case{-1e12, -1e12, 1e12, 1e12},
                       Case{0, 0, 1e-9, 0}, Case{0, 0, 0, 300}}) {
    HostState s = EmptyState();
    AddLine(s, c.x1, c.y1, c.x2, c.y2);
    const Picture p = RenderState(s);
    const double width = p.Doc.Root.Number("width");
    const double height = p.Doc.Root.Number("height");
    for (auto [x, y] : {std::pair{c.x1, c.y1}, {c.x2, c.y2}}) {
      const double px = p.Drawing.MapX(x, y), py = p.Drawing.MapY(x, y);
      EXPECT_TRUE(std::isfinite(px) && std::isfinite(py));
      EXPECT_GT(px, 0) << c.x1;
      EXPECT_LT(px, width) << c.x1;
      EXPECT_GT(py, 0) << c.y1;
      EXPECT_LT(py, height) << c.y1;
    }
  }
}

TEST(PreviewText, DecodingWithoutTableAndRepairOfUtf8) {
  struct Case {
    std::string in, out;
  };
  // Without a table: a lead byte at the very end, and bytes that are no
  // character at all.
  EXPECT_EQ(DecodeSjisWithoutTable("x\x81"), testing_support::U8(u8"x\uFFFD"));
  EXPECT_EQ(DecodeSjisWithoutTable("\xFD\xA0\xFE"), testing_support::U8(u8"\uFFFD\uFFFD"));
  const Case repair[] = {
      {testing_support::U8(u8"寸法 ok"), testing_support::U8(u8"寸法 ok")},
      {"\xC0\xAF", testing_support::U8(u8"\uFFFD")},        // overlong
      {"\xED\xA0\x80", testing_support::U8(u8"\uFFFD")},    // surrogate
      {"a\x1F\tb", "a\tb"},
      {std::string("a\x00" "b", 3), "ab"},
      {"\xC2\x85x", "x"},                                    // C1 control
      {"\xE5\xAF", testing_support::U8(u8"\uFFFD")},        // cut short
  };
  for (const Case& c : repair) EXPECT_EQ(SanitizeUtf8(c.in), c.out);
}

}  // namespace
