#pragma once
// Sine and cosine of an extended-precision argument, rounded once to the
// nearest extended value. The Windows build links them in place of the C
// runtime's sinl, cosl and sincosl, so that the program's trigonometry gives
// the same bits as on the other builds.
namespace win32 {

void ExtendedSinCos(long double x, long double& sine, long double& cosine);

}  // namespace win32
