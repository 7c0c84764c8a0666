#include "HelpMemoRows.h"

namespace win32 {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\x3000'; }

bool IsHiragana(wchar_t c) { return c >= L'\x3041' && c <= L'\x309F'; }

// Marks after which a phrase ends.
bool EndsPhrase(wchar_t c) {
  return std::wstring_view(L"、。，．,.・／/)）」』】〕］]：:；;！!？?").find(c) !=
         std::wstring_view::npos;
}

// Marks that never begin a row: they belong to what stands before them.
bool ClosesBefore(wchar_t c) {
  return std::wstring_view(L"、。，．,.)）」』】〕］]：:；;！!？?ーぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々～・／")
             .find(c) != std::wstring_view::npos;
}

bool OpensAfter(wchar_t c) {
  return std::wstring_view(L"(（「『【〔［[").find(c) != std::wstring_view::npos;
}

// Whether a row may end before line[at] (0 < at < size).
bool MayBreakBefore(std::wstring_view line, std::size_t at) {
  const wchar_t before = line[at - 1];
  const wchar_t after = line[at];
  if (ClosesBefore(after) || IsBlank(after)) return false;
  if (OpensAfter(before)) return false;
  if (IsBlank(before) || EndsPhrase(before) || OpensAfter(after)) return true;
  // Kana that end a phrase (particles, endings), then the next phrase.
  return IsHiragana(before) && !IsHiragana(after);
}

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
    while (!rest.empty()) {
      if (widthOf(lead + std::wstring(rest)) <= width) {
        rows.push_back(lead + std::wstring(rest));
        break;
      }
      // The longest beginning of the rest that ends between phrases and
      // fits; else the longest that fits at all (at least one character).
      std::size_t phrase = 0;
      std::size_t fits = 0;
      for (std::size_t at = 1; at < rest.size(); ++at) {
        if (widthOf(lead + std::wstring(rest.substr(0, at))) > width) break;
        fits = at;
        if (at > leading && MayBreakBefore(rest, at)) phrase = at;
      }
      const std::size_t length = phrase > 0 ? phrase : (fits > 0 ? fits : 1);
      rows.push_back(lead + std::wstring(rest.substr(0, length)));
      rest.remove_prefix(length);
      lead = indent;
      leading = 0;
    }
  }
  return rows;
}

}  // namespace win32
