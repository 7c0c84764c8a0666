#pragma once
// The rows that the help memo shows for its lines. Nothing here needs
// Windows: the breaking is checked on any system.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace win32 {

// The width of a text in pixels, in the memo's font.
using TextWidthFunction = std::function<int(std::wstring_view)>;

// Each line on one row where it is at most `width` pixels wide. A wider line
// is broken between phrases (after a blank or a punctuation mark, before an
// opening bracket, and where kana that end a phrase meet the kanji,
// katakana or letters of the next), never inside a word; its further rows
// begin with the line's own indent (its leading blanks), or with one
// full-width blank under a line that begins with a mark such as "◆", so
// that they read as the same item. Only a phrase that is wider than a whole
// row on its own is broken inside, after its last character that fits.
std::vector<std::wstring> HelpMemoRows(const std::vector<std::wstring>& lines, int width,
                                       const TextWidthFunction& widthOf);

}  // namespace win32
