#include "dimension/FlaggedLine.h"

#include "exchange/OutputWriter.h"

void EmitZ3Line(PlanePoint from, PlanePoint to) {
  EmitZFlags(kZ3);
  EmitLine(from.X, from.Y, to.X, to.Y);
}
