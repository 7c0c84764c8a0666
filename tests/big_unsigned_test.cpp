#include "helpers/BigUnsigned.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Long division one bit at a time: the reference for DivideBy.
BigUnsigned BitwiseDivide(BigUnsigned& numerator, const BigUnsigned& divisor) {
  BigUnsigned quotient;
  const int steps = numerator.BitLength() - divisor.BitLength();
  if (steps < 0) return quotient;
  BigUnsigned shifted = divisor;
  shifted.ShiftLeft(steps);
  for (int bit = steps; bit >= 0; --bit) {
    if (BigUnsigned::Compare(numerator, shifted) >= 0) {
      numerator.Subtract(shifted);
      quotient.SetBit(bit);
    }
    shifted.ShiftRightOne();
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
    BigUnsigned expectedRemainder = numerator;
    const BigUnsigned expectedQuotient = BitwiseDivide(expectedRemainder, divisor);
    BigUnsigned quotient = numerator;
    const BigUnsigned remainder = quotient.DivideBy(divisor);
    ASSERT_EQ(quotient.ToDecimal(), expectedQuotient.ToDecimal())
        << numerator.ToDecimal() << " / " << divisor.ToDecimal();
    ASSERT_EQ(remainder.ToDecimal(), expectedRemainder.ToDecimal())
        << numerator.ToDecimal() << " % " << divisor.ToDecimal();
  }
  EXPECT_GT(corrected, 500);

  // A power of ten as the reader divides by it.
  BigUnsigned numerator = BigUnsigned::FromDecimalDigits("12345678901234567890123");
  numerator.ShiftLeft(1000);
  BigUnsigned divisor(1);
  divisor.MulPow10(320);
  BigUnsigned expectedRemainder = numerator;
  const BigUnsigned expected = BitwiseDivide(expectedRemainder, divisor);
  const BigUnsigned remainder = numerator.DivideBy(divisor);
  EXPECT_EQ(numerator.ToDecimal(), expected.ToDecimal());
  EXPECT_EQ(remainder.ToDecimal(), expectedRemainder.ToDecimal());
}

}  // namespace
