#pragma once
// A text field kept inline in a record: at most 255 bytes of Shift-JIS.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The most bytes of a text that the host exchange keeps: a text field of a
// record, and a line of the output buffer.
inline constexpr std::size_t kMaxTextBytes = 255;

struct FixedText {
  static constexpr std::size_t kMax = kMaxTextBytes;
  std::uint8_t Length = 0;
  char Bytes[kMax] = {};

  // Stores the text, cut to its first 255 bytes.
  void Assign(std::string_view text) {
    Length = static_cast<std::uint8_t>(text.size() < kMax ? text.size() : kMax);
    if (Length) std::memcpy(Bytes, text.data(), Length);
  }
  std::string_view View() const { return {Bytes, Length}; }
  std::string Str() const { return std::string(View()); }
};
