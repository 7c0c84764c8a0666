#pragma once
// Splits one line of the exchange file into tokens, byte by byte, the way the
// host writes them: blanks and tabs separate words; a quote or an equals sign
// hands the rest of the line to the current token; a Shift-JIS lead byte
// always takes the byte after it along, so a trail byte is never read as a
// quote, blank or equals sign; control bytes, 0xFE and 0xFF are dropped.
//
// A line has at most 32 tokens. Once the 32nd token is closed by a separator
// the scan stops: further tokens are ignored and the count stays at 32.
//
// The token bytes live in a buffer of the tokenizer that grows to the longest
// line seen and is reused, so splitting line after line does not allocate.
#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

class LineTokenizer {
 public:
  static constexpr int kSlots = 32;

  // Splits the line (without its line end) and returns the token count: the
  // index of the last slot used plus one, or 0 for a line that holds no
  // token at all. A separator after a token opens the next (possibly empty)
  // slot, so "a b " counts 3 tokens.
  int Split(std::string_view line);

  int Count() const { return count_; }

  // Token i of the last split line; empty for i at or beyond the count.
  std::string_view operator[](int i) const {
    return (i >= 0 && i < count_ && i < kSlots) ? tokens_[static_cast<std::size_t>(i)] : std::string_view();
  }

 private:
  std::vector<char> bytes_;
  std::array<std::string_view, kSlots> tokens_{};
  int count_ = 0;
};
