#include "PhraseRows.h"

#include <string>

namespace win32 {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\x3000'; }

bool IsHiragana(wchar_t c) { return c >= L'\x3041' && c <= L'\x309F'; }

// Letters and digits, half- or full-width: the characters of a word or a
// number written in them.
bool IsAlphanumeric(wchar_t c) {
  const auto in = [c](wchar_t first, wchar_t last) { return c >= first && c <= last; };
  return in(L'0', L'9') || in(L'A', L'Z') || in(L'a', L'z') || in(L'\xFF10', L'\xFF19') ||
         in(L'\xFF21', L'\xFF3A') || in(L'\xFF41', L'\xFF5A');
}

bool IsOneOf(wchar_t c, std::wstring_view marks) { return marks.find(c) != std::wstring_view::npos; }

// Marks after which a phrase ends.
bool EndsPhrase(wchar_t c) { return IsOneOf(c, L"、。，．,.・／/)）」』】〕］]：:；;！!？?"); }

// Marks that never begin a row: they belong to what stands before them.
bool ClosesBefore(wchar_t c) {
  return IsOneOf(c, L"、。，．,.)）」』】〕］]：:；;！!？?ーぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々～・／");
}

bool OpensAfter(wchar_t c) { return IsOneOf(c, L"(（「『【〔［["); }

}  // namespace

bool MayBreakBefore(std::wstring_view text, std::size_t at) {
  const wchar_t before = text[at - 1];
  const wchar_t after = text[at];
  if (ClosesBefore(after) || IsBlank(after)) return false;
  if (OpensAfter(before)) return false;
  if (IsBlank(before)) return true;
  // A mark between letters or digits is part of the word or number.
  const bool withinWord = at >= 2 && IsAlphanumeric(text[at - 2]) && IsAlphanumeric(after);
  if (EndsPhrase(before)) return !withinWord;
  if (OpensAfter(after)) return !IsAlphanumeric(before);
  // Kana that end a phrase (particles, endings), then the next phrase.
  return IsHiragana(before) && !IsHiragana(after);
}

std::size_t PhraseRowLength(std::wstring_view text, int width, const TextWidthFunction& widthOf,
                            std::wstring_view lead, std::size_t keep) {
  std::wstring row(lead);
  const auto widthWith = [&](std::size_t length) {
    row.resize(lead.size());
    row.append(text.substr(0, length));
    return widthOf(row);
  };
  if (widthWith(text.size()) <= width) return text.size();
  std::size_t phrase = 0;
  std::size_t fits = 0;
  for (std::size_t at = 1; at < text.size(); ++at) {
    if (widthWith(at) > width) break;
    fits = at;
    if (at > keep && MayBreakBefore(text, at)) phrase = at;
  }
  if (phrase > 0) return phrase;
  // Neither half of a surrogate pair stands alone.
  const auto high = [&text](std::size_t at) {
    return text[at] >= L'\xD800' && text[at] <= L'\xDBFF';
  };
  if (fits > 0 && high(fits - 1)) --fits;
  if (fits > 0) return fits;
  return high(0) && text.size() > 1 ? 2 : 1;
}

}  // namespace win32
