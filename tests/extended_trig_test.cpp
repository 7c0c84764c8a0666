// Sine and cosine of the program: correctly rounded extended values (the
// reference values were worked out to 400 bits), whatever C runtime the
// program is built with.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "helpers/ExtendedTrig.h"
#include "helpers/Geometry.h"
#include "helpers/NumberFormat.h"

namespace {

std::string Hex(long double x) {
  char text[64];
  std::snprintf(text, sizeof text, "%La", x);
  return text;
}

struct Case {
  long double X;
  long double Sin;
  long double Cos;
};

// x, sin x and cos x rounded to the nearest extended value.
constexpr Case kCases[] = {
    // π/2, π, 3π/2 and 2π as the program holds them (90° and its multiples)
    {0xC90FDAA22168C235P-63L, 0x8000000000000000P-63L, -0xECE675D1FC8F8CBBP-129L},
    {0xC90FDAA22168C235P-62L, -0xECE675D1FC8F8CBBP-128L, -0x8000000000000000P-63L},
    {0x96CBE3F9990E91A8P-61L, -0x8000000000000000P-63L, 0xD8D66C2EBEB5D4C6P-126L},
    {0xC90FDAA22168C235P-61L, 0xECE675D1FC8F8CBBP-127L, 0x8000000000000000P-63L},
    // 15° (the default arrow angle); -719.9° and -719.6°, where a series
    // rounded less carefully is one unit off in the last place
    {0x860A91C16B9B2C24P-65L, 0x8483EE0C9834834DP-65L, 0xF746EA3A45F8A62AP-64L},
    {-0xC908B485E07AE7EFP-60L, 0xE4C380812F9209E3P-73L, 0xFFFFE67264732063P-64L},
    {-0xC8F342311DB1620AP-60L, 0xE4C30E5511D25E06P-71L, 0xFFFE6726AD388B89P-64L},
    // tiny, larger and negative arguments
    {0xA2425FF75E14FC32P-163L, 0xA2425FF75E14FC32P-163L, 0x8000000000000000P-63L},
    {0xFA20000000000000P-54L, 0xFECA462853D06BB2P-64L, 0xC6DFFBAF5B327A47P-67L},
    {0x8000008000000000P-41L, 0xFFE8F9FBF5FC5CCBP-64L, -0xD920573DC4FF2E6DP-69L},
    {-0xA000000000000000P-62L, -0x9935786E7E558405P-64L, -0xCD17BF7C2C5BE958P-64L},
};

TEST(ExtendedTrig, GivesTheNearestExtendedValue) {
  for (const Case& c : kCases) {
    long double s = 0, co = 0;
    SinCosExtended(c.X, s, co);
    EXPECT_EQ(Hex(s), Hex(c.Sin)) << "sin " << Hex(c.X);
    EXPECT_EQ(Hex(co), Hex(c.Cos)) << "cos " << Hex(c.X);
  }
}

TEST(ExtendedTrig, TextDirectionOfNinetyDegreesAsWritten) {
  // cos 90 degrees times 10, as the value text's direction is written.
  EXPECT_EQ(FormatGeneral(static_cast<double>(10 * CosExtended(DegToRad(90)))),
            "-2.50827880633417E-19");
  EXPECT_EQ(SinExtended(DegToRad(90)), 1.0L);
}

TEST(ExtendedTrig, OutOfRangeArgumentsStillGiveSineAndCosine) {
  long double s = 0, c = 0;
  SinCosExtended(0x1P+40L, s, c);  // left to the library
  EXPECT_NEAR(static_cast<double>(s * s + c * c), 1.0, 1e-15);
  SinCosExtended(NAN, s, c);
  EXPECT_TRUE(std::isnan(s));
  EXPECT_TRUE(std::isnan(c));
  SinCosExtended(-0.0L, s, c);
  EXPECT_EQ(s, 0.0L);
  EXPECT_TRUE(std::signbit(s));
  EXPECT_EQ(c, 1.0L);
}

}  // namespace
