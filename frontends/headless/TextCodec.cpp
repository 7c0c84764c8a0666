#include "frontends/headless/TextCodec.h"

#include <iconv.h>

#include <cerrno>

namespace headless {

namespace {

// Converts `text`; on an invalid or unconvertible sequence either stops
// (returns nothing) or, when `replacement` is given, puts it out, skips one
// byte and goes on.
std::optional<std::string> Convert(std::string_view text, const char* to, const char* from,
                                   const char* replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input(text);
  std::string output;
  char* in = input.data();
  std::size_t inLeft = input.size();
  char buffer[256];
  bool ok = true;
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (rc != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (!replacement) {
      ok = false;
      break;
    }
    output.append(replacement);
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return output;
}

}  // namespace

std::optional<std::string> Utf8ToShiftJis(std::string_view utf8) {
  return Convert(utf8, "CP932", "UTF-8", nullptr);
}

std::optional<std::string> ShiftJisToUtf8(std::string_view sjis) {
  return Convert(sjis, "UTF-8", "CP932", nullptr);
}

std::string ShiftJisToUtf8Lossy(std::string_view sjis) {
  std::optional<std::string> utf8 = Convert(sjis, "UTF-8", "CP932", "\xEF\xBF\xBD");
  return utf8 ? *utf8 : std::string(sjis);
}

}  // namespace headless
