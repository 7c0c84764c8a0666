#include "dimension/DimensionGeometry.h"

#include "dimension/FlaggedLine.h"
#include "exchange/OutputWriter.h"
#include "helpers/Extended.h"
#include "helpers/Geometry.h"

namespace {

constexpr std::int32_t kCs = 2;   // text kind of the value ("cs")

PlanePoint Middle(PlanePoint a, PlanePoint b) {
  return PlanePoint{static_cast<double>((static_cast<Extended>(a.X) + b.X) / 2),
                    static_cast<double>((static_cast<Extended>(a.Y) + b.Y) / 2)};
}

// The point of the line through d in direction v that lies level with p.
PlanePoint LevelOnDimensionLine(double axisAngle, PlanePoint p, PlanePoint d) {
  const PlanePoint dInFrame = RotateAboutDeg(d, p, -axisAngle);
  return RotateAboutDeg(PlanePoint{dInFrame.X, p.Y}, p, axisAngle);
}

void EmitSegment(OutputCommands& out, const PlaneSegment& s) { EmitZ3Line(out, s.From, s.To); }

}  // namespace

DimensionLineEnds FindDimensionLineEnds(double axisAngle, PlanePoint a, PlanePoint b,
                                        PlanePoint d) {
  return DimensionLineEnds{LevelOnDimensionLine(axisAngle, a, d),
                           LevelOnDimensionLine(axisAngle, b, d)};
}

bool AxisAngleUnchanged(double axisAngle, double lastAxisAngle) {
  const Extended difference =
      NormalizeDeg(static_cast<double>(static_cast<Extended>(axisAngle) - lastAxisAngle));
  return difference <= kTolerance || difference >= 360.0L - kTolerance;
}

PlaneSegment MakeExtensionLine(double axisAngle, PlanePoint measured, PlanePoint d,
                               double offset, double overshoot) {
  const PlanePoint dInFrame = RotateAboutDeg(d, measured, -axisAngle);
  // Towards the dimension line; +u when the line passes through the point.
  const Extended side = dInFrame.X >= measured.X ? 1.0L : -1.0L;
  const PlanePoint start{static_cast<double>(measured.X + side * offset), measured.Y};
  const PlanePoint end{static_cast<double>(dInFrame.X + side * overshoot), measured.Y};
  return PlaneSegment{RotateAboutDeg(start, measured, axisAngle),
                      RotateAboutDeg(end, measured, axisAngle)};
}

double TextDirectionDeg(double axisAngle) {
  double phi = NormalizeDeg(static_cast<double>(static_cast<Extended>(axisAngle) + 90));
  if (phi >= 180) phi = static_cast<double>(static_cast<Extended>(phi) - 180);
  if (phi > 90.00000001L) phi = static_cast<double>(static_cast<Extended>(phi) + 180);
  return phi;
}

DimensionLayout LayOutDimension(const DimensionInput& in, const DimensionLineEnds& ends,
                                double valueWidth) {
  DimensionLayout out;
  out.E1 = ends.E1;
  out.E2 = ends.E2;
  out.M = Middle(ends.E1, ends.E2);

  // The extension line at the chain's old end already stands, unless the
  // host's axes have turned since the chain was stored (or the chain is new).
  const bool unchanged =
      !in.BothExtensionLines && AxisAngleUnchanged(in.AxisAngle, in.LastAxisAngle);
  if (!(in.Upward && unchanged))
    out.ExtensionA = MakeExtensionLine(in.AxisAngle, in.A, in.D, in.ExtLineOffset,
                                       in.ExtLineOvershoot);
  if (!(!in.Upward && unchanged))
    out.ExtensionB = MakeExtensionLine(in.AxisAngle, in.B, in.D, in.ExtLineOffset,
                                       in.ExtLineOvershoot);

  out.Phi = TextDirectionDeg(in.AxisAngle);
  out.Direction = PointTowards(PlanePoint{}, 10, out.Phi);
  out.Q = in.Q;

  // The underline starts g back along the text and g below it, and runs the
  // text's drawn width plus g at either end.
  const double g = in.TextLineGap;
  const PlanePoint corner = RotateAboutDeg(PlanePoint{-g, -g}, PlanePoint{}, out.Phi);
  out.T0 = PlanePoint{static_cast<double>(static_cast<Extended>(in.Q.X) + corner.X),
                      static_cast<double>(static_cast<Extended>(in.Q.Y) + corner.Y)};
  const Extended underlineLength = static_cast<Extended>(valueWidth) * in.Scale + 2.0L * g;
  out.T1 = PointTowards(out.T0, underlineLength, out.Phi);

  // The leader goes to the end of the underline nearer to M along the text
  // direction; to T0 when the underline straddles M.
  const PlanePoint t1InFrame = RotateAboutDeg(out.T1, out.M, -out.Phi);
  out.LeaderEnd = t1InFrame.X > out.M.X ? out.T0 : out.T1;
  return out;
}

void EmitDimensionBody(OutputCommands& out, const DimensionLayout& layout, const std::string& valueText,
                       const ValueStyle& style, bool asDimensionFigure) {
  if (layout.ExtensionA) EmitSegment(out, *layout.ExtensionA);
  if (layout.ExtensionB) EmitSegment(out, *layout.ExtensionB);

  if (!asDimensionFigure) {
    EmitSegment(out, PlaneSegment{layout.E1, layout.E2});
    EmitTextStyle(out, style.Number, style.Colour, style.Width, style.Height, style.Spacing);
    EmitTextCc(out, 0);
    EmitZFlags(out, kZ3);
    EmitText(out, kCs, valueText, layout.Q.X, layout.Q.Y, layout.Direction.X, layout.Direction.Y);
  } else {
    EmitTextStyle(out, style.Number, style.Colour, style.Width, style.Height, style.Spacing);
    EmitDimension(out, valueText, layout.E1.X, layout.E1.Y, layout.E2.X, layout.E2.Y, layout.Q.X,
                  layout.Q.Y, layout.Direction.X, layout.Direction.Y);
  }

  EmitSegment(out, PlaneSegment{layout.M, layout.LeaderEnd});
  EmitSegment(out, PlaneSegment{layout.T0, layout.T1});
}
