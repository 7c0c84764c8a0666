#pragma once
// The chain of vertical dimensions that the user range-selected in the
// drawing, found among the entities the host wrote of the selection.
//
// A dimension line runs along the host's vertical axis and is either the line
// of a dimension figure or a line segment flagged as a dimension ("z3") whose
// two ends flagged segments across the axis (the extension lines) reach.
// Other flagged segments along the axis are not dimension lines: the
// underline of a turned value text, a leader, a barb or the overshoot of
// reversed marks has at most one end on an extension line. Segments of one
// line that touch or overlap form one chain; of several chains the one
// nearest to the value position across the axis is taken.
#include <optional>

#include "dimension/PlanePoint.h"
#include "exchange/HostState.h"

struct PickedChain {
  // The ends of the chain's dimension line, as the drawing holds them: the
  // lower and the upper one along the host's vertical axis.
  PlanePoint Lower;
  PlanePoint Upper;
  // Their levels along the vertical axis (v = -x sin θ + y cos θ), and the
  // chain's length between them.
  double LowerLevel = 0;
  double UpperLevel = 0;
  double Length = 0;
};

// The chain nearest to `valuePosition` across the axis (and, of chains at
// the same distance, along it), or none when the selection holds no
// vertical dimension line.
std::optional<PickedChain> FindPickedChain(const HostState& host, PlanePoint valuePosition);
// The same along the axes of `axisAngle` in place of the host's: a horizontal
// chain is found as a vertical one on axes turned by 90 degrees.
std::optional<PickedChain> FindPickedChain(const HostState& host, double axisAngle,
                                           PlanePoint valuePosition);
