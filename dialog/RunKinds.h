#pragma once
// What the words the user reads depend on, beside the outcome of a run: the
// kind of chain (vertical dimensions, whose dimension line runs along the
// host's vertical axis, or horizontal ones, along its horizontal axis),
// what a line the user clicked turned out to be, and what each point the
// host asks for stands for.
enum class ChainDirection { Vertical, Horizontal };

// What the line that the user clicked turned out to be.
enum class ClickedLine {
  None,           // the host sent no clicked line
  DimensionLine,  // part of a dimension line (or drawn over one): its chain is taken
  FlaggedAcross,  // across the axis, flagged: an extension line (or a dimension line
                  // of the other direction)
  Across,         // across the axis, without the flag: a wall, a grid line
  Slanted,        // neither along nor across the axis: a leader, a barb
  Underline,      // along the axis with a value over it, but no dimension line
  FlaggedAlong,   // along the axis, flagged, without a value: extension lines, leaders
  Along,          // along the axis, without the flag or a value: a wall, a grid line
};

enum class PickRole {
  Measured,       // a measured point (the new one, or either end of a new chain)
  DimensionLine,  // a point on the dimension line
  ValuePosition,  // where the value is written
  ChainLine,      // the chain's dimension line itself, clicked: the host writes the point
                  // as "hp<n>ln" and tags the line it found there ("hhp<n>ln")
};

// The host asks for a line at this point's prompt ("#<n>ln"), not a point.
constexpr bool AsksForLine(PickRole role) { return role == PickRole::ChainLine; }
