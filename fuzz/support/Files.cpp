#include "support/Files.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/Check.h"

namespace fs = std::filesystem;

namespace fuzz_support {

namespace {

struct Folder {
  fs::path path;
  Folder() {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "orvane-fuzz-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr, "cannot create a scratch folder under " + base.string());
    path = pattern;
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

}  // namespace

const fs::path& ScratchFolder() {
  static Folder folder;
  return folder.path;
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  FUZZ_CHECK(out.good(), "cannot write " + path.string());
}

std::optional<std::string> ReadBytes(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
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
