#pragma once
// Where the new vertical dimension goes: the ends of its dimension line, the
// extension lines at the measured points, the direction of the value, its
// underline and the leader that joins the dimension line to it.
#include <optional>
#include <string>

#include "dimension/PlanePoint.h"
#include "dimension/ValueText.h"
#include "exchange/OutputWriter.h"

struct PlaneSegment {
  PlanePoint From;
  PlanePoint To;
};

// What the OK action hands over, in drawing units.
struct DimensionInput {
  double AxisAngle = 0;      // θ: horizontal u = (cos θ, sin θ), vertical v = (-sin θ, cos θ)
  double Scale = 1;          // S, paper mm to drawing units
  PlanePoint A;              // the lower measured point along v
  PlanePoint B;              // the upper measured point
  bool Upward = false;       // the new point is B, above the chain
  PlanePoint D;              // a point on the chain's dimension line
  PlanePoint Q;              // where the value goes
  double LastAxisAngle = 0;  // the axis angle the chain was stored at
  bool BothExtensionLines = false;  // a new chain: no end has its extension line yet
  double ExtLineOffset = 0;
  double ExtLineOvershoot = 0;
  double TextLineGap = 0;    // g
};

// E1 at A's level and E2 at B's level on the line through D in direction v.
struct DimensionLineEnds {
  PlanePoint E1;
  PlanePoint E2;
};
DimensionLineEnds FindDimensionLineEnds(double axisAngle, PlanePoint a, PlanePoint b,
                                        PlanePoint d);

// True when the host's axis angle equals the stored one within 1e-10 degrees,
// on either side of it.
bool AxisAngleUnchanged(double axisAngle, double lastAxisAngle);

// The extension line at a measured point: it starts `offset` from the point
// towards the dimension line through d and ends `overshoot` beyond it.
PlaneSegment MakeExtensionLine(double axisAngle, PlanePoint measured, PlanePoint d,
                               double offset, double overshoot);

// The direction of the value text in degrees: parallel to v, turned so that
// the text never reads upside down.
double TextDirectionDeg(double axisAngle);

// Everything that is drawn of the new dimension before its end marks.
struct DimensionLayout {
  PlanePoint E1, E2;
  PlanePoint M;                              // the middle of E1-E2
  std::optional<PlaneSegment> ExtensionA;    // absent when A is the old end
  std::optional<PlaneSegment> ExtensionB;    // absent when B is the old end
  double Phi = 0;                            // text direction, degrees
  PlanePoint Direction;                      // (10 cos φ, 10 sin φ)
  PlanePoint Q;                              // the value position
  PlanePoint T0, T1;                         // the underline
  PlanePoint LeaderEnd;                      // T0 or T1
};

// `valueWidth` is the width of the value text on paper (ValueTextWidth).
DimensionLayout LayOutDimension(const DimensionInput& input, const DimensionLineEnds& ends,
                                double valueWidth);

// Emits the extension lines, the dimension line with its value (or the
// dimension figure), the leader and the underline, in this order.
void EmitDimensionBody(OutputCommands& out, const DimensionLayout& layout, const std::string& valueText,
                       const ValueStyle& style, bool asDimensionFigure);
