#pragma once
// Sine and cosine of an extended-precision argument, rounded once to the
// nearest extended value. The program takes every sine and cosine through
// these, so that its results do not depend on the C runtime it is built
// with: runtimes differ in the last bits, and near multiples of 90 degrees
// some keep only the first bits of the result.
#include "helpers/Extended.h"

void SinCosExtended(Extended x, Extended& sine, Extended& cosine);
Extended SinExtended(Extended x);
Extended CosExtended(Extended x);
