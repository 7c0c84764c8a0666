#pragma once
// Shared by the preview tests: host states built by hand, and pictures
// rendered, parsed as XML and handed to rsvg-convert.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "exchange/HostState.h"
#include "preview/HostLayer.h"
#include "preview/SvgRenderer.h"
#include "support/SvgDocument.h"
#include "support/TestSupport.h"

namespace preview_testing {

using svg_testing::Affine;
using svg_testing::Document;
using svg_testing::Element;

// A state with the host's default scales and text styles and no entities.
inline HostState EmptyState() {
  HostState state;
  state.GroupScales.fill(1.0);
  for (auto& style : state.TextStyles) style = HostTextStyle{3, 3, 0, 2};
  state.PickedPoints.resize(100);
  return state;
}

inline EntityAttributes Attributes(std::int32_t colour = 1, std::int32_t lineType = 1,
                                   std::int32_t lineWidth = 0, std::int32_t group = 0) {
  EntityAttributes a;
  a.Group = group;
  a.Colour = colour;
  a.LineType = lineType;
  a.LineWidth = lineWidth;
  return a;
}

template <typename List, typename Entity>
void Append(HostState& state, List& list, EntityKind kind, const Entity& entity) {
  list.Append(entity);
  state.EntityOrder.Append(EntityRef{kind, static_cast<std::int32_t>(list.Count() - 1)});
}

inline void AddLine(HostState& s, double x1, double y1, double x2, double y2,
                    EntityAttributes attr = Attributes()) {
  LineEntity e;
  e.Attr = attr;
  e.X1 = x1, e.Y1 = y1, e.X2 = x2, e.Y2 = y2;
  Append(s, s.Lines, kLineKind, e);
}

inline TextEntity MakeText(std::string_view sjis, double x, double y, double dx, double dy,
                           double height = 3, double width = 3) {
  TextEntity e;
  e.Attr = Attributes(2);
  e.TextKind = 0;
  e.StyleNo = 1;
  e.Width = width, e.Height = height, e.Spacing = 0;
  e.X = x, e.Y = y, e.DirX = dx, e.DirY = dy;
  e.Text.Assign(sjis);
  return e;
}

inline void AddText(HostState& s, const TextEntity& e) { Append(s, s.Texts, kTextKind, e); }

struct Picture {
  std::string Svg;
  Document Doc;
  Affine Drawing;  // drawing units to picture pixels

  const Element* Layer(const std::string& id) const { return svg_testing::FindById(Doc.Root, id); }
  // The elements of a layer with the given tag name (and class word, if any).
  std::vector<const Element*> Find(const std::string& layer, const std::string& name,
                                   const std::string& cls = "") const {
    const Element* root = Layer(layer);
    if (!root) return {};
    return svg_testing::FindAll(*root, [&](const Element& e) {
      return e.Name == name && (cls.empty() || e.HasClass(cls));
    });
  }
  // The comment that counts skipped entities, or an empty text.
  std::string SkipComment() const {
    for (const auto& c : Doc.Comments) {
      if (c.rfind("skipped entities:", 0) == 0) return c;
    }
    return "";
  }
};

// Parses the picture (failing the test when it is not well-formed XML) and
// converts it with rsvg-convert (failing the test when the renderer refuses).
inline Picture Inspect(std::string svg) {
  Picture p;
  p.Svg = std::move(svg);
  p.Doc = svg_testing::ParseSvg(p.Svg);
  EXPECT_TRUE(p.Doc.Parsed) << p.Doc.Error;
  EXPECT_EQ(p.Doc.Root.Name, "svg");
  EXPECT_EQ(p.Doc.Root.Attr("version"), "1.1");
  testing_support::ScratchDir scratch;
  std::string message;
  EXPECT_TRUE(svg_testing::RendersWithRsvg(p.Svg, scratch.Path(), message)) << message;
  if (const Element* drawing = svg_testing::FindById(p.Doc.Root, "fitted-drawing")) {
    EXPECT_TRUE(svg_testing::ReadMatrix(drawing->Attr("transform"), p.Drawing));
  } else {
    ADD_FAILURE() << "no drawing group";
  }
  return p;
}

inline Picture RenderState(const HostState& state, PreviewOptions options = {}) {
  return Inspect(RenderHostStateSvg(state, options));
}

inline Picture RenderLayers(const std::vector<SceneLayer>& layers, PreviewOptions options = {}) {
  return Inspect(RenderSvg(layers, options));
}

struct TextPlacement {
  double X = NAN, Y = NAN, Angle = NAN, ScaleX = NAN, ScaleY = NAN;
};

// The base point and direction of a text element: translate(x,y) rotate(a)
// scale(sx,sy).
inline TextPlacement Placement(const Element& text) {
  TextPlacement t;
  const auto steps = svg_testing::ParseTransform(text.Attr("transform"));
  for (const auto& [name, v] : steps) {
    if (name == "translate" && v.size() == 2) t.X = v[0], t.Y = v[1];
    if (name == "rotate" && v.size() == 1) t.Angle = v[0];
    if (name == "scale" && v.size() == 2) t.ScaleX = v[0], t.ScaleY = v[1];
  }
  return t;
}

// Where the characters of a text element stand: the middle of each one's
// cell, in drawing units along the text from its base point.
inline std::vector<double> CellCentres(const Element& text) {
  const double scaleX = Placement(text).ScaleX;
  std::vector<double> centres;
  for (const Element& span : text.Children) {
    if (span.Name == "tspan") centres.push_back(span.Number("x") * scaleX);
  }
  return centres;
}

// One command of a path made of M, L, A and Z commands.
struct PathStep {
  char Command = 0;
  double X = NAN, Y = NAN;          // the point the command goes to
  int LargeArc = -1, Sweep = -1;    // the flags of an A command
};

inline std::vector<PathStep> PathSteps(const std::string& d) {
  std::vector<PathStep> steps;
  std::istringstream in(d);
  std::string word;
  while (in >> word) {
    PathStep step;
    step.Command = word[0];
    if (word == "M" || word == "L") {
      in >> step.X >> step.Y;
    } else if (word == "A") {
      double rx, ry, rotation;
      in >> rx >> ry >> rotation >> step.LargeArc >> step.Sweep >> step.X >> step.Y;
    } else if (word != "Z") {
      ADD_FAILURE() << "unexpected path command " << word;
    }
    steps.push_back(step);
  }
  return steps;
}

// The points a path goes through, in order.
inline std::vector<std::array<double, 2>> PathPoints(const std::string& d) {
  std::vector<std::array<double, 2>> points;
  for (const PathStep& step : PathSteps(d)) {
    if (step.Command != 'Z') points.push_back({step.X, step.Y});
  }
  return points;
}

}  // namespace preview_testing
