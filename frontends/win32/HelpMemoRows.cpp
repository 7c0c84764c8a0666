#include "HelpMemoRows.h"

namespace win32 {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\x3000'; }

// The leading blanks of a line; a line that begins with a mark instead
// continues under the text after its mark.
std::wstring IndentOf(std::wstring_view line) {
  std::size_t blanks = 0;
  while (blanks < line.size() && IsBlank(line[blanks])) ++blanks;
  if (blanks > 0) return std::wstring(line.substr(0, blanks));
  return L"\x3000";
}

}  // namespace

std::vector<std::wstring> HelpMemoRows(const std::vector<std::wstring>& lines, int width,
                                       const TextWidthFunction& widthOf) {
  std::vector<std::wstring> rows;
  for (const std::wstring& whole : lines) {
    if (widthOf(whole) <= width) {
      rows.push_back(whole);
      continue;
    }
    const std::wstring indent = IndentOf(whole);
    std::wstring_view rest = whole;
    std::wstring lead;  // the indent, on every row after the first
    // The first row holds at least the line's own indent and what follows it.
    std::size_t leading = 0;
    while (leading < whole.size() && IsBlank(whole[leading])) ++leading;
    do {
      const std::size_t length = PhraseRowLength(rest, width, widthOf, lead, leading);
      rows.push_back(lead + std::wstring(rest.substr(0, length)));
      rest.remove_prefix(length);
      lead = indent;
      leading = 0;
    } while (!rest.empty());
  }
  return rows;
}

}  // namespace win32
