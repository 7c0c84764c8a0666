#pragma once
// The host drawing state: everything the host told the program through the
// exchange file. A run owns one from dialog show to dialog close and hands it
// to the reader, which fills it, and to the construction, which reads it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/DrawingAttributes.h"
#include "exchange/FixedText.h"
#include "exchange/GrowingList.h"

struct PickedPoint {
  bool Set = false;
  double X = 0;
  double Y = 0;
  std::int32_t Kind = 0;  // 0 none, 1 "-", 2 "ln", 3 "ci", 4 "ch"
};

// The head of every entity record.
struct EntityAttributes {
  std::int32_t PickTag = 0;
  std::int32_t Group = 0;
  std::int32_t Layer = 0;
  std::int32_t Colour = 0;
  std::int32_t LineType = 0;
  std::int32_t LineWidth = 0;
  std::int32_t Flags = 0;  // bits 1, 2, 4, 8, 16 for "z1".."z5"
};

enum EntityKind : std::int32_t {
  kLineKind = 1,
  kCircleKind = 2,
  kArcKind = 3,
  kTextKind = 4,
  kPointKind = 5,
  kExtendedPointKind = 6,
  kDimensionKind = 7,
  kBlockKind = 8,
  kSolid2Kind = 9,
  kSolid3Kind = 10,
  kSolid4Kind = 11,
  kScSolidKind = 12,
  kSeSolidKind = 13,
  kSoSolidKind = 14,
  kSgSolidKind = 15,
};

struct LineEntity {
  EntityAttributes Attr;
  std::int32_t PolylineNo = 0;  // 0 = not part of a polyline
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};
struct CircleEntity {
  EntityAttributes Attr;
  double X = 0, Y = 0, Radius = 0;
};
struct ArcEntity {
  EntityAttributes Attr;
  double Values[7] = {};  // in the order of the "ci" line
};
struct TextEntity {
  EntityAttributes Attr;  // Colour is the colour of the text's style
  std::int32_t TextKind = 0;  // 0-9: "ch" "cv" "cs" "cr" "co" "cp" "ct" "ck" "cz" "c2"
  std::int32_t Cc = 0;        // 0-8
  std::int32_t StyleNo = 0;   // 0 free, 1-10
  double Width = 0, Height = 0, Spacing = 0;
  double X = 0, Y = 0, DirX = 0, DirY = 0;
  FixedText FontName;
  FixedText Text;
};
struct PointEntity {
  EntityAttributes Attr;  // Colour is PointColour
  double X = 0, Y = 0;
};
struct ExtendedPointEntity {
  EntityAttributes Attr;  // Colour is PointColour
  double X = 0, Y = 0, Scale = 0, Angle = 0;
  std::int32_t PointKind = 0;
};
struct DimensionEntity {
  LineEntity Line;
  TextEntity Text;
};
struct BlockEntity {
  EntityAttributes Attr;
  double X = 0, Y = 0;
  std::string Name;
};
struct Solid2Entity {
  EntityAttributes Attr;
  std::int32_t ExtColour = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};
struct Solid3Entity {
  EntityAttributes Attr;
  std::int32_t ExtColour = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0;
};
struct Solid4Entity {
  EntityAttributes Attr;
  std::int32_t ExtColour = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0, X4 = 0, Y4 = 0;
};
struct ScSolidEntity {  // also "se" solids
  EntityAttributes Attr;
  std::int32_t ExtColour = 0;
  double Values[7] = {};
  std::int32_t N = 0;
};
using SeSolidEntity = ScSolidEntity;
struct SoSolidEntity {  // also "sg" solids
  EntityAttributes Attr;
  std::int32_t ExtColour = 0;
  double Values[8] = {};
};
using SgSolidEntity = SoSolidEntity;

struct EntityRef {
  std::int32_t Kind = 0;
  std::int32_t Index = 0;
};

struct HostState {
  double AxisAngle = 0;  // degrees
  std::string DrawingFile;
  std::array<double, 16> GroupScales{};
  double SheetWidth = 0, SheetHeight = 0;
  std::array<HostTextStyle, 10> TextStyles{};  // No1..No10
  bool BzMarked = false;
  std::array<double, 4> HnValues{};

  // The host's attributes when it started the program: the first line of
  // each (the defaults until it comes).
  DrawingAttributes Initial;

  // Fixed-size lists, re-created by ResetHostState, released by FreeHostState.
  std::vector<PickedPoint> PickedPoints;  // 100 slots, 0-99; 1-99 are filled
  std::int32_t PickedCount = 0;
  std::vector<std::int32_t> GroupStates;  // 16
  std::vector<std::string> GroupNames;    // 16
  std::vector<std::int32_t> LayerStates;  // 256, group * 16 + layer
  std::vector<std::string> LayerNames;    // 256

  // Slots 0-5 (AttributeSlot): the first line of that attribute is still to
  // come, so Initial holds its default.
  std::array<bool, kHostAttributeSlots> InitialPending{};

  // The attributes as the lines read so far left them; entities take theirs.
  DrawingAttributes Current;
  std::int32_t CurrentPickTag = 0;
  std::int32_t EntityFlags = 0;
  std::int32_t PolylineCount = 0;
  bool InPolyline = false;
  bool DimensionPending = false;
  LineEntity PendingDimensionLine;

  GrowingList<EntityRef> EntityOrder;
  GrowingList<LineEntity> Lines;
  GrowingList<CircleEntity> Circles;
  GrowingList<ArcEntity> Arcs;
  GrowingList<TextEntity> Texts;
  GrowingList<PointEntity> Points;
  GrowingList<ExtendedPointEntity> ExtendedPoints;
  GrowingList<DimensionEntity> Dimensions;
  GrowingList<BlockEntity> Blocks;
  GrowingList<Solid2Entity> Solids2;
  GrowingList<Solid3Entity> Solids3;
  GrowingList<Solid4Entity> Solids4;
  GrowingList<ScSolidEntity> ScSolids;
  GrowingList<SeSolidEntity> SeSolids;
  GrowingList<SoSolidEntity> SoSolids;
  GrowingList<SgSolidEntity> SgSolids;
};

// Every field takes its default; lists are emptied (and the fixed-size ones
// re-created with their default elements).
void ResetHostState(HostState& host);
// Releases the storage of the lists; scalars and strings stay as they are.
void FreeHostState(HostState& host);
// Appends (kind, index) to EntityOrder. Inline, as the reader calls it for
// every entity.
inline void AppendEntityOrder(HostState& host, std::int32_t kind, std::int32_t index) {
  EntityRef& ref = host.EntityOrder.Append();
  ref.Kind = kind;
  ref.Index = index;
}
// The line the user picked for point n ("hp<n>ln"): the first line, or line
// of a dimension figure, that the host wrote after its "hhp<n>ln" tag
// (before or after the line's flags, in the header or among the drawing's
// data), or nullptr when the pick was no line pick or no line carries the
// tag. Only the first counts: the tag stays on every entity after it.
const LineEntity* PickedLine(const HostState& host, int n);
// Copies the current pick tag, group, layer, colour, line type, line width and
// EntityFlags into the entity's attributes.
inline void CaptureAttributes(const HostState& host, EntityAttributes& attributes) {
  attributes.PickTag = host.CurrentPickTag;
  attributes.Group = host.Current.Group;
  attributes.Layer = host.Current.Layer;
  attributes.Colour = host.Current.Colour;
  attributes.LineType = host.Current.LineType;
  attributes.LineWidth = host.Current.LineWidth;
  attributes.Flags = host.EntityFlags;
}
