#pragma once
// The part of the iconv interface that the shared test utilities use, for the
// Windows build of the tests, where the C library has no iconv. It converts
// between "UTF-8" and "CP932" through the Windows code-page tables, which
// are independent of the program's own text tables.
#include <cstddef>

typedef void* iconv_t;

iconv_t iconv_open(const char* to, const char* from);
std::size_t iconv(iconv_t cd, char** in, std::size_t* inLeft, char** out, std::size_t* outLeft);
int iconv_close(iconv_t cd);
