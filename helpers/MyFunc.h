#pragma once
// The helper unit: numbers, rounding, geometry and Shift-JIS text.
#include "helpers/Extended.h"
#include "helpers/ExtendedTrig.h"
#include "helpers/Geometry.h"
#include "helpers/NumberFormat.h"
#include "helpers/NumberParse.h"
#include "helpers/Rounding.h"
#include "helpers/Sjis.h"
