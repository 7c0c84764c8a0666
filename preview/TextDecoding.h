#pragma once
// Turning the host's Shift-JIS texts into the UTF-8 that a picture needs.
// The renderer takes the decoding as a function, so that a program with a
// full code-page converter can supply one; the fallback here knows only the
// characters that map without a table.
#include <functional>
#include <string>
#include <string_view>

// Shift-JIS bytes in, UTF-8 out. A decoder may return invalid UTF-8; the
// renderer repairs it (SanitizeUtf8) before it writes anything.
using TextDecoder = std::function<std::string(std::string_view sjis)>;

// The decoding that needs no table: ASCII characters and half-width katakana
// (0xA1-0xDF) are converted exactly; every double-byte character (a lead
// byte and the byte after it, as the program splits its texts) and every
// other byte becomes U+FFFD (the replacement character).
std::string DecodeSjisWithoutTable(std::string_view sjis);

// Valid UTF-8 holding only characters allowed in an XML document: broken or
// overlong sequences and surrogates become U+FFFD, control characters other
// than tab are dropped.
std::string SanitizeUtf8(std::string_view text);

// The text with "&", "<", ">" and the double quote written as XML entities.
std::string EscapeXml(std::string_view text);
