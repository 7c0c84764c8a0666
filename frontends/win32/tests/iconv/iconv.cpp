#include "iconv.h"

#include <windows.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

struct Conversion {
  UINT From;
  UINT To;
};

bool CodePageOf(const char* name, UINT& codePage) {
  if (std::strcmp(name, "UTF-8") == 0) {
    codePage = CP_UTF8;
    return true;
  }
  if (std::strcmp(name, "CP932") == 0) {
    codePage = 932;
    return true;
  }
  return false;
}

}  // namespace

iconv_t iconv_open(const char* to, const char* from) {
  Conversion conversion{};
  if (!CodePageOf(from, conversion.From) || !CodePageOf(to, conversion.To)) {
    errno = EINVAL;
    return reinterpret_cast<iconv_t>(-1);
  }
  return new Conversion(conversion);
}

// Converts the whole input at once; text that the source code page cannot
// read, or that the target cannot hold, fails with EILSEQ as iconv does.
std::size_t iconv(iconv_t cd, char** in, std::size_t* inLeft, char** out, std::size_t* outLeft) {
  const auto* conversion = static_cast<const Conversion*>(cd);
  if (!in || !*in || *inLeft == 0) return 0;
  const int inBytes = static_cast<int>(*inLeft);
  const int wideLength =
      MultiByteToWideChar(conversion->From, MB_ERR_INVALID_CHARS, *in, inBytes, nullptr, 0);
  if (wideLength == 0) {
    errno = EILSEQ;
    return static_cast<std::size_t>(-1);
  }
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(conversion->From, MB_ERR_INVALID_CHARS, *in, inBytes, wide.data(),
                      wideLength);
  BOOL lossy = FALSE;
  const bool utf8 = conversion->To == CP_UTF8;
  const int outBytes = WideCharToMultiByte(conversion->To, utf8 ? 0 : WC_NO_BEST_FIT_CHARS,
                                           wide.data(), wideLength, nullptr, 0, nullptr,
                                           utf8 ? nullptr : &lossy);
  if (outBytes == 0 || lossy) {
    errno = EILSEQ;
    return static_cast<std::size_t>(-1);
  }
  if (static_cast<std::size_t>(outBytes) > *outLeft) {
    errno = E2BIG;
    return static_cast<std::size_t>(-1);
  }
  WideCharToMultiByte(conversion->To, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                      *out, outBytes, nullptr, nullptr);
  *in += *inLeft;
  *inLeft = 0;
  *out += outBytes;
  *outLeft -= static_cast<std::size_t>(outBytes);
  return 0;
}

int iconv_close(iconv_t cd) {
  delete static_cast<Conversion*>(cd);
  return 0;
}
