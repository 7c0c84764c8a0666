#include "dimension/OkPlan.h"

#include <cmath>
#include <optional>

#include "dialog/UserTexts.h"
#include "dimension/EndMarks.h"
#include "exchange/OutputWriter.h"
#include "helpers/Geometry.h"

namespace {

double InDrawingUnits(double paperMm, double scale) {
  return static_cast<double>(static_cast<Extended>(paperMm) * scale);
}

// The host's own attributes, so that the new dimension is drawn with them.
void EmitHostAttributes(const HostState& host, OutputCommands& out) {
  const DrawingAttributes& own = host.Initial;
  EmitLayerGroup(out, own.Group);
  EmitLayer(out, own.Layer);
  EmitLineColor(out, own.Colour);
  EmitPnColor(out, own.Colour);
  EmitLineType(out, own.LineType);
  EmitLineWidth(out, own.LineWidth);
  EmitFontName(out, own.FontName);
}

// Hands the host back its own text style, whatever number it had.
void RestoreHostTextStyle(const HostState& host, OutputCommands& out) {
  const HostTextStyle& free = host.Initial.FreeText;
  EmitTextStyle(out, host.Initial.TextStyle, free.Colour, free.Width, free.Height, free.Spacing);
}

// The host's picked point number n as a point of the plane.
PlanePoint Pick(const HostState& host, int n) {
  const PickedPoint& picked = host.PickedPoints[static_cast<std::size_t>(n)];
  return PlanePoint{picked.X, picked.Y};
}

// Each chain source below gives the plan the chain as it will be stored and
// the new dimension's ends (Side, Extension), and says what the chain's end
// that the new dimension starts from already has (the dimension's
// LastAxisAngle and BothExtensionLines); or it sets the outcome that refuses
// the run and answers false. `axis` is the construction's axis of the run.

// The stored chain, continued outwards to the measured point.
bool PlanFromStored(const DialogSettings& values, const HostState& host, const RunMode& mode,
                    double axis, OkPlan& plan) {
  const OrderedChain chain = OrderChain(RescaledChain(values, plan.Scale), axis);
  const PlanePoint p = Pick(host, mode.PickOf(PickRole::Measured));
  plan.Side = LocatePoint(chain, p, axis);
  if (plan.Side == ChainSide::Inside) {
    plan.Outcome = OkOutcome::Inside;
    return false;
  }
  plan.Extension = ExtendChain(chain, p, plan.Side);
  // A stored angle is the host's, turned as the host's of this run is.
  plan.Dimension.LastAxisAngle = mode.ConstructionAxis(values.LastAxisAngle);
  plan.Dimension.BothExtensionLines = false;
  return true;
}

// A new chain: its first dimension between the two measured points.
bool PlanFromPicks(const DialogSettings& values, const HostState& host, const RunMode& mode,
                   double axis, OkPlan& plan) {
  // The two measured points in the order of a chain's ends, and the point
  // on the dimension line: the first dimension is built as a continuation
  // from the lower to the upper one.
  const int first = mode.PickOf(PickRole::Measured);
  const OrderedChain ends = OrderChain(
      StoredChain{Pick(host, first), Pick(host, first + 1),
                  Pick(host, mode.PickOf(PickRole::DimensionLine))},
      axis);
  plan.Side = ChainSide::Above;
  plan.Extension =
      ChainExtension{StoredChain{ends.Lower, ends.Upper, ends.Ref}, ends.Lower, ends.Upper, true};
  plan.Dimension.LastAxisAngle = mode.ConstructionAxis(values.LastAxisAngle);
  // Neither end of a new chain has its extension line yet.
  plan.Dimension.BothExtensionLines = true;
  return true;
}

// A chain found in the drawing, continued as a stored one to the measured
// point; without one, the refusal that tells what the search saw
// (`noChain`).
bool ContinueFoundChain(const ChainSearch& search,
                        std::string (*noChain)(const ChainSearch&, const RunMode&),
                        const HostState& host, const RunMode& mode, double axis, OkPlan& plan) {
  if (!search.Chain) {
    plan.Outcome = OkOutcome::NoChain;
    plan.NoChain = noChain(search, mode);
    return false;
  }
  plan.Picked = *search.Chain;
  OrderedChain chain{plan.Picked.Lower, plan.Picked.Upper, plan.Picked.Lower};
  const PlanePoint p = Pick(host, mode.PickOf(PickRole::Measured));
  plan.Side = LocatePoint(chain, p, axis);
  // Nor is a picked chain continued into another dimension line drawn on
  // its line.
  if (plan.Side == ChainSide::Inside || ReachesAnotherDimensionLine(plan.Picked, p, axis)) {
    plan.Outcome = OkOutcome::Inside;
    return false;
  }
  // Its dimension line is taken through the end it goes on from, so that
  // the new dimension line starts exactly where the drawn one ends.
  chain.Ref = plan.Side == ChainSide::Below ? chain.Lower : chain.Upper;
  plan.Extension = ExtendChain(chain, p, plan.Side);
  // It counts as stored at the host's axes of this run: its extension lines
  // stand in the drawing.
  plan.Dimension.LastAxisAngle = axis;
  plan.Dimension.BothExtensionLines = false;
  return true;
}

bool PlanFromDrawing(const HostState& host, const RunMode& mode, double axis,
                     DrawnChainMemory* memory, OkPlan& plan) {
  DrawnChainMemory own;
  if (memory == nullptr) memory = &own;
  if (!memory->Search) memory->Search = SearchDrawnChain(host, mode);
  return ContinueFoundChain(*memory->Search, DrawnChainRefusal, host, mode, axis, plan);
}

bool PlanChain(const DialogSettings& values, const HostState& host, const RunMode& mode,
               double axis, DrawnChainMemory* memory, OkPlan& plan) {
  switch (mode.Chain) {
    case ChainSource::Stored:
      return PlanFromStored(values, host, mode, axis, plan);
    case ChainSource::Picks:
      return PlanFromPicks(values, host, mode, axis, plan);
    case ChainSource::Selection:
    case ChainSource::Click:
      return PlanFromDrawing(host, mode, axis, memory, plan);
  }
  return false;
}

// The new dimension from the chain's extension: its geometry in drawing
// units, its length and its value.
void PlanDimension(const HostState& host, double axis, OkPlan& plan) {
  const OkInputs& in = plan.In;
  DimensionInput& dim = plan.Dimension;
  dim.AxisAngle = axis;
  dim.Scale = plan.Scale;
  dim.A = plan.Extension.A;
  dim.B = plan.Extension.B;
  dim.Upward = plan.Extension.Upward;
  dim.D = plan.Extension.Chain.Ref;
  dim.Q = Pick(host, plan.Mode->PickOf(PickRole::ValuePosition));
  dim.TextLineGap = InDrawingUnits(in.TextLineGap, plan.Scale);
  dim.ExtLineOffset = InDrawingUnits(in.ExtLineOffset, plan.Scale);
  dim.ExtLineOvershoot = InDrawingUnits(in.ExtLineOvershoot, plan.Scale);

  plan.Ends = FindDimensionLineEnds(axis, dim.A, dim.B, dim.D);
  plan.Length = Distance(plan.Ends.E1.X, plan.Ends.E1.Y, plan.Ends.E2.X, plan.Ends.E2.Y);
  if (std::fabs(plan.Length) < kTolerance) {
    plan.Outcome = OkOutcome::ZeroLength;
    return;
  }
  plan.Style = SelectValueStyle(in.TextStyle, host);
  plan.ValueText = MakeValueText(plan.Length, in.Format);
  plan.Outcome = OkOutcome::Draw;
}

}  // namespace

ChainSearch SearchDrawnChain(const HostState& host, const RunMode& mode) {
  const double axis = mode.ConstructionAxis(host.AxisAngle);
  if (mode.Chain == ChainSource::Click)
    return SearchClickedChain(host, axis, PickedLine(host, mode.PickOf(PickRole::ChainLine)));
  return SearchPickedChain(host, axis, Pick(host, mode.PickOf(PickRole::ValuePosition)));
}

std::string DrawnChainRefusal(const ChainSearch& search, const RunMode& mode) {
  return mode.Chain == ChainSource::Click ? NoClickedChainMessage(search, mode.Direction)
                                          : NoChainMessage(search, mode.Direction);
}

// The checks every run passes first, then the chain from the mode's source,
// then the dimension that continues it.
OkPlan PlanOk(const DialogSettings& values, const HostState& host, const RunMode& mode,
              DrawnChainMemory* memory) {
  OkPlan plan;
  plan.Mode = &mode;
  const CheckedInputs checked = CheckOkInputs(values);
  if (!checked.Inputs) {
    plan.Refused = checked.Refused;
    return plan;
  }
  plan.In = *checked.Inputs;
  plan.Scale = CurrentGroupScale(host);
  // A point the host did not send would stand at the origin and be taken
  // for a pick.
  const int needed = static_cast<int>(mode.Picks.size());
  for (int n = 1; n <= needed; ++n)
    if (!host.PickedPoints[static_cast<std::size_t>(n)].Set) plan.MissingPicks.push_back(n);
  if (!plan.MissingPicks.empty()) {
    plan.Outcome = OkOutcome::MissingPicks;
    return plan;
  }
  // A horizontal chain is built as a vertical one on axes turned by 90
  // degrees: its dimension line runs along the construction's vertical axis.
  const double axis = mode.ConstructionAxis(host.AxisAngle);
  if (PlanChain(values, host, mode, axis, memory, plan)) PlanDimension(host, axis, plan);
  return plan;
}

std::string MissingPicksMessage(const std::vector<int>& missing, const RunMode& mode) {
  return MissingPicksMessage(missing, mode.Picks, mode.Direction, mode.Chain == ChainSource::Picks);
}

void EmitPlannedDimension(const OkPlan& plan, const HostState& host, OutputCommands& out) {
  const OkInputs& in = plan.In;
  EmitHostAttributes(host, out);

  const DimensionLayout layout = LayOutDimension(plan.Dimension, plan.Ends,
                                                 ValueTextWidth(plan.ValueText, plan.Style));
  EmitDimensionBody(out, layout, plan.ValueText, plan.Style, in.AsDimensionFigure);

  EndMarkSettings marks;
  marks.StartMark = in.StartMark;
  marks.EndMark = in.EndMark;
  marks.MarkScale = in.MarkScale;
  marks.ArrowLength = in.ArrowLength;
  marks.ArrowAngle = in.ArrowAngle;
  marks.ReverseArrowOvershoot = InDrawingUnits(in.ReverseArrowOvershoot, plan.Scale);
  marks.Scale = plan.Scale;
  EmitEndMarks(out, plan.Ends.E1, plan.Ends.E2, marks);

  RestoreHostTextStyle(host, out);
}
