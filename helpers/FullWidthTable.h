#pragma once
// The tables behind ToFullWidth: full-width Shift-JIS characters given as
// 16-bit codes (lead byte in the high byte, trail byte in the low byte).
// They are our own data, so the conversion gives the same bytes under every
// locale and on every platform.
#include <cstdint>

// The full-width form of a single-byte character: ASCII 0x20-0x7E (the space
// becomes the full-width space) and half-width katakana 0xA1-0xDF (a lone
// voiced or semi-voiced mark becomes its full-width mark). 0 when the byte has
// no full-width form.
std::uint16_t FullWidthOfSingleByte(unsigned char b);

// The one full-width character for half-width kana `kana` followed by the
// half-width voiced mark 0xDE or semi-voiced mark 0xDF, as in 0xB6 0xDE (ka
// with its voiced mark). 0 when code page 932 has no such character.
std::uint16_t CombinedKana(unsigned char kana, unsigned char mark);

// The katakana for a full-width hiragana character (including the two
// hiragana iteration marks); any other code is returned unchanged.
std::uint16_t KatakanaOf(std::uint16_t code);
