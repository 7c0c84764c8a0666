#include "exchange/SafeFile.h"

#include <fstream>
#include <iterator>
#include <string>
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

bool IsPlainFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(fs::symlink_status(path, ec));
}

enum class WriteResult {
  Written,
  InTheWay,    // something other than a plain file holds the name
  NotCreated,  // the file could not be opened for writing
  Failed,      // opened, but the content did not all reach it
};

// Writes the whole content into `path`, replacing what the file held.
WriteResult WriteWholeFile(const fs::path& path, std::string_view content) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  // Never write through anything but a plain file of our own.
  if (fs::exists(status) && !fs::is_regular_file(status)) return WriteResult::InTheWay;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return WriteResult::NotCreated;
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.flush();
  const bool written = out.good();
  out.close();
  return written && !out.fail() ? WriteResult::Written : WriteResult::Failed;
}

bool ReadWholeFile(const fs::path& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return false;
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Writes `content` over the start of the existing file and then cuts the
// file to its length. The file is never emptied first, so its old bytes keep
// their room on the disk until the new ones are all there.
bool WriteOver(const fs::path& path, std::string_view content) {
  {
    std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!out.is_open()) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    const bool written = out.good();
    out.close();
    if (!written || out.fail()) return false;
  }
  std::error_code ec;
  fs::resize_file(path, content.size(), ec);
  return !ec;
}

// For a folder in which no new file may be created while its files may be
// written (a common access rule on shared installations): the file itself
// takes the new content. When that fails part way, its old content is put
// back, into the room it still has.
bool OverwriteInPlace(const fs::path& target, std::string_view content) {
  if (!IsPlainFile(target)) return false;
  std::string old;
  if (!ReadWholeFile(target, old)) return false;
  if (WriteOver(target, content)) return true;
  WriteOver(target, old);
  return false;
}

}  // namespace

bool ReplaceFileContent(const fs::path& target, std::string_view content) {
  if (target.filename().empty()) return false;
  const fs::path temporary = TemporaryFor(target);
  const WriteResult written = WriteWholeFile(temporary, content);
  if (written == WriteResult::Written && replaceFunction(temporary, target)) return true;
  if (written == WriteResult::NotCreated) return OverwriteInPlace(target, content);
  if (written != WriteResult::InTheWay) {
    std::error_code ec;
    fs::remove(temporary, ec);
  }
  return false;
}

void SetFileReplaceFunction(FileReplaceFunction function) {
  replaceFunction = function ? function : &RenameOver;
}
