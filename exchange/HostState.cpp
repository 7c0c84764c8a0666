#include "exchange/HostState.h"

#include "exchange/OutputWriter.h"

THostState HostState;

namespace {

constexpr int kGroupCount = 16;
constexpr int kLayerSlots = 16 * 16;  // group * 16 + layer
constexpr int kPickedSlots = 100;

// The host's ten text styles start as 3 mm by 3 mm, no spacing, pen colour 2.
constexpr HostTextStyle kDefaultStyle{3.0, 3.0, 0.0, 2};
// A free text size (style 0) before the host names one.
constexpr HostTextStyle kDefaultFreeText{2.0, 2.0, 0.0, 1};

// The dimension line that a "msg" group takes when its text line comes before
// any line segment: (0, 0)-(1, 0) on group 0, layer 0, colour 1, line type 1.
LineEntity DefaultPendingDimensionLine() {
  LineEntity line;
  line.Attr = EntityAttributes{0, 0, 0, 1, 1, 0, 0};
  line.PolylineNo = 0;
  line.X1 = 0;
  line.Y1 = 0;
  line.X2 = 1;
  line.Y2 = 0;
  return line;
}

// Replaces the contents of a fixed-size list with `count` default elements,
// in the storage it has (a state read again takes no new memory for them).
template <typename T>
void Recreate(std::vector<T>& list, std::size_t count) {
  list.assign(count, T());
}

// Gives the storage of a fixed-size list back.
template <typename T>
void ReleaseVector(std::vector<T>& list) {
  std::vector<T>().swap(list);
}

template <typename F>
void ForEachGrowingList(F&& f) {
  THostState& s = HostState;
  f(s.EntityOrder);
  f(s.Lines);
  f(s.Circles);
  f(s.Arcs);
  f(s.Texts);
  f(s.Points);
  f(s.ExtendedPoints);
  f(s.Dimensions);
  f(s.Blocks);
  f(s.Solids2);
  f(s.Solids3);
  f(s.Solids4);
  f(s.ScSolids);
  f(s.SeSolids);
  f(s.SoSolids);
  f(s.SgSolids);
  f(OutputBuffer.Lines);
}

}  // namespace

void ResetHostState() {
  THostState& s = HostState;

  s.AxisAngle = 0;
  s.DrawingFile.clear();
  s.GroupScales.fill(1.0);
  s.SheetWidth = 1189.0;  // an A0 sheet, millimetres
  s.SheetHeight = 841.0;
  s.TextStyles.fill(kDefaultStyle);
  s.BzMarked = false;
  s.HnValues.fill(0.0);

  s.InitialGroup = 0;
  s.InitialLayer = 0;
  s.InitialColour = 1;
  s.InitialLineType = 1;
  s.InitialLineWidth = 0;
  s.InitialTextStyle = 1;
  s.InitialFreeText = kDefaultFreeText;
  s.InitialFontName.clear();

  Recreate(s.PickedPoints, kPickedSlots);
  s.PickedCount = 0;
  Recreate(s.GroupStates, kGroupCount);
  Recreate(s.GroupNames, kGroupCount);
  Recreate(s.LayerStates, kLayerSlots);
  Recreate(s.LayerNames, kLayerSlots);

  // The host's own attributes are still to come; the output flags (slots
  // 6-8) belong to the writer, which re-arms them after the read.
  for (int slot = kPendingGroup; slot <= kPendingTextStyle; ++slot) {
    s.AttributePending[slot] = true;
  }

  s.CurrentPickTag = 0;
  ResetCurrentAttributes();
  s.EntityFlags = 0;
  s.PolylineCount = 0;
  s.InPolyline = false;
  s.DimensionPending = false;
  s.PendingDimensionLine = DefaultPendingDimensionLine();

  ForEachGrowingList([](auto& list) { list.Release(); });
}

void ResetCurrentAttributes() {
  THostState& s = HostState;
  s.CurrentGroup = 0;
  s.CurrentLayer = 0;
  s.CurrentColour = 1;
  s.CurrentLineType = 1;
  s.CurrentLineWidth = 0;
  s.CurrentTextStyle = 1;
  s.CurrentFreeText = kDefaultFreeText;
  s.CurrentTextCc = 0;
  s.CurrentFontName = "<ＭＳ ゴシック>";
  s.PointColour = 1;
  s.ExtendedColour = 0;
}

void FreeHostState() {
  THostState& s = HostState;
  ReleaseVector(s.PickedPoints);
  ReleaseVector(s.GroupStates);
  ReleaseVector(s.GroupNames);
  ReleaseVector(s.LayerStates);
  ReleaseVector(s.LayerNames);
  ForEachGrowingList([](auto& list) { list.Release(); });
}
