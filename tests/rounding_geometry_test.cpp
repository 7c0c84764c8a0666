// The program's rounding rules and plane geometry, with their extended
// intermediates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "helpers/Extended.h"
#include "helpers/Geometry.h"
#include "helpers/Rounding.h"

namespace {

struct NoiseCase {
  double value;
  double expected;
};

TEST(RoundNoise, RoundsToTheNearestTenthOfANanounitAwayFromZero) {
  const NoiseCase cases[] = {
      {0.30000000000000004, 0.3}, {-0.30000000000000004, -0.3}, {12.34567890123, 12.3456789012},
      {5e-11, 1e-10},             {-5e-11, -1e-10},             {4.9e-11, 0.0},
      // The double of 1.5e-10 lies below the tie, that of 2.5e-10 above it.
      {1.5e-10, 1e-10},           {2.5e-10, 3e-10},             {90.00000000000001, 90.0},
      {359.99999999999994, 360.0}, {1e6 + 1e-9, 1000000.000000001}, {123456.78901234567, 123456.7890123457},
      // Near a tie the division by the extended 1e-10 decides; a
      // multiplication by 1e10 would round these two up.
      {6.22513105135, 6.2251310513}, {3.73286475995, 3.7328647599},
  };
  for (const NoiseCase& c : cases) EXPECT_EQ(RoundNoise(c.value), c.expected) << c.value;
  EXPECT_FALSE(std::signbit(RoundNoise(-0.0)));
}

struct DigitsCase {
  int digits;
  int mode;
  double value;
  double expected;
};

TEST(RoundDigits, TruncatesRoundsUpFromATenthOrRoundsHalfAway) {
  const DigitsCase cases[] = {
      // Rounding up from a tenth of the last digit.
      {0, 1, 12.1, 12.0},  {0, 1, 12.2, 13.0},   {1, 1, 0.11, 0.2},     {1, 1, 0.101, 0.1},
      {0, 1, 0.1, 1.0},    {0, 1, 12.0, 12.0},   {1, 1, 0.2, 0.2},      {2, 1, 1.1, 1.1},
      {0, 1, -12.2, -13.0}, {0, 1, -12.1, -12.0},
      // Half away from zero, for any mode but 0 and 1.
      {1, 2, 2.25, 2.3},   {0, 2, 2.5, 3.0},     {0, 2, -2.5, -3.0},    {2, 2, 1.005, 1.0},
      {3, 7, 1.2345, 1.234},  // the double lies below the tie
      {2, 7, 1.125, 1.13}, {0, -1, 0.5, 1.0},    {8, 2, 0.123456785, 0.12345678},
      // Truncation.
      {2, 0, -1.239, -1.23}, {0, 0, 12.99, 12.0}, {13, 0, 1.12345678901234, 1.1234567890123},
      // Digits outside 1..13 round to an integer.
      {14, 2, 3.7, 4.0},   {-1, 2, 3.7, 4.0},    {-3, 0, 1234.5, 1234.0},
  };
  for (const DigitsCase& c : cases)
    EXPECT_EQ(RoundDigits(c.digits, c.mode, c.value), c.expected)
        << "digits " << c.digits << " mode " << c.mode << " value " << c.value;
}

TEST(RoundDigits, DependsOnExtendedIntermediates) {
  // In double arithmetic 12.1 + 0.9 rounds to exactly 13 and would round up;
  // carried in extended precision the sum stays below 13.
  volatile double twelvePointOne = 12.1;
  volatile double nine = 0.9;
  EXPECT_EQ(std::trunc(twelvePointOne + nine), 13.0);
  EXPECT_EQ(RoundDigits(0, 1, 12.1), 12.0);
  EXPECT_EQ(RoundDigits(0, 1, -12.1), -12.0);
}

TEST(Distance, MeasuresWithoutOverflowOrUnderflow) {
  EXPECT_EQ(Distance(0, 0, 3, 4), 5.0);
  EXPECT_EQ(Distance(1, 1, -2, -3), 5.0);
  EXPECT_EQ(Distance(7, 7, 7, 7), 0.0);
  EXPECT_DOUBLE_EQ(Distance(0, 0, 0.1, 0.2), 0.223606797749979);
  // Squares beyond the double range stay finite in extended precision.
  EXPECT_DOUBLE_EQ(Distance(0, 0, 3e200, 4e200), 5e200);
  EXPECT_DOUBLE_EQ(Distance(0, 0, 3e-200, 4e-200), 5e-200);
}

struct AngleCase {
  double dx;
  double dy;
  double expected;
};

TEST(VectorAngle, GivesTheDirectionFromZeroToTwoPi) {
  const double pi = static_cast<double>(kPi);
  const AngleCase cases[] = {
      {0, 0, 0.0},       {1e-11, -1e-11, 0.0}, {-9.9e-11, 9.9e-11, 0.0}, {1, 0, 0.0},   {0, 1, pi / 2},
      {-1, 0, pi},       {0, -1, 3 * pi / 2},  {-1e-9, 0, pi},           {1e-10, 0, 0.0}, {0, 1e-10, pi / 2},
      {-1, -1, 5 * pi / 4},
  };
  for (const AngleCase& c : cases) EXPECT_DOUBLE_EQ(VectorAngle(c.dx, c.dy), c.expected) << c.dx << ", " << c.dy;
  // Exactly 2 pi only for a direction a hair below the positive x axis.
  EXPECT_EQ(VectorAngle(1, -1e-17), static_cast<double>(kTwoPi));
  EXPECT_LT(VectorAngle(1, -1e-15), static_cast<double>(kTwoPi));
}

TEST(VectorAngleDeg, GivesNoiseFreeDegrees) {
  const AngleCase cases[] = {
      {0, 1, 90.0},     {-1, -1, 225.0}, {1, 0, 0.0},     {-1, 0, 180.0},  {0, -1, 270.0},
      {1, 1, 45.0},     {1, -1, 315.0},  {0, 0, 0.0},     {1, -1e-17, 360.0},
      {1, std::sqrt(3.0), 60.0},         {-std::sqrt(3.0), 1, 150.0},
  };
  for (const AngleCase& c : cases) EXPECT_EQ(VectorAngleDeg(c.dx, c.dy), c.expected) << c.dx << ", " << c.dy;
}

TEST(NormalizeDeg, BringsAnyAngleIntoOneTurn) {
  const NoiseCase cases[] = {
      {370, 10},  {-30, 330}, {725, 5},  {-725, 355}, {360, 0},     {-360, 0},  {0, 0},    {359.9999, 359.9999},
      {720, 0},   {-720, 0},  {1000000.5, 280.5},     {-1e-20, 0},  {-180, 180}, {-0.0, 0},
  };
  for (const NoiseCase& c : cases) {
    const double result = NormalizeDeg(c.value);
    EXPECT_EQ(result, c.expected) << c.value;
    EXPECT_GE(result, 0.0) << c.value;
    EXPECT_LT(result, 360.0) << c.value;
  }
}

struct TurnCase {
  double x, y, cx, cy, degrees, expectedX, expectedY;
};

TEST(RotatePoint, TurnsCounterClockwiseAboutTheCentre) {
  const TurnCase cases[] = {
      {1, 0, 0, 0, 90, 0, 1},          {1, 0, 0, 0, -90, 0, -1},  {3, 4, 1, 1, 180, -1, -2},
      {12.5, -7.25, 3, 4, 0, 12.5, -7.25}, {2, 1, 1, 1, 30, 1 + std::sqrt(3.0) / 2, 1.5},
      {1e6 + 3, 2e6 + 4, 1e6, 2e6, 90, 1e6 - 4, 2e6 + 3},
  };
  for (const TurnCase& c : cases) {
    double x = 0, y = 0;
    RotatePointDeg(c.x, c.y, c.cx, c.cy, c.degrees, x, y);
    EXPECT_NEAR(x, c.expectedX, 1e-14 * (1 + std::fabs(c.cx))) << c.degrees;
    EXPECT_NEAR(y, c.expectedY, 1e-14 * (1 + std::fabs(c.cy))) << c.degrees;
  }
  double x = 0, y = 0;
  RotatePoint(3, 4, 1, 1, static_cast<double>(kPi), x, y);
  EXPECT_NEAR(x, -1.0, 1e-14);
  EXPECT_NEAR(y, -2.0, 1e-14);
}

TEST(RotatePoint, TurningBackReturnsToThePoint) {
  const double angles[] = {-271.5, -90, -33.3, 0.001, 17, 45, 179.9, 360, 1234.5};
  for (double angle : angles) {
    double x = 0, y = 0, backX = 0, backY = 0;
    RotatePointDeg(152.25, -38.5, 10.75, 20.125, angle, x, y);
    RotatePointDeg(x, y, 10.75, 20.125, -angle, backX, backY);
    EXPECT_NEAR(backX, 152.25, 1e-12) << angle;
    EXPECT_NEAR(backY, -38.5, 1e-12) << angle;
    // The turn matches the direction the angle helpers measure.
    EXPECT_NEAR(NormalizeDeg(VectorAngleDeg(x - 10.75, y - 20.125) - VectorAngleDeg(152.25 - 10.75, -38.5 - 20.125)),
                NormalizeDeg(angle), 1e-9)
        << angle;
  }
}

}  // namespace
