#pragma once
// Slow, plainly written references for the fuzz targets to compare the
// program's fast code with. Each follows the rules as they are stated, one
// rule at a time, with no attention to speed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz_support {

// The tokens of one exchange file line: lead bytes take their next byte
// along, a quote or an equals sign hands the rest of the line to the current
// token, blanks and tabs separate, control bytes and 0xFE/0xFF are dropped.
// At most 32 tokens; an empty list for a line without any token.
std::vector<std::string> ReferenceTokens(std::string_view line);

// The integer grammar: leading spaces, one optional sign, then decimal digits
// or a hexadecimal number after "$", "x", "X", "0x" or "0X" (1 to 8 hex
// digits, a 32-bit pattern); decimal values within int32. Otherwise 0.
std::int32_t ReferenceInt(std::string_view text);

// The real grammar: leading spaces, one optional sign, digits with at most
// one point (a point alone is allowed), then optionally E or e, an optional
// sign and at least one digit. The value is the text's exact decimal value
// rounded to the nearest 80-bit extended value (by the C library's strtold)
// and then to double; infinity becomes 0 and zero has no sign.
double ReferenceReal(std::string_view text);

// Whether `text` matches the real grammar above.
bool MatchesRealGrammar(std::string_view text);

}  // namespace fuzz_support
