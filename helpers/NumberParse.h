#pragma once
// Reading numbers out of text with a silent zero fallback. Both parsers follow
// their grammar exactly and do not depend on the C locale.
#include <cstdint>
#include <string_view>

// Leading spaces (0x20 only), at most one sign, then decimal digits or a
// hexadecimal number introduced by "$", "x", "X", "0x" or "0X" (at most 8 hex
// digits, taken as a 32-bit pattern). Nothing may follow. Decimal values must
// fit int32. Anything else gives 0.
std::int32_t StrToIntOrZero(std::string_view text);

// Leading spaces, at most one sign, digits with at most one "." (either side
// may be empty), then optionally "E"/"e", an optional sign and at least one
// digit. Nothing may follow. The value is built correctly rounded in extended
// precision and then rounded to double. A value beyond the range of a double
// gives 0, as does any text that gives no usable number. Tiny values become
// subnormal doubles or zero; a zero result never carries a sign ("-0" gives 0).
double StrToFloatOrZero(std::string_view text);
