#pragma once
// The program carries real arithmetic in 80-bit extended precision (a 64-bit
// significand) and rounds to double only when it stores a result. Its
// rounding results depend on that, so the build refuses any other type.
#include <cfloat>

static_assert(LDBL_MANT_DIG == 64,
              "Orvane needs long double to be the 80-bit extended type "
              "(64-bit significand), as on x86-64 GCC and mingw-w64. "
              "This compiler's long double is different; the rounding of "
              "dimension values would not be right.");

using Extended = long double;

// Constants of the program, as extended values.
inline constexpr Extended kTolerance = 1e-10L;  // geometric comparisons
inline constexpr Extended kPi = 3.1415926535897932385L;
inline constexpr Extended kTwoPi = 6.283185307179586477L;
