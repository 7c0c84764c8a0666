#pragma once
// Utilities shared by the tests: scratch folders, whole-file reads and writes,
// and conversion between UTF-8 and Shift-JIS (through the system's iconv, so
// that tests never check the program's tables against a copy of themselves).
#include <filesystem>
#include <string>
#include <string_view>

#include "files/FileSystem.h"

namespace testing_support {

// A fresh, empty folder under the system's temporary folder; removed with the
// object.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The real file system, as the program uses it.
FileSystem& RealFiles();

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Conversions through iconv ("UTF-8" <-> "CP932"); they fail the test when the
// text cannot be converted.
std::string Utf8ToSjis(std::string_view utf8);
std::string SjisToUtf8(std::string_view sjis);

// Test sources are compiled with Shift-JIS string literals; u8"..." literals
// stay UTF-8. U8(u8"...") gives such a literal as a std::string.
inline std::string U8(const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }

}  // namespace testing_support
