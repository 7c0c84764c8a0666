#pragma once
// Text fields that take only what Shift-JIS holds and stop typing at a number
// of its bytes (a full-width character counts two), whatever way the text
// arrives: keys, the input method or the clipboard. What the user sees is
// then what the program reads and the host draws. A refused character beeps.
// Text that the program puts in is never cut.
#include <windows.h>

#include <string_view>

namespace win32 {

// The longest start of `insert` (whole characters, a surrogate pair being
// one) that code page 932 holds unchanged and that can replace the selection
// [selStart, selEnd) of `text` while the whole text stays within `limit`
// bytes of code page 932.
std::wstring_view FittingStart(std::wstring_view text, std::size_t selStart, std::size_t selEnd,
                               std::wstring_view insert, std::size_t limit);

// A single-line paste keeps the text before the first line break.
std::wstring_view FirstLine(std::wstring_view text);

// Makes the edit control refuse typed, composed or pasted characters that
// code page 932 lacks, and text beyond `limit` bytes.
void LimitTypedBytes(HWND edit, std::size_t limit);

}  // namespace win32
