#pragma once
// Shift-JIS (code page 932) text handled character by character. A lead byte
// (0x80-0x9F or 0xE0-0xFD) and the byte after it form one double-byte
// character; every other byte is a single-byte character.
#include <string>
#include <string_view>

bool IsLeadByte(unsigned char b);

// The text without half-width spaces, full-width spaces and control bytes.
std::string StripBlanks(std::string_view text);

struct SjisCopyResult {
  std::string Text;  // the characters lying wholly inside the window
  int Taken = 0;     // number of bytes taken
};
// Byte window [start, start + count - 1] (1-based), never splitting a
// character as seen from the beginning of the text.
SjisCopyResult SjisCopy(std::string_view text, int start, int count);

// Full-width form of the text (ASCII, half-width katakana with their voiced
// marks), hiragana turned to katakana; everything else unchanged.
std::string ToFullWidth(std::string_view text);

// Drawn width of the text: a full-width character is `width` wide, a
// half-width one half of it, with the spacing after every character but the
// last (half a spacing after a half-width character).
double SjisTextWidth(std::string_view text, double width, double spacing);
