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

}  // namespace

OkPlan PlanOk(const DialogSettings& values, const HostState& host, const RunMode& mode) {
  OkPlan plan;
  plan.Mode = &mode;
  const CheckedInputs checked = CheckOkInputs(values);
  if (!checked.Inputs) {
    plan.Refused = checked.Refused;
    return plan;
  }
  plan.In = *checked.Inputs;
  const OkInputs& in = plan.In;

  plan.Scale = CurrentGroupScale(host);
  const double scale = plan.Scale;
  // A horizontal chain is built as a vertical one on axes turned by 90
  // degrees: its dimension line runs along the construction's vertical axis.
  const double axis = mode.ConstructionAxis(host.AxisAngle);
  const auto pick = [&host](int n) {
    const PickedPoint& picked = host.PickedPoints[static_cast<std::size_t>(n)];
    return PlanePoint{picked.X, picked.Y};
  };
  // A point the host did not send would stand at the origin and be taken
  // for a pick.
  const int needed = static_cast<int>(mode.Picks.size());
  for (int n = 1; n <= needed; ++n)
    if (!host.PickedPoints[static_cast<std::size_t>(n)].Set) plan.MissingPicks.push_back(n);
  if (!plan.MissingPicks.empty()) {
    plan.Outcome = OkOutcome::MissingPicks;
    return plan;
  }
  if (mode.Chain == ChainSource::Picks) {
    // The two measured points in the order of a chain's ends, and the point
    // on the dimension line: the first dimension is built as a continuation
    // from the lower to the upper one.
    const int first = mode.PickOf(PickRole::Measured);
    const OrderedChain ends = OrderChain(
        StoredChain{pick(first), pick(first + 1), pick(mode.PickOf(PickRole::DimensionLine))}, axis);
    plan.Side = ChainSide::Above;
    plan.Extension = ChainExtension{StoredChain{ends.Lower, ends.Upper, ends.Ref}, ends.Lower,
                                    ends.Upper, true};
  } else {
    OrderedChain chain;
    const bool picked = mode.Chain == ChainSource::Selection;
    if (picked) {
      const ChainSearch search =
          SearchPickedChain(host, axis, pick(mode.PickOf(PickRole::ValuePosition)));
      if (!search.Chain) {
        plan.Outcome = OkOutcome::NoChain;
        plan.NoChain = NoChainMessage(search, mode.Direction);
        return plan;
      }
      plan.Picked = *search.Chain;
      chain = OrderedChain{plan.Picked.Lower, plan.Picked.Upper, plan.Picked.Lower};
    } else {
      chain = OrderChain(RescaledChain(values, scale), axis);
    }
    const PlanePoint p = pick(mode.PickOf(PickRole::Measured));
    plan.Side = LocatePoint(chain, p, axis);
    // Nor is a picked chain continued into another dimension line drawn on
    // its line.
    if (plan.Side == ChainSide::Inside ||
        (picked && ReachesAnotherDimensionLine(plan.Picked, p, axis))) {
      plan.Outcome = OkOutcome::Inside;
      return plan;
    }
    // A picked chain's dimension line is taken through the end it goes on
    // from, so that the new dimension line starts exactly where the drawn
    // one ends.
    if (picked) chain.Ref = plan.Side == ChainSide::Below ? chain.Lower : chain.Upper;
    plan.Extension = ExtendChain(chain, p, plan.Side);
  }

  DimensionInput& dim = plan.Dimension;
  dim.AxisAngle = axis;
  dim.Scale = scale;
  dim.A = plan.Extension.A;
  dim.B = plan.Extension.B;
  dim.Upward = plan.Extension.Upward;
  dim.D = plan.Extension.Chain.Ref;
  dim.Q = pick(mode.PickOf(PickRole::ValuePosition));
  // A picked chain counts as stored at the host's axes of this run: its
  // extension lines stand in the drawing.
  // A stored angle is the host's, turned as the host's of this run is.
  dim.LastAxisAngle = mode.Chain == ChainSource::Selection
                          ? axis
                          : mode.ConstructionAxis(values.LastAxisAngle);
  // Neither end of a new chain has its extension line yet.
  dim.BothExtensionLines = mode.Chain == ChainSource::Picks;
  dim.TextLineGap = InDrawingUnits(in.TextLineGap, scale);
  dim.ExtLineOffset = InDrawingUnits(in.ExtLineOffset, scale);
  dim.ExtLineOvershoot = InDrawingUnits(in.ExtLineOvershoot, scale);

  plan.Ends = FindDimensionLineEnds(axis, dim.A, dim.B, dim.D);
  plan.Length = Distance(plan.Ends.E1.X, plan.Ends.E1.Y, plan.Ends.E2.X, plan.Ends.E2.Y);
  if (std::fabs(plan.Length) < kTolerance) {
    plan.Outcome = OkOutcome::ZeroLength;
    return plan;
  }
  plan.Style = SelectValueStyle(in.TextStyle, host);
  plan.ValueText = MakeValueText(plan.Length, in.Format);
  plan.Outcome = OkOutcome::Draw;
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
