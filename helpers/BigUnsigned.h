#pragma once
// A small arbitrary-size unsigned integer for the exact conversions between
// decimal text and binary reals: the exact decimal digits of a double, and the
// correctly rounded reading of long or far-out decimal numbers. Only the few
// operations those conversions need; none of them is on the reader's common
// path, but a file full of long numbers takes them for every number.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class BigUnsigned {
 public:
  BigUnsigned() = default;
  explicit BigUnsigned(std::uint64_t value);

  // The value of a run of decimal digits '0'..'9' (no sign, no point).
  static BigUnsigned FromDecimalDigits(std::string_view digits);

  bool IsZero() const { return limbs_.empty(); }
  // Number of significant bits; 0 for zero.
  int BitLength() const;
  bool TestBit(int index) const;
  // True when any bit below `index` is set.
  bool AnyBitBelow(int index) const;
  // `count` (1..64) bits starting at bit `low`, as an integer.
  std::uint64_t ExtractBits(int low, int count) const;

  void MulSmall(std::uint32_t factor);
  void AddSmall(std::uint32_t addend);
  void MulPow10(int exponent);
  void MulPow5(int exponent);
  void ShiftLeft(int bits);
  // Divides in place by a non-zero divisor and returns the remainder.
  std::uint32_t DivSmall(std::uint32_t divisor);
  // Divides in place by a non-zero divisor of any size (long division, one
  // 32-bit digit of the quotient at a time) and returns the remainder.
  BigUnsigned DivideBy(const BigUnsigned& divisor);

  // -1, 0 or 1 as a < b, a == b, a > b.
  static int Compare(const BigUnsigned& a, const BigUnsigned& b);

  // Decimal digits without leading zeros; "0" for zero.
  std::string ToDecimal() const;

 private:
  void Trim();
  std::vector<std::uint32_t> limbs_;  // least significant first, no zero on top
};
