#include "support/Check.h"

#include <cctype>
#include <cstdio>

namespace fuzz_support {

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
