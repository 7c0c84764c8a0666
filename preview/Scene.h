#pragma once
// What a picture shows, in drawing units, before it is fitted and written:
// layers of items, each an outline, a fill, a text or a mark with the pen it
// is drawn with. Sizes given in pixels (pen widths, dots, labels) stay the
// same whatever the picture's scale.
#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "preview/Bounds.h"
#include "preview/EllipseArc.h"
#include "preview/PointMarkers.h"

struct Pen {
  std::string Colour = "#000000";  // "#rrggbb"
  std::int32_t LineType = 1;       // dash pattern, see Palette.h
  double WidthPx = 1;
  double Opacity = 1;
};

struct SceneSegment {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// A closed, filled polygon.
struct ScenePolygon {
  std::vector<std::array<double, 2>> Points;
};

struct SceneArc {
  enum class Fill {
    kNone,     // the curve alone
    kSector,   // filled between the arc and its centre
    kSegment,  // filled between the arc and its chord
    kBand,     // a filled band of BandWidth along the curve
  };
  EllipseArc Arc;
  Fill Filling = Fill::kNone;
  double BandWidth = 0;
};

// One character of a text in the cell the host gives it.
struct SceneGlyph {
  double Centre = 0;  // middle of the cell, from the text's start along it
  std::string Utf8;
};

struct SceneText {
  double X = 0, Y = 0;     // base point
  double AngleDeg = 0;     // direction of the text's baseline
  double Height = 0;       // character height
  double WidthRatio = 1;   // character width over character height
  double Advance = 0;      // the drawn width as the host measures it
  int Column = 0;          // base point: 0 left, 1 centre, 2 right
  int Row = 0;             // base point: 0 bottom, 1 middle, 2 top
  std::vector<SceneGlyph> Glyphs;
};

struct SceneMarker {
  const PointMarker* Marker = nullptr;
  double X = 0, Y = 0, AngleDeg = 0;
  double Size = 1;  // drawing units per marker unit
};

// A point drawn as a dot of a few pixels.
struct SceneDot {
  double X = 0, Y = 0;
};

// A picked point: a cross and its number.
struct ScenePick {
  double X = 0, Y = 0;
  int Number = 0;
};

// A block insertion point: a small boxed cross and the block's name.
struct SceneBlock {
  double X = 0, Y = 0;
  std::string Utf8Name;
};

struct SceneItem {
  std::string Class;  // what it is, as the picture's class attribute
  Pen Stroke;
  std::variant<SceneSegment, ScenePolygon, SceneArc, SceneText, SceneMarker, SceneDot, ScenePick,
               SceneBlock>
      Shape;
};

struct SceneLayer {
  std::string Id;       // the picture's id of the layer's group
  std::string Caption;  // legend text, UTF-8; empty: no legend entry
  // The colour of the layer's legend sample; empty: the colour most of its
  // items are drawn in.
  std::string LegendColour;
  std::vector<SceneItem> Items;
  std::size_t Skipped = 0;  // entities left out for unusable numbers
};

// The box of an item in drawing units; pixel-sized decorations count by
// their position only.
Bounds ItemExtent(const SceneItem& item);
