// Sine and cosine of extended-precision arguments.
//
// A C runtime's sinl and cosl may hand the whole argument to the processor's
// fsin and fcos instructions, which reduce it with their own 66-bit value of
// pi: near a multiple of pi/2 the result keeps only its first bits (cos of
// the extended value of pi/2 comes out as -2^-65 instead of -2.5082788e-20),
// and elsewhere the last bit is often off. The written digits of the program
// would then depend on the runtime.
//
// These functions reduce the argument with pi/2 given to 144 bits, evaluate
// the Taylor series of sine and cosine in pairs of extended values (about
// 125 bits), and round once: the result is the extended value nearest to the
// true one.
#include "helpers/ExtendedTrig.h"

#include <cmath>

namespace {

// An unevaluated sum Hi + Lo with |Lo| <= half an ulp of Hi.
struct Pair {
  long double Hi;
  long double Lo;
};

Pair TwoSum(long double a, long double b) {
  const long double s = a + b;
  const long double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

Pair QuickTwoSum(long double a, long double b) {
  const long double s = a + b;
  return {s, b - (s - a)};
}

// Splits a 64-bit significand into two halves of 32 bits.
Pair Split(long double a) {
  const long double c = 0x1.00000002p+32L * a;  // 2^32 + 1
  const long double hi = c - (c - a);
  return {hi, a - hi};
}

Pair TwoProduct(long double a, long double b) {
  const long double p = a * b;
  const Pair x = Split(a);
  const Pair y = Split(b);
  return {p, ((x.Hi * y.Hi - p) + x.Hi * y.Lo + x.Lo * y.Hi) + x.Lo * y.Lo};
}

Pair Add(Pair a, Pair b) {
  const Pair s = TwoSum(a.Hi, b.Hi);
  return QuickTwoSum(s.Hi, s.Lo + a.Lo + b.Lo);
}

Pair Multiply(Pair a, Pair b) {
  const Pair p = TwoProduct(a.Hi, b.Hi);
  return QuickTwoSum(p.Hi, p.Lo + a.Hi * b.Lo + a.Lo * b.Hi);
}

// π/2 = kHalfPi1 + kHalfPi2 + kHalfPi3 to 144 bits; the first two have 40
// significant bits, so that k times them is exact for |k| < 2^24.
constexpr long double kHalfPi1 = 0xC90FDAA221P-39L;
constexpr long double kHalfPi2 = 0xD18469898CP-80L;
constexpr long double kHalfPi3 = 0xC51701B839A25205P-144L;
constexpr long double kTwoOverPi = 0xA2F9836E4E44152AP-64L;
// Beyond this (k would pass 2^24) the library's functions serve; the program
// never takes the sine of such an angle.
constexpr long double kReducible = 0x1P+23L;

// (-1)^n / (2n+1)! and (-1)^n / (2n)!, n = 0..17, as pairs: enough terms
// for |r| <= 0.8 to reach 2^-125.
constexpr int kTerms = 18;
constexpr Pair kSinCoefficients[kTerms] = {
    {0x8000000000000000P-63L, 0.0L},
    {-0xAAAAAAAAAAAAAAABP-66L, 0xAAAAAAAAAAAAAAABP-131L},
    {0x8888888888888889P-70L, -0xEEEEEEEEEEEEEEEFP-135L},
    {-0xD00D00D00D00D00DP-76L, -0xD00D00D00D00D00DP-148L},
    {0xB8EF1D2AB6399C7DP-82L, 0xAC1C88E500171DE4P-147L},
    {-0xD7322B3FAA271C7FP-89L, -0xE8FC9706FB8E3C40P-155L},
    {0xB092309D43684BE5P-96L, 0xE0CC748EBDA134EDP-163L},
    {-0xD73F9F399DC0F88FP-104L, 0xF3529E22E6A02DC3P-170L},
    {0xCA963B81856A5359P-112L, 0xC0A32EEE35FFD4EFP-178L},
    {-0x97A4DA340A0AB926P-120L, -0xA1EC3B7B9674B57FP-185L},
    {0xB8DC77B6E7AB8C5FP-129L, 0xF146FCEE6E452185P-194L},
    {-0xBB0DA098B1C0CECCP-138L, 0x8F1F645013B0CF65P-204L},
    {0x9F9E66E8B2FD46A7P-147L, 0x894832EEDE217128P-213L},
    {-0xE8D58E16E6751905P-157L, -0x9A18F15D427734A0P-222L},
    {0x92CFCC5A1AC56BD6P-166L, -0xE78C44C876B714CDP-234L},
    {-0xA1A6973C1FADE217P-176L, -0xF7237D35FE1C89DBP-244L},
    {0x9CC092A6E86A8DAAP-186L, -0xFA6400AD17BB055EP-252L},
    {-0x86E2CE38B6C8F942P-196L, 0xC380A581F9DC4C50P-261L},
};
constexpr Pair kCosCoefficients[kTerms] = {
    {0x8000000000000000P-63L, 0.0L},
    {-0x8000000000000000P-64L, 0.0L},
    {0xAAAAAAAAAAAAAAABP-68L, -0xAAAAAAAAAAAAAAABP-133L},
    {-0xB60B60B60B60B60BP-73L, -0xC16C16C16C16C16CP-138L},
    {0xD00D00D00D00D00DP-79L, 0xD00D00D00D00D00DP-151L},
    {-0x93F27DBBC4FAE397P-85L, -0xF016D3EA6678E4B6P-150L},
    {0x8F76C77FC6C4BDAAP-92L, 0x9B530F59FD097D80P-158L},
    {-0xC9CBA54603E4E906P-100L, 0xA41D7440B8362AE6P-166L},
    {0xD73F9F399DC0F88FP-108L, -0xF3529E22E6A02DC3P-174L},
    {-0xB413C31DCBECBBDEP-116L, 0xFFB7795D3D55687AP-181L},
    {0xF2A15D201011283DP-125L, 0x9CAD2BF8F0BABBFEP-190L},
    {-0x8671CB6DBFC294A3P-133L, 0xF36F480CC7138A88P-198L},
    {0xF96780CB97ABBE65P-143L, 0x9680CF953B1440CEP-209L},
    {-0xC4742FE35272CD1CP-152L, -0xF2050BA6B0149467P-217L},
    {0x850C5131A842E9BAP-161L, -0xE8EB8F2AD5CAF56DP-228L},
    {-0x9C9962823EB07306P-171L, -0xADED4C2989C574B2P-236L},
    {0xA1A6973C1FADE217P-181L, 0xF7237D35FE1C89DBP-249L},
    {-0x9388118E07EBD0A0P-191L, 0xEBA96A0C5291E6EFP-257L},
};

// The largest |r| for which the first n + 1 terms of both series reach
// 2^-130 of their sum (the first term left out, r^(2n+2) / (2n+2)!, stays
// below that): smaller arguments, the common case, need far fewer terms.
constexpr long double kSeriesReach[kTerms] = {
    3.12e-20L, 3.25e-10L, 8.28e-7L, 4.51e-5L, 5.22e-4L, 2.75e-3L, 9.24e-3L, 2.33e-2L, 4.85e-2L,
    8.82e-2L,  0.145L,    0.221L,   0.318L,   0.437L,   0.578L,   0.741L,   0.926L,   1.13L};

// How many terms the series need for |r| <= pi/4 (and a hair).
int TermsFor(long double r) {
  const long double size = std::fabs(r);
  int terms = 1;
  while (terms < kTerms && size > kSeriesReach[terms - 1]) ++terms;
  return terms;
}

// Σ c[n] · r2^n, n < terms, by Horner's rule.
Pair Series(const Pair (&c)[kTerms], Pair r2, int terms) {
  Pair sum = c[terms - 1];
  for (int n = terms - 2; n >= 0; --n) sum = Add(Multiply(sum, r2), c[n]);
  return sum;
}

// x = k·π/2 + r with |r| <= π/4 (a hair more); returns k mod 4.
int Reduce(long double x, Pair& r) {
  const long double k = std::nearbyint(x * kTwoOverPi);
  const long double a = x - k * kHalfPi1;  // exact: k·kHalfPi1 is, and lies near x
  const Pair b = TwoSum(a, -(k * kHalfPi2));
  const Pair c = TwoProduct(k, kHalfPi3);
  r = Add(b, {-c.Hi, -c.Lo});
  return static_cast<int>(static_cast<long long>(k) & 3);
}

}  // namespace

void SinCosExtended(Extended x, Extended& sine, Extended& cosine) {
  if (!(std::fabs(x) < kReducible)) {  // huge, infinite or not a number
    sine = std::sin(x);
    cosine = std::cos(x);
    return;
  }
  if (x == 0) {  // keeps the sign of a negative zero
    sine = x;
    cosine = 1;
    return;
  }
  Pair r;
  const int quadrant = Reduce(x, r);
  const Pair r2 = Multiply(r, r);
  const int terms = TermsFor(r.Hi);
  const Pair s = Multiply(Series(kSinCoefficients, r2, terms), r);
  const Pair c = Series(kCosCoefficients, r2, terms);
  const long double sr = s.Hi + s.Lo;
  const long double cr = c.Hi + c.Lo;
  switch (quadrant) {
    case 0: sine = sr; cosine = cr; break;
    case 1: sine = cr; cosine = -sr; break;
    case 2: sine = -sr; cosine = -cr; break;
    default: sine = -cr; cosine = sr; break;
  }
}

Extended SinExtended(Extended x) {
  Extended s, c;
  SinCosExtended(x, s, c);
  return s;
}

Extended CosExtended(Extended x) {
  Extended s, c;
  SinCosExtended(x, s, c);
  return c;
}
