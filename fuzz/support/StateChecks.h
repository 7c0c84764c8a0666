#pragma once
// Whole-state views of a host drawing state for the fuzz targets: a complete text
// rendering (to compare two ways of reading the same bytes) and the
// invariants that hold after any input.
#include <string>

#include "exchange/HostState.h"

namespace fuzz_support {

// Every field of the state and every element of its lists, one per line;
// reals as exact hexadecimal floating-point text. Not `readable`: the same
// values as raw bytes, a fingerprint that is much faster to make and equal
// for two states exactly when their readable descriptions are.
std::string DescribeHostState(const HostState& host, bool readable = true);

// Checks what must hold after reading any bytes: the entity order lists each
// entity exactly once in the order of its list, the fixed text fields stay
// within 255 bytes, the attribute numbers read from single digits stay in
// their ranges, the fixed-size lists keep their sizes and slot 0 of the
// picked points is never filled. Aborts with a message when one fails.
void CheckHostStateInvariants(const HostState& host);

}  // namespace fuzz_support
