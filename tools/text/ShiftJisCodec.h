#pragma once
// Conversion between UTF-8 (terminals, pictures) and the program's Shift-JIS
// (code page 932) through the system's iconv, for the command-line programs.
#include <optional>
#include <string>
#include <string_view>

namespace codec {

// Nothing when the text is not valid in its encoding or has no counterpart
// in the other one, or when the system has no code page 932 converter.
std::optional<std::string> Utf8ToShiftJis(std::string_view utf8);
std::optional<std::string> ShiftJisToUtf8(std::string_view sjis);

// As ShiftJisToUtf8; a byte or byte pair that is no character is shown as
// U+FFFD and the conversion goes on after it. Nothing only when the system
// has no code page 932 converter.
std::optional<std::string> ShiftJisToUtf8Lossy(std::string_view sjis);

}  // namespace codec
