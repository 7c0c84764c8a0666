#pragma once
// The marks at the two ends of the new dimension line: a line arrow (two
// barbs) or one of eleven point markers, reversed together with an overshoot
// of the dimension line when the two do not fit between the ends.
#include <cstdint>

#include "dimension/PlanePoint.h"
#include "exchange/OutputWriter.h"

// Marks are the entry numbers of the start and end mark lists, the kinds of
// EndMarkKinds: the line arrow and the host's point markers.
struct EndMarkSettings {
  std::int32_t StartMark = 0;        // at E1, the lower end
  std::int32_t EndMark = 0;          // at E2, the upper end
  double MarkScale = 0;              // point markers only
  double ArrowLength = 0;            // paper mm
  double ArrowAngle = 0;             // half-opening of the arrow, degrees
  double ReverseArrowOvershoot = 0;  // drawing units
  double Scale = 1;                  // S
};

// How far a mark extends along the dimension line, in drawing units. A
// number that is no entry of the lists throws std::out_of_range.
double MarkReach(std::int32_t kind, const EndMarkSettings& settings);

// True when the two marks do not fit between the ends (a sum equal to the
// length still fits).
bool MarksReversed(PlanePoint e1, PlanePoint e2, const EndMarkSettings& settings);

// Emits the start mark at E1, then the end mark at E2.
void EmitEndMarks(OutputCommands& out, PlanePoint e1, PlanePoint e2, const EndMarkSettings& settings);
