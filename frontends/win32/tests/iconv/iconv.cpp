#include "iconv.h"

#include <windows.h>

#include <cerrno>
#include <cstring>

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

// Bytes of the character that starts with `lead`; 0 when no character of
// that code page starts so.
std::size_t CharacterLength(UINT codePage, unsigned char lead) {
  if (codePage == CP_UTF8) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
  }
  return ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 2 : 1;
}

std::size_t Fail(int error) {
  errno = error;
  return static_cast<std::size_t>(-1);
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

// Converts one character at a time, so that it stops where iconv stops: at
// an invalid or unconvertible character (EILSEQ), at a character cut off by
// the end of the input (EINVAL) or when the output is full (E2BIG), with the
// pointers after the last character converted.
std::size_t iconv(iconv_t cd, char** in, std::size_t* inLeft, char** out, std::size_t* outLeft) {
  const auto* conversion = static_cast<const Conversion*>(cd);
  if (!in || !*in) return 0;  // a reset: this conversion keeps no state
  const bool toUtf8 = conversion->To == CP_UTF8;
  while (*inLeft > 0) {
    const std::size_t length =
        CharacterLength(conversion->From, static_cast<unsigned char>(**in));
    if (length == 0) return Fail(EILSEQ);
    if (length > *inLeft) return Fail(EINVAL);
    wchar_t wide[2];
    const int wideLength = MultiByteToWideChar(conversion->From, MB_ERR_INVALID_CHARS, *in,
                                               static_cast<int>(length), wide, 2);
    if (wideLength == 0) return Fail(EILSEQ);
    char bytes[8];
    BOOL lossy = FALSE;
    const int byteLength =
        WideCharToMultiByte(conversion->To, toUtf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, wideLength,
                            bytes, sizeof bytes, nullptr, toUtf8 ? nullptr : &lossy);
    if (byteLength == 0 || lossy) return Fail(EILSEQ);
    if (static_cast<std::size_t>(byteLength) > *outLeft) return Fail(E2BIG);
    std::memcpy(*out, bytes, static_cast<std::size_t>(byteLength));
    *out += byteLength;
    *outLeft -= static_cast<std::size_t>(byteLength);
    *in += length;
    *inLeft -= length;
  }
  return 0;
}

int iconv_close(iconv_t cd) {
  delete static_cast<Conversion*>(cd);
  return 0;
}
