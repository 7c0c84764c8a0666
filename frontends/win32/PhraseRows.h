#pragma once
// Where the dialog breaks a Japanese text that is wider than its row (the
// help memo, the notice pane): between phrases, as a reader breaks it.
// Nothing here needs Windows: the rule is checked on any system.
#include <cstddef>
#include <functional>
#include <string_view>

namespace win32 {

// The width of a text in pixels, in the font it is drawn in.
using TextWidthFunction = std::function<int(std::wstring_view)>;

// Whether a row may end before text[at] (0 < at < size): between phrases,
// that is after a blank or a punctuation mark, before an opening bracket,
// and where kana that end a phrase (particles, endings) meet the kanji,
// katakana, letters or digits of the next. Never inside a word or a number
// ("1.5", "１２３，４５６" and "a/b" stay whole), never before a blank, a
// closing bracket, a punctuation mark, a long-vowel mark or a small kana, and
// never after an opening bracket.
bool MayBreakBefore(std::wstring_view text, std::size_t at);

// How many characters from the start of `text` make up a row at most
// `width` pixels wide when it begins with `lead`: all of them when they fit;
// else the longest beginning that ends between phrases (no shorter than
// `keep` characters); else, for a phrase wider than the whole row on its
// own, the longest beginning that fits. At least one character, so that
// every row moves on, and never half of a surrogate pair.
std::size_t PhraseRowLength(std::wstring_view text, int width, const TextWidthFunction& widthOf,
                            std::wstring_view lead = {}, std::size_t keep = 0);

}  // namespace win32
