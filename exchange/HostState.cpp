#include "exchange/HostState.h"

namespace {

constexpr int kGroupCount = 16;
constexpr int kLayerSlots = 16 * 16;  // group * 16 + layer
constexpr int kPickedSlots = 100;

// The host's ten text styles start as 3 mm by 3 mm, no spacing, pen colour 2.
constexpr HostTextStyle kDefaultStyle{3.0, 3.0, 0.0, 2};

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
void ForEachGrowingList(HostState& s, F&& f) {
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
}

}  // namespace

void ResetHostState(HostState& s) {
  s.AxisAngle = 0;
  s.DrawingFile.clear();
  s.GroupScales.fill(1.0);
  s.SheetWidth = 1189.0;  // an A0 sheet, millimetres
  s.SheetHeight = 841.0;
  s.TextStyles.fill(kDefaultStyle);
  s.BzMarked = false;
  s.HnValues.fill(0.0);

  // The host names no font of its own until a line does.
  s.Initial = DefaultAttributes();

  Recreate(s.PickedPoints, kPickedSlots);
  s.PickedCount = 0;
  Recreate(s.GroupStates, kGroupCount);
  Recreate(s.GroupNames, kGroupCount);
  Recreate(s.LayerStates, kLayerSlots);
  Recreate(s.LayerNames, kLayerSlots);

  // The host's own attributes are still to come.
  s.InitialPending.fill(true);

  s.Current = DefaultRunningAttributes();
  s.CurrentPickTag = 0;
  s.EntityFlags = 0;
  s.PolylineCount = 0;
  s.InPolyline = false;
  s.DimensionPending = false;
  s.PendingDimensionLine = DefaultPendingDimensionLine();

  ForEachGrowingList(s, [](auto& list) { list.Release(); });
}

void FreeHostState(HostState& s) {
  ReleaseVector(s.PickedPoints);
  ReleaseVector(s.GroupStates);
  ReleaseVector(s.GroupNames);
  ReleaseVector(s.LayerStates);
  ReleaseVector(s.LayerNames);
  ForEachGrowingList(s, [](auto& list) { list.Release(); });
}

const LineEntity* PickedLine(const HostState& host, int n) {
  if (n < 1 || static_cast<std::size_t>(n) >= host.PickedPoints.size()) return nullptr;
  const PickedPoint& pick = host.PickedPoints[static_cast<std::size_t>(n)];
  if (!pick.Set || pick.Kind != 2) return nullptr;
  for (std::size_t i = 0; i < host.EntityOrder.Count(); ++i) {
    const EntityRef& ref = host.EntityOrder[i];
    const std::size_t at = static_cast<std::size_t>(ref.Index);
    if (ref.Kind == kLineKind && host.Lines[at].Attr.PickTag == n) return &host.Lines[at];
    if (ref.Kind == kDimensionKind && host.Dimensions[at].Line.Attr.PickTag == n)
      return &host.Dimensions[at].Line;
  }
  return nullptr;
}
