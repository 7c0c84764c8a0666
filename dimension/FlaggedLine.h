#pragma once
// Every line and point marker of the construction is preceded by a "z3" flag
// line, so that the host treats it as part of the dimension.
#include <cstdint>

#include "dimension/PlanePoint.h"
#include "exchange/OutputWriter.h"

// The flag set {z3} of EmitZFlags.
inline constexpr std::int32_t kZ3 = 4;

// {z3}, then the line from `from` to `to`.
void EmitZ3Line(OutputCommands& out, PlanePoint from, PlanePoint to);
