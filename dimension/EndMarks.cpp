#include "dimension/EndMarks.h"

#include <cmath>

#include "dialog/EndMarkKinds.h"
#include "dimension/FlaggedLine.h"
#include "exchange/OutputWriter.h"
#include "helpers/Extended.h"
#include "helpers/ExtendedTrig.h"
#include "helpers/Geometry.h"

namespace {

bool IsLineArrow(const EndMarkKind& kind) { return kind.HostMarker == kLineArrowMarker; }

// One mark at `end`; alpha points out of the dimension line there, or into it
// when the marks are reversed.
void EmitMark(OutputCommands& out, std::int32_t entry, PlanePoint end, double alpha, bool reversed,
              const EndMarkSettings& s) {
  const EndMarkKind& kind = EndMarkKindAt(entry);
  const Extended back = static_cast<Extended>(alpha) + 180;
  if (reversed && s.ReverseArrowOvershoot > kTolerance)
    EmitZ3Line(out, end, PointTowards(end, s.ReverseArrowOvershoot, back));
  if (IsLineArrow(kind)) {
    const double barb = static_cast<double>(static_cast<Extended>(s.ArrowLength) * s.Scale);
    EmitZ3Line(out, end, PointTowards(end, barb, back + s.ArrowAngle));
    EmitZ3Line(out, end, PointTowards(end, barb, back - s.ArrowAngle));
  } else {
    EmitZFlags(out, kZ3);
    EmitPoint(out, kind.HostMarker, end.X, end.Y, s.MarkScale, alpha);
  }
}

// The direction from `from` to `to` in degrees, turned by the offset, in
// [0, 360). The angle is a stored value: the sum is rounded to double, and
// so is the difference when it wraps past 360, so that the point marker and
// the barbs take the same angle as the companion tool's file would hold.
double MarkAngle(PlanePoint from, PlanePoint to, double offset) {
  double alpha = static_cast<double>(
      static_cast<Extended>(VectorAngleDeg(
          static_cast<double>(static_cast<Extended>(to.X) - from.X),
          static_cast<double>(static_cast<Extended>(to.Y) - from.Y))) +
      offset);
  if (alpha >= 360) alpha = static_cast<double>(static_cast<Extended>(alpha) - 360);
  return alpha;
}

}  // namespace

double MarkReach(std::int32_t entry, const EndMarkSettings& s) {
  const EndMarkKind& kind = EndMarkKindAt(entry);
  if (IsLineArrow(kind))
    return static_cast<double>(static_cast<Extended>(s.ArrowLength) *
                               CosExtended(DegToRad(s.ArrowAngle)) * s.Scale);
  return static_cast<double>(kind.Reach * s.MarkScale * s.Scale);
}

bool MarksReversed(PlanePoint e1, PlanePoint e2, const EndMarkSettings& s) {
  const Extended length = Distance(e1.X, e1.Y, e2.X, e2.Y);
  return static_cast<Extended>(MarkReach(s.StartMark, s)) + MarkReach(s.EndMark, s) > length;
}

void EmitEndMarks(OutputCommands& out, PlanePoint e1, PlanePoint e2, const EndMarkSettings& s) {
  const bool reversed = MarksReversed(e1, e2, s);
  const double offset = reversed ? 180 : 0;

  // Without reversal each mark points out of the dimension line, away from
  // the other end.
  EmitMark(out, s.StartMark, e1, MarkAngle(e2, e1, offset), reversed, s);

  EmitZFlags(out, kZ3);
  EmitMark(out, s.EndMark, e2, MarkAngle(e1, e2, offset), reversed, s);
}
