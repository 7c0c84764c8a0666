#pragma once
// Decimal digits eight at a time: the pieces of the short path of the real
// number reader (ScanDecimal in NumberParse.h), which the exchange reader
// inlines into its tokenizer. Eight bytes are read as one integer, the first
// byte lowest, whatever the byte order of the machine.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "helpers/Extended.h"

namespace decimal_digits {

inline constexpr std::uint64_t kPow10U64[] = {1ull,
                                              10ull,
                                              100ull,
                                              1000ull,
                                              10000ull,
                                              100000ull,
                                              1000000ull,
                                              10000000ull,
                                              100000000ull,
                                              1000000000ull,
                                              10000000000ull,
                                              100000000000ull,
                                              1000000000000ull,
                                              10000000000000ull,
                                              100000000000000ull,
                                              1000000000000000ull,
                                              10000000000000000ull,
                                              100000000000000000ull,
                                              1000000000000000000ull,
                                              10000000000000000000ull};

// Powers of ten that an extended value holds exactly: 10^k = 2^k * 5^k, and
// 5^27 still fits the 64-bit significand.
inline constexpr int kExactPow10Max = 27;
inline constexpr Extended kExactPow10[kExactPow10Max + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// A significand of at most 19 decimal digits fits 64 bits (and 63).
inline constexpr int kFastDigits = 19;

inline constexpr std::uint64_t kEachByte = 0x0101010101010101ull;

// The eight bytes from p as one integer, the byte at p lowest; bytes from
// `limit` on are read as 0 (no digit, no part of a number).
inline std::uint64_t LoadEight(const char* p, const char* limit) {
  std::uint64_t word = 0;
  if constexpr (std::endian::native == std::endian::little) {
    if (limit - p >= 8) {
      std::memcpy(&word, p, 8);
      return word;
    }
  }
  for (int i = static_cast<int>(limit - p < 8 ? limit - p : 8) - 1; i >= 0; --i) {
    word = (word << 8) | static_cast<unsigned char>(p[i]);
  }
  return word;
}

// The eight bytes from p, all of them readable.
inline std::uint64_t Word(const char* p) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
  } else {
    return LoadEight(p, p + 8);
  }
}

// The top bit of every byte of the word that is not a decimal digit. A byte
// is a digit when its value xor '0' is at most 9; adding 0x76 sets the top bit
// of every other byte below 0x80, and the top bit of the xor catches the rest.
// A carry out of a non-digit byte only reaches the bytes after it, so the
// lowest bit set is always right.
inline std::uint64_t NonDigits(std::uint64_t word) {
  const std::uint64_t x = word ^ (kEachByte * '0');
  return ((x + kEachByte * 0x76) | x) & (kEachByte * 0x80);
}

// How many of the eight bytes, from the lowest, are decimal digits.
inline int LeadingDigits(std::uint64_t word) {
  return std::countr_zero(NonDigits(word)) / 8;  // 8 when all are digits
}

// The value of the first `count` (0..8) bytes of the word, all digits; 0 for
// none. They are moved to the top of the word, the bytes before them becoming
// zeros (the shift taken in two halves, so that shifting all 64 bits out is
// defined), and the low halves of the eight bytes are then combined pairwise:
// tens and units, then hundreds, then ten-thousands.
inline std::uint64_t DigitsValue(std::uint64_t word, int count) {
  const int half = 4 * (8 - count);
  std::uint64_t d = ((word << half) << half) & (kEachByte * 0x0F);
  d = (d * (10 * 256 + 1)) >> 8;
  d = ((d & 0x00FF00FF00FF00FFull) * (100 * 65536 + 1)) >> 16;
  return ((d & 0x0000FFFF0000FFFFull) * (10000 * 0x100000000ull + 1)) >> 32;
}

// The magnitude with its sign bit set when `negative` is 1; no branch, as the
// signs of coordinates come in no order.
inline double WithSign(double magnitude, std::uint64_t negative) {
  return std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) | (negative << 63));
}

}  // namespace decimal_digits
