#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "files/StandardFileSystem.h"

namespace testing_support {

namespace fs = std::filesystem;

FileSystem& RealFiles() {
  static StandardFileSystem files;
  return files;
}

ScratchDir::ScratchDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() /
                         ("orvane-test-" + std::to_string(rd()) + "-" +
                          std::to_string(counter++));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a scratch folder");
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path.string());
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {

std::string Convert(std::string_view text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string input(text);
  std::string output(input.size() * 4 + 16, '\0');
  char* in = input.data();
  size_t inLeft = input.size();
  char* out = output.data();
  size_t outLeft = output.size();
  size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1))
    throw std::runtime_error(std::string("iconv cannot convert from ") + from);
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace

std::string Utf8ToSjis(std::string_view utf8) { return Convert(utf8, "CP932", "UTF-8"); }
std::string SjisToUtf8(std::string_view sjis) { return Convert(sjis, "UTF-8", "CP932"); }

}  // namespace testing_support
