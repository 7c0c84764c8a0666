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
// Tokens are views into the line itself wherever a token is a run of the
// line's bytes, which is the case unless a byte is dropped inside it or a
// quote stands inside a word ("cn\"$name"). Such lines are split into a buffer
// of the tokenizer that grows to the longest of them and is reused. Either
// way a token stays valid until the next split and while the line's bytes
// stay where they are.
//
// A token that is a number is read on the way (StrToFloatOrZero), so that the
// reader need not go over its digits again.
//
// The tokens of the last split line are also given as a TokenRow. A line can
// also be split into slots of the caller, its tokens moved out of the
// tokenizer's buffer into the line's own bytes, so that a split line can be
// kept while the tokenizer goes on to the next.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "exchange/TokenRow.h"
#include "helpers/NumberParse.h"

class LineTokenizer {
 public:
  static constexpr int kSlots = 32;

  // Splits the line (without its line end) and returns the token count: the
  // index of the last slot used plus one, or 0 for a line that holds no
  // token at all. A separator after a token opens the next (possibly empty)
  // slot, so "a b " counts 3 tokens.
  int Split(std::string_view line) { return Split(line, line.data() + line.size()); }

  // The same, for a line inside a larger buffer: the bytes from the line's end
  // up to `readable` may be read (never taken into a token), which lets the
  // number reading go eight bytes at a time up to the line's end.
  int Split(std::string_view line, const char* readable);

  int Count() const { return count_; }

  // Token i of the last split line; empty for i at or beyond the count.
  std::string_view operator[](int i) const { return Row()[i]; }

  // Token i read as a real number: StrToFloatOrZero(token i).
  double Number(int i) const { return Row().Number(i); }

  // The tokens of the last line split by Split.
  TokenRow Row() const { return TokenRow(tokens_.data(), numbers_.data(), numbersRead_, count_); }

  // Where a split puts the tokens of a line and their numbers: room for
  // kSlots of each, held by the caller.
  struct Slots {
    std::string_view* Tokens;
    double* Numbers;
  };

  // What SplitKept found: the token count, and bit i set when the number of
  // token i was read (as TokenRow).
  struct KeptLine {
    int Count;
    std::uint32_t NumbersRead;
  };

  // Splits a line whose bytes the caller owns into the caller's slots.
  // Tokens that had to be rebuilt (a byte dropped or a quote inside a word)
  // are copied over the line's own bytes, which the caller no longer needs,
  // so that every token lies in the line and stays valid while its bytes
  // do, whatever the tokenizer splits next. The bytes from the line's end
  // up to `readable` may be read, as for Split. The tokenizer itself then
  // holds no tokens: Count() is 0 and Row() empty until the next Split.
  KeptLine SplitKept(char* line, std::size_t size, const char* readable, Slots slots);

 private:
  // Split into the given slots.
  int Split(std::string_view line, const char* readable, Slots slots);
  // The byte-by-byte split into the buffer, for the lines whose tokens are
  // not runs of their bytes.
  int SplitIntoBuffer(std::string_view line, Slots slots);

  std::vector<char> bytes_;
  std::array<std::string_view, kSlots> tokens_{};
  std::array<double, kSlots> numbers_{};
  std::uint32_t numbersRead_ = 0;  // bit i: numbers_[i] holds the value of token i
  int count_ = 0;
  bool buffered_ = false;  // the tokens of the last split lie in bytes_
};
