#include "dimension/FlaggedLine.h"

#include "exchange/OutputWriter.h"

void EmitZ3Line(OutputCommands& out, PlanePoint from, PlanePoint to) {
  EmitZFlags(out, kZ3);
  EmitLine(out, from.X, from.Y, to.X, to.Y);
}
