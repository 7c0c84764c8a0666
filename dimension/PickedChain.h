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
//    (on one line, for a flagged run before another); and values drawn away
//    from it, over an underline (a flagged run with the value beside it that
//    is no dimension line itself) from one end of which a flagged leader
//    reaches the run, counted for the piece that the leader meets;
//  - the flag, and dimension figures.
// A dimension line shows its value: a run is one when it holds a dimension
// figure's line, or when a value stands beside one of its pieces and either
// two of its points are marked or it is flagged and two of its pieces have
// values (its extension lines left outside the selection). Marked points
// alone, flagged or not, make none: a flagged extension line, two of them
// overlapping on one line (neighbouring chains of the other direction, each
// with its own), a leader between other dimension lines. Nor do the
// underline of a value (its text over it, at most one extension line or
// leader at its ends), leaders and barbs (not along the axis), grid and
// hatch lines (no values beside them).
//
// A dimension line's chain reaches from the lowest to the highest of its
// marked points and of the pieces with a value or a figure: inner measured
// points without extension lines are inside it, and a piece with its value
// whose extension line lies outside the selection still belongs to it; what
// hangs bare beyond (the overshoot of a reversed mark) does not. Of several
// chains the one nearest to the value position across the axis is taken
// (and of chains at the same distance, the nearest along it); or, for a line
// the user clicked, the dimension line through the clicked piece.
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
  std::optional<PickedChain> Chain;  // the chain taken
  std::size_t Nearest = 0;           // its line in Lines
  // A search through a piece: the line in Lines that holds it, whether a
  // dimension line or not (none when no run along the axis holds it).
  std::optional<std::size_t> Through;
  ClickedLine Clicked = ClickedLine::None;  // a search from a clicked line: what it was
};

// The search of the selection of `host` along the axis at `axisAngle`: the
// dimension line nearest to the value position.
ChainSearch SearchPickedChain(const HostState& host, double axisAngle, PlanePoint valuePosition);

// The search of the drawing of `host` along the axis at `axisAngle` for the
// dimension line through the piece from `from` to `to` (a line the user
// clicked): of the runs on the piece's line that hold it whole, the flagged
// one before one without the flag. The chain is that run's when it is a
// dimension line, by the same rules and with the same extent as above.
ChainSearch SearchChainThrough(const HostState& host, double axisAngle, PlanePoint from,
                               PlanePoint to);

// The search from the line the user clicked (PickedLine; none: the host
// sent no clicked line): the dimension line through it (SearchChainThrough),
// and what the clicked line turned out to be.
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
