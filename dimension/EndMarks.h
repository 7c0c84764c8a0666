#pragma once
// The marks at the two ends of the new dimension line: a line arrow (two
// barbs) or one of eleven point markers, reversed together with an overshoot
// of the dimension line when the two do not fit between the ends.
#include <cstdint>

#include "dimension/PlanePoint.h"
#include "exchange/OutputWriter.h"

// Mark kinds are the entry numbers of the start and end mark lists: 0 is the
// line arrow, 1-11 are the host's point markers of those kinds.
inline constexpr std::int32_t kLineArrow = 0;

struct EndMarkSettings {
  std::int32_t StartMark = kLineArrow;  // at E1, the lower end
  std::int32_t EndMark = kLineArrow;    // at E2, the upper end
  double MarkScale = 1;                 // point markers only
  double ArrowLength = 3;               // paper mm
  double ArrowAngle = 15;               // half-opening of the arrow, degrees
  double ReverseArrowOvershoot = 0;     // drawing units
  double Scale = 1;                     // S
};

// How far a mark extends along the dimension line, in drawing units.
double MarkReach(std::int32_t kind, const EndMarkSettings& settings);

// True when the two marks do not fit between the ends (a sum equal to the
// length still fits).
bool MarksReversed(PlanePoint e1, PlanePoint e2, const EndMarkSettings& settings);

// Emits the start mark at E1, then the end mark at E2.
void EmitEndMarks(OutputCommands& out, PlanePoint e1, PlanePoint e2, const EndMarkSettings& settings);
