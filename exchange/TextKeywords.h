#pragma once
// The text command keywords of the exchange file, by their TextKind number:
// the reader tells a text line by them and the writer writes them.
#include <array>
#include <string_view>

inline constexpr std::array<std::string_view, 10> kTextKeywords = {
    "ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};
