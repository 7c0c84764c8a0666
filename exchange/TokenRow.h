#pragma once
// The tokens of one split line of the exchange file, as the reader applies
// them: held by the tokenizer that split the line, or stored with a block of
// lines split ahead of their reading.
#include <cstdint>
#include <string_view>

#include "helpers/NumberParse.h"

class TokenRow {
 public:
  TokenRow(const std::string_view* tokens, const double* numbers, std::uint32_t numbersRead, int count)
      : tokens_(tokens), numbers_(numbers), numbersRead_(numbersRead), count_(count) {}

  int Count() const { return count_; }

  // Token i; empty for i at or beyond the count.
  std::string_view operator[](int i) const { return (i >= 0 && i < count_) ? tokens_[i] : std::string_view(); }

  // Token i read as a real number: StrToFloatOrZero(token i), taken from the
  // value read with the token's digits where there is one.
  double Number(int i) const {
    if (i >= 0 && i < count_ && ((numbersRead_ >> i) & 1u) != 0) return numbers_[i];
    return StrToFloatOrZero((*this)[i]);
  }

 private:
  const std::string_view* tokens_;
  const double* numbers_;
  std::uint32_t numbersRead_;  // bit i: numbers_[i] holds the value of token i
  int count_;
};
