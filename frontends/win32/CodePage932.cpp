#include "CodePage932.h"

#include <windows.h>

#include <limits>
#include <stdexcept>

namespace win32 {

namespace {

// A character that code page 932 lacks becomes its closest look-alike where
// the system knows one ("é" becomes "e"), else "?": what a Japanese Windows
// gives a program that pastes such text.
constexpr DWORD kBestFit = 0;

int CheckedLength(std::size_t size) {
  if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    throw std::length_error("text too long to convert");
  return static_cast<int>(size);
}

}  // namespace

std::wstring SjisToWide(std::string_view sjis) {
  if (sjis.empty()) return {};
  const int inLength = CheckedLength(sjis.size());
  const int outLength = MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), inLength, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(outLength), L'\0');
  MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), inLength, wide.data(), outLength);
  return wide;
}

std::string WideToSjis(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int inLength = CheckedLength(wide.size());
  const int outLength = WideCharToMultiByte(kShiftJisCodePage, kBestFit, wide.data(),
                                            inLength, nullptr, 0, nullptr, nullptr);
  std::string sjis(static_cast<std::size_t>(outLength), '\0');
  WideCharToMultiByte(kShiftJisCodePage, kBestFit, wide.data(), inLength, sjis.data(),
                      outLength, nullptr, nullptr);
  return sjis;
}

std::size_t SjisByteCount(std::wstring_view wide) {
  if (wide.empty()) return 0;
  return static_cast<std::size_t>(WideCharToMultiByte(kShiftJisCodePage, kBestFit,
                                                      wide.data(), CheckedLength(wide.size()),
                                                      nullptr, 0, nullptr, nullptr));
}

bool SjisHolds(std::wstring_view wide) {
  if (wide.empty()) return true;
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                      CheckedLength(wide.size()), nullptr, 0, nullptr, &usedDefault);
  return !usedDefault;
}

}  // namespace win32
