#pragma once
// The rows that the help memo shows for its lines. Nothing here needs
// Windows: the breaking is checked on any system.
#include <string>
#include <vector>

#include "PhraseRows.h"

namespace win32 {

// Each line on one row where it is at most `width` pixels wide. A wider line
// is broken between phrases (PhraseRows.h), never inside a word; its further rows
// begin with the line's own indent (its leading blanks), or with one
// full-width blank under a line that begins with a mark such as "◆", so
// that they read as the same item.
std::vector<std::wstring> HelpMemoRows(const std::vector<std::wstring>& lines, int width,
                                       const TextWidthFunction& widthOf);

}  // namespace win32
