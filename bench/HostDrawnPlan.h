#pragma once
// A large plan as the host writes it when asked for the whole drawing's
// readable data, for the whole-run benchmarks of picks: storeys side by side
// and one above the other, each with its walls (lines without flags) and
// three chains of dimensions along each of its two sides (vertical chains on
// the left, horizontal ones below), as the host's dimension command draws
// them with "z3": dimension line pieces, dots on the measured points,
// extension lines ending on their own dimension line (so that those of
// neighbouring chains overlap on one line), values beside the pieces.
#include <cstddef>
#include <string>

struct PlanPoint {
  double X = 0;
  double Y = 0;
};

struct HostDrawnPlan {
  // The host file: header lines, then the picks, then the drawing.
  std::string Header;  // up to the picks (no "hp" lines)
  std::string Drawing;
  std::size_t Lines = 0;   // lines of the drawing
  std::size_t Values = 0;  // "cs" values among them
  // The first storey's inner vertical chain: one of its pieces (for a pick by
  // a click on it), a value position beside it and a new measured point
  // above its upper end (for a continuation upwards); and the same for its
  // inner horizontal chain, the new point beyond its right end.
  PlanPoint VerticalPieceFrom, VerticalPieceTo, VerticalValue, VerticalNewPoint;
  PlanPoint HorizontalPieceFrom, HorizontalPieceTo, HorizontalValue, HorizontalNewPoint;
  // The host file of a range pick: "hp1" the new point, "hp2" the value
  // position, then the drawing.
  std::string RangePick(bool horizontal) const;
  // The host file of a one-click pick: "hp1ln" the point clicked, the middle
  // of the inner chain's piece, "hp2" the new point, "hp3" the value
  // position, then the drawing with the piece's line tagged "hhp1ln" (after
  // its flag line, as the host writes it).
  std::string ClickPick(bool horizontal) const;
};

// A plan of at least `targetBytes` of drawing lines.
HostDrawnPlan DrawHostPlan(std::size_t targetBytes);
