#include "helpers/BigUnsigned.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Numbers as their 32-bit digits, least significant first, no zero on top:
// the reference works on these with its own arithmetic.
using Digits = std::vector<std::uint32_t>;

Digits DigitsOf(const BigUnsigned& n) {
  Digits digits;
  for (int low = 0; low < n.BitLength(); low += 32) digits.push_back(static_cast<std::uint32_t>(n.ExtractBits(low, 32)));
  return digits;
}

bool Less(const Digits& a, const Digits& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  for (std::size_t i = a.size(); i-- > 0;)
    if (a[i] != b[i]) return a[i] < b[i];
  return false;
}

// a = a * 2 + bit
void ShiftIn(Digits& a, bool bit) {
  std::uint32_t carry = bit ? 1u : 0u;
  for (std::uint32_t& digit : a) {
    const std::uint32_t next = digit >> 31;
    digit = (digit << 1) | carry;
    carry = next;
  }
  if (carry != 0) a.push_back(carry);
}

// a -= b, for a >= b
void Subtract(Digits& a, const Digits& b) {
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::int64_t difference = static_cast<std::int64_t>(a[i]) - borrow - (i < b.size() ? std::int64_t{b[i]} : 0);
    borrow = difference < 0 ? 1 : 0;
    a[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
  }
  while (!a.empty() && a.back() == 0) a.pop_back();
}

// Long division one bit at a time: the reference for DivideBy. Returns the
// quotient and leaves the remainder in `remainder`.
Digits BitwiseDivide(const BigUnsigned& numerator, const BigUnsigned& divisor, Digits& remainder) {
  const Digits d = DigitsOf(divisor);
  Digits quotient;
  remainder.clear();
  for (int bit = numerator.BitLength() - 1; bit >= 0; --bit) {
    ShiftIn(remainder, numerator.TestBit(bit));
    const bool fits = !Less(remainder, d);
    if (fits) Subtract(remainder, d);
    ShiftIn(quotient, fits);
  }
  return quotient;
}

// A number of `limbs` 32-bit digits, each random or, by `shape`, one of the
// digits that make the quotient estimate of long division go wrong: all ones,
// zero, the top bit alone.
BigUnsigned Number(std::mt19937_64& random, int limbs, int shape) {
  BigUnsigned n;
  for (int i = 0; i < limbs; ++i) {
    std::uint32_t limb = static_cast<std::uint32_t>(random());
    switch ((shape + i) % 5) {
      case 1: limb = 0xFFFFFFFFu; break;
      case 2: limb = 0; break;
      case 3: limb = 0x80000000u; break;
      default: break;
    }
    if (i == 0 && limb == 0) limb = 1;
    n.ShiftLeft(32);
    if (n.IsZero()) n = BigUnsigned(limb);
    else n.AddSmall(limb);
  }
  return n;
}

// Quotient and remainder of DivideBy equal those of the bit-by-bit division,
// for divisors of one to nine digits and numerators up to four times as long,
// random and with the digits that need the estimate corrected.
TEST(BigUnsigned, DividesAsLongDivisionBitByBit) {
  std::mt19937_64 random(11);
  int corrected = 0;
  for (int round = 0; round < 4000; ++round) {
    const int divisorLimbs = 1 + round % 9;
    const int numeratorLimbs = 1 + static_cast<int>(random() % (4 * divisorLimbs + 2));
    const BigUnsigned divisor = Number(random, divisorLimbs, static_cast<int>(random() % 8));
    BigUnsigned numerator = Number(random, numeratorLimbs, static_cast<int>(random() % 8));
    if (round % 7 == 0) {
      // A multiple of the divisor less one, or plus one: the estimate lands
      // at the edge.
      numerator = divisor;
      numerator.MulSmall(static_cast<std::uint32_t>(random()) | 1u);
      numerator.ShiftLeft(static_cast<int>(random() % 70));
      numerator.AddSmall(round % 2);
      ++corrected;
    }
    Digits expectedRemainder;
    const Digits expectedQuotient = BitwiseDivide(numerator, divisor, expectedRemainder);
    BigUnsigned quotient = numerator;
    const BigUnsigned remainder = quotient.DivideBy(divisor);
    ASSERT_EQ(DigitsOf(quotient), expectedQuotient) << numerator.ToDecimal() << " / " << divisor.ToDecimal();
    ASSERT_EQ(DigitsOf(remainder), expectedRemainder) << numerator.ToDecimal() << " % " << divisor.ToDecimal();
  }
  EXPECT_GT(corrected, 500);

  // A power of ten as the reader divides by it.
  BigUnsigned numerator = BigUnsigned::FromDecimalDigits("12345678901234567890123");
  numerator.ShiftLeft(1000);
  BigUnsigned divisor(1);
  divisor.MulPow10(320);
  Digits expectedRemainder;
  const Digits expected = BitwiseDivide(numerator, divisor, expectedRemainder);
  const BigUnsigned remainder = numerator.DivideBy(divisor);
  EXPECT_EQ(DigitsOf(numerator), expected);
  EXPECT_EQ(DigitsOf(remainder), expectedRemainder);
}

}  // namespace
