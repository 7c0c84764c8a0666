#pragma once
// The chain of dimensions that the user range-selected in the drawing, found
// among the entities the host wrote of the selection. The chain runs along
// the direction v = (-sin θ, cos θ) of the axis angle θ it is searched at:
// the host's vertical for a vertical chain.
//
// Segments along the axis that touch or overlap on one line are joined into
// a run first, the flagged ones ("z3", or lines of dimension figures) among
// themselves and the others among themselves: the host writes the flag on
// every part of a dimension, so a plain line drawn over a dimension line is
// not part of it. A run is then judged by what a draughtsperson reads in it:
//  - marked points: its ends, or points where its segments meet, that an
//    extension line reaches (ending there or passing through) or that a dot
//    or a point marker stands on; for a flagged run only flagged lines
//    across the axis are extension lines (walls and grid lines are not), for
//    a run without the flag (a file written without flags) any line is;
//  - values: "cs" texts turned along it, beside it within a character
//    height, each counted for the piece of the run (between two of its
//    points) level with the middle of the text, and for the nearest run only
//    (on one line, for a flagged run before another);
//  - the flag, and dimension figures.
// A run is a dimension line when it holds a dimension figure's line, when two
// of its points are marked and it is flagged or has a value beside it, or
// when it is flagged and two of its pieces have values (its extension lines
// left outside the selection). So a run without the flag needs values. The
// underline of a value (its text over it, at most one extension line or
// leader at its ends), leaders and barbs (not along the axis), grid and
// hatch lines (no values beside them) are no dimension lines.
//
// A dimension line's chain reaches from the lowest to the highest of its
// marked points and of the pieces with a value or a figure: inner measured
// points without extension lines are inside it, and a piece with its value
// whose extension line lies outside the selection still belongs to it; what
// hangs bare beyond (the overshoot of a reversed mark) does not. Of several
// chains the one nearest to the value position across the axis is taken
// (and of chains at the same distance, the nearest along it).
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "dialog/RunKinds.h"
#include "dimension/PlanePoint.h"
#include "exchange/HostState.h"

struct PickedChain {
  // The chain's ends, as the drawing holds them: the lower and the upper one
  // along the axis.
  PlanePoint Lower;
  PlanePoint Upper;
  // Their levels along the axis (v = -x sin θ + y cos θ), and the chain's
  // length between them.
  double LowerLevel = 0;
  double UpperLevel = 0;
  double Length = 0;
  // How many dimension lines the selection holds, this one included.
  std::size_t DimensionLines = 0;
  // The levels up to which the chain may be continued below and above
  // without reaching into another dimension line on its line.
  double FreeBelow = -std::numeric_limits<double>::infinity();
  double FreeAbove = std::numeric_limits<double>::infinity();
};

// A line along the axis in the selection, as the search judged it.
struct SeenLine {
  // A dimension line: its chain's ends; any other line: the ends of the run.
  PlanePoint Lower;
  PlanePoint Upper;
  bool Dimension = false;
  bool Valued = false;  // a value beside it
  bool Marked = false;  // two of its points marked
};

struct ChainSearch {
  std::vector<SeenLine> Lines;       // every run along the axis
  std::optional<PickedChain> Chain;  // the chain nearest to the value position
  std::size_t Nearest = 0;           // its line in Lines
  ClickedLine Clicked = ClickedLine::None;  // a search from a clicked line: what it was
};

// The search of the selection of `host` along the axis at `axisAngle`.
ChainSearch SearchPickedChain(const HostState& host, double axisAngle, PlanePoint valuePosition);

// The search from a line the user clicked (PickedLine): the chain is the
// dimension line that the clicked piece is part of, judged by the same
// rules, its extent its own; a clicked line that is part of no dimension
// line gives no chain, and Clicked says what it is.
ChainSearch SearchClickedChain(const HostState& host, double axisAngle, const LineEntity* clicked);

// A continuation of the chain to `p` would reach into another dimension line
// on the chain's line (beyond its near end, not onto it).
bool ReachesAnotherDimensionLine(const PickedChain& chain, PlanePoint p, double axisAngle);

// What the user is told when the search found no dimension line: how many
// lines along the axis it looked at, what they lack, and what to select.
// The words are those of the chain's direction (RunKinds.h).
std::string NoChainMessage(const ChainSearch& search, ChainDirection direction);
// The same for a click: what was clicked, and what to click.
std::string NoClickedChainMessage(const ChainSearch& search, ChainDirection direction);
