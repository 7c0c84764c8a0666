#include "support/Check.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace fuzz_support {

std::uint64_t Bits(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

std::string Hex(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%a", v);
  return buffer;
}

std::string Quoted(const std::string& bytes) {
  std::string out = "\"";
  bool afterEscape = false;
  for (unsigned char c : bytes) {
    const bool plain = c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    if (plain) {
      // A hex digit right after an escape would belong to it.
      if (afterEscape && std::isxdigit(c)) out += "\"\"";
      out += static_cast<char>(c);
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      out += escape;
    }
    afterEscape = !plain;
  }
  return out + "\"";
}

}  // namespace fuzz_support
