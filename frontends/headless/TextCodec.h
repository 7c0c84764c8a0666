#pragma once
// Conversion between the terminal's UTF-8 and the program's Shift-JIS (code
// page 932), for the command-line front end.
#include <optional>
#include <string>
#include <string_view>

namespace headless {

// Nothing when the text is not valid in its encoding or has no counterpart
// in the other one.
std::optional<std::string> Utf8ToShiftJis(std::string_view utf8);
std::optional<std::string> ShiftJisToUtf8(std::string_view sjis);

// As ShiftJisToUtf8; a byte sequence that does not convert is shown as U+FFFD
// and the conversion goes on after it.
std::string ShiftJisToUtf8Lossy(std::string_view sjis);

}  // namespace headless
