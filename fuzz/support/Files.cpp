#include "support/Files.h"

#include <unistd.h>

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

}  // namespace fuzz_support
