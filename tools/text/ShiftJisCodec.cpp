#include "tools/text/ShiftJisCodec.h"

#include <iconv.h>

#include <cerrno>

#include "helpers/Sjis.h"

namespace codec {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Converts `text`. On a sequence that is invalid or has no counterpart it
// either stops (nothing) or, when `lossy`, puts out U+FFFD for it (a
// Shift-JIS lead byte with its trail byte counts as one) and goes on.
std::optional<std::string> Convert(std::string_view text, const char* to, const char* from,
                                   bool lossy) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input(text);
  std::string output;
  char* in = input.data();
  std::size_t inLeft = input.size();
  bool ok = true;
  while (inLeft > 0) {
    char buffer[256];
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    if (!lossy) {
      ok = false;
      break;
    }
    const auto b = static_cast<unsigned char>(in[0]);
    const bool pair = IsLeadByte(b) && inLeft >= 2 && IsTrailByte(static_cast<unsigned char>(in[1]));
    const std::size_t skip = pair ? 2 : 1;
    in += skip;
    inLeft -= skip;
    output += kReplacement;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return output;
}

}  // namespace

std::optional<std::string> Utf8ToShiftJis(std::string_view utf8) {
  return Convert(utf8, "CP932", "UTF-8", false);
}

std::optional<std::string> ShiftJisToUtf8(std::string_view sjis) {
  return Convert(sjis, "UTF-8", "CP932", false);
}

std::optional<std::string> ShiftJisToUtf8Lossy(std::string_view sjis) {
  return Convert(sjis, "UTF-8", "CP932", true);
}

}  // namespace codec
