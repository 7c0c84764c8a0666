#include "files/StandardFileSystem.h"

#include <fstream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

class StreamReader : public FileReader {
 public:
  explicit StreamReader(const fs::path& path) : in_(path, std::ios::in | std::ios::binary) {}
  bool IsOpen() const { return in_.is_open(); }
  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    in_.read(buffer, static_cast<std::streamsize>(size));
    if (in_.bad()) return -1;
    return static_cast<std::ptrdiff_t>(in_.gcount());
  }

 private:
  std::ifstream in_;
};

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

// The file itself takes the new content; when that fails part way, its old
// content goes back into the room it still has.
bool OverwriteInPlace(FileSystem& files, const fs::path& target, std::string_view content) {
  if (!IsPlainFile(target)) return false;
  const FileBytes old = ReadWholeFile(files, target);
  if (!old.Complete) return false;
  if (WriteOver(target, content)) return true;
  WriteOver(target, old.Bytes);
  return false;
}

}  // namespace

std::unique_ptr<FileReader> StandardFileSystem::OpenForReading(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status) || fs::is_directory(status)) return nullptr;
  auto reader = std::make_unique<StreamReader>(path);
  if (!reader->IsOpen()) return nullptr;
  return reader;
}

bool StandardFileSystem::Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

fs::path StandardFileSystem::TemporaryFor(const fs::path& target) {
  fs::path temporary = target;
  temporary += ".tmp";
  return temporary;
}

bool StandardFileSystem::MoveIntoPlace(const fs::path& temporary, const fs::path& target) {
  std::error_code ec;
  fs::rename(temporary, target, ec);
  return !ec;
}

bool StandardFileSystem::ReplaceContent(const fs::path& target, std::string_view content) {
  if (target.filename().empty()) return false;
  const fs::path temporary = TemporaryFor(target);
  const WriteResult written = WriteWholeFile(temporary, content);
  if (written == WriteResult::Written && MoveIntoPlace(temporary, target)) return true;
  if (written == WriteResult::NotCreated) return OverwriteInPlace(*this, target, content);
  if (written != WriteResult::InTheWay) {
    std::error_code ec;
    fs::remove(temporary, ec);
  }
  return false;
}

bool StandardFileSystem::Remove(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  if (!fs::exists(status)) return true;
  if (fs::is_directory(status)) return false;
  return fs::remove(path, ec) && !ec;
}
