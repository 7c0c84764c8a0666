#include "exchange/SafeFile.h"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool RenameOver(const fs::path& temporary, const fs::path& target) {
  std::error_code ec;
  fs::rename(temporary, target, ec);
  return !ec;
}

FileReplaceFunction replaceFunction = &RenameOver;

// The temporary file for `target`: beside it, named after it, so that a file
// left by an interrupted run is recognisable and simply overwritten next time.
fs::path TemporaryFor(const fs::path& target) {
  fs::path temporary = target;
  temporary += ".tmp";
  return temporary;
}

// Writes the whole content into `path`. `created` tells whether a file was
// opened (and so may need removing).
bool WriteWholeFile(const fs::path& path, std::string_view content, bool& created) {
  created = false;
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  // Never write through anything but a plain file of our own.
  if (fs::exists(status) && !fs::is_regular_file(status)) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return false;
  created = true;
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.flush();
  const bool written = out.good();
  out.close();
  return written && !out.fail();
}

}  // namespace

bool ReplaceFileContent(const fs::path& target, std::string_view content) {
  if (target.filename().empty()) return false;
  const fs::path temporary = TemporaryFor(target);
  bool created = false;
  if (WriteWholeFile(temporary, content, created) && replaceFunction(temporary, target)) {
    return true;
  }
  if (created) {
    std::error_code ec;
    fs::remove(temporary, ec);
  }
  return false;
}

void SetFileReplaceFunction(FileReplaceFunction function) {
  replaceFunction = function ? function : &RenameOver;
}
