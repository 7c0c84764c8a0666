#pragma once
// The program's text is Shift-JIS (code page 932) everywhere; the screen and
// the file system speak UTF-16. These convert with code page 932 explicitly,
// never with the ANSI code page, so that the dialog reads the same on every
// Windows locale.
#include <string>
#include <string_view>

namespace win32 {

inline constexpr unsigned kShiftJisCodePage = 932;

std::wstring SjisToWide(std::string_view sjis);
// Characters that code page 932 lacks become a look-alike where Windows
// knows one, else "?".
std::string WideToSjis(std::wstring_view wide);
// How many bytes the text takes in code page 932.
std::size_t SjisByteCount(std::wstring_view wide);
// True when code page 932 holds every character of the text as it is, so
// that it comes back unchanged: no look-alike, no "?".
bool SjisHolds(std::wstring_view wide);

}  // namespace win32
