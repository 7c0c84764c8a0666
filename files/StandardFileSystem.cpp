#include "files/StandardFileSystem.h"

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Whether a failure came while reading a file or while writing one: a refused
// permission means the one may not be read, the other may not be written.
enum class Access { Reading, Writing };

FileStatus FailureOf(std::error_code ec, Access access = Access::Writing);

class StreamReader : public FileReader {
 public:
  explicit StreamReader(const fs::path& path) {
    errno = 0;
    in_.open(path, std::ios::in | std::ios::binary);
    openError_ = errno;
    // A failed read then comes with the system's cause.
    if (in_.is_open()) in_.exceptions(std::ios::badbit);
  }
  bool IsOpen() const { return in_.is_open(); }
  int OpenError() const { return openError_; }
  FilePiece Read(char* buffer, std::size_t size) override {
    try {
      in_.read(buffer, static_cast<std::streamsize>(size));
    } catch (const std::ios_base::failure& failure) {
      FileStatus why = FailureOf(failure.code(), Access::Reading);
      // A read that broke off without a cause the system named: the data
      // could not be read.
      if (why.Fault == FileFault::Other) why.Fault = FileFault::Unreadable;
      return {0, std::move(why)};
    }
    return {static_cast<std::size_t>(in_.gcount()), FileStatus::Done()};
  }

 private:
  std::ifstream in_;
  int openError_ = 0;
};

// The status of a failure that the C library reported in errno (or a
// standard library call in its error code).
FileStatus FailureOf(std::error_code ec, Access access) {
  if (!ec) return FileStatus::Failed(FileFault::Other);
  const std::error_condition why = ec.default_error_condition();
  FileFault fault = FileFault::Other;
  if (why == std::errc::read_only_file_system || why == std::errc::permission_denied ||
      why == std::errc::operation_not_permitted)
    fault = access == Access::Reading ? FileFault::NoPermission : FileFault::ReadOnly;
  else if (access == Access::Reading && why == std::errc::io_error)
    fault = FileFault::Unreadable;
  else if (why == std::errc::no_space_on_device || why == std::errc::file_too_large)
    fault = FileFault::NoSpace;
  else if (why == std::errc::is_a_directory)
    fault = FileFault::InTheWay;
  else if (why == std::errc::no_such_file_or_directory || why == std::errc::not_a_directory)
    fault = FileFault::NotFound;
  else if (why == std::errc::device_or_resource_busy || why == std::errc::text_file_busy)
    fault = FileFault::InUse;
  return FileStatus::Failed(fault, ec.message());
}

FileStatus FailureOfErrno(int error, Access access = Access::Writing) {
  return FailureOf(std::error_code(error, std::generic_category()), access);
}

FileStatus InTheWay(const fs::path& path) {
  return FileStatus::Failed(FileFault::InTheWay, path.filename().string() + " is not a plain file");
}

// Writes the whole content into `path`, replacing what the file held.
// NotCreated when the file could not be opened for writing (then nothing was
// touched); InTheWay when something other than a plain file holds the name.
struct WriteResult {
  bool NotCreated = false;
  FileStatus Status;
};

WriteResult WriteWholeFile(const fs::path& path, std::string_view content) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  // Never write through anything but a plain file of our own.
  if (fs::exists(status) && !fs::is_regular_file(status)) return {false, InTheWay(path)};
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return {true, FailureOfErrno(errno)};
  errno = 0;
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.flush();
  const bool written = out.good();
  const int writeError = errno;
  out.close();
  if (written && !out.fail()) return {};
  return {false, FailureOfErrno(writeError ? writeError : errno)};
}

// Writes `content` over the start of the existing file and then cuts the
// file to its length. The file is never emptied first, so its old bytes keep
// their room on the disk until the new ones are all there.
FileStatus WriteOver(const fs::path& path, std::string_view content) {
  {
    errno = 0;
    std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!out.is_open()) return FailureOfErrno(errno);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    const bool written = out.good();
    const int writeError = errno;
    out.close();
    if (!written || out.fail()) return FailureOfErrno(writeError ? writeError : errno);
  }
  std::error_code ec;
  fs::resize_file(path, content.size(), ec);
  return ec ? FailureOf(ec) : FileStatus::Done();
}

// The file itself takes the new content; when that fails part way, its old
// content goes back into the room it still has. `notCreated` is why no new
// file could be made beside it, the cause when there is no file to write over.
FileStatus OverwriteInPlace(FileSystem& files, const fs::path& target, std::string_view content,
                            FileStatus notCreated) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(target, ec);
  if (!fs::exists(status)) return notCreated;
  if (!fs::is_regular_file(status)) return InTheWay(target);
  const FileBytes old = ReadWholeFile(files, target);
  if (!old.Complete()) return notCreated;
  FileStatus written = WriteOver(target, content);
  if (!written) WriteOver(target, old.Bytes);
  return written;
}

}  // namespace

OpenedFile StandardFileSystem::OpenForReading(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) {
    // Nothing there (a link to nothing counts as nothing), or the system
    // cannot tell (a folder on the way that may not be looked into).
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
      return {nullptr, FailureOf(ec, Access::Reading)};
    return {nullptr, FileStatus::Failed(FileFault::NotFound, path.filename().string() + " does not exist")};
  }
  if (!fs::is_regular_file(status)) return {nullptr, InTheWay(path)};
  auto reader = std::make_unique<StreamReader>(path);
  if (!reader->IsOpen()) return {nullptr, FailureOfErrno(reader->OpenError(), Access::Reading)};
  return {std::move(reader), FileStatus::Done()};
}

FileStatus StandardFileSystem::Exists(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(fs::status(path, ec))) return FileStatus::Done();
  if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
    return FailureOf(ec, Access::Reading);
  return FileStatus::Failed(FileFault::NotFound, path.filename().string() + " does not exist");
}

fs::path StandardFileSystem::TemporaryFor(const fs::path& target) {
  fs::path temporary = target;
  temporary += ".tmp";
  return temporary;
}

FileStatus StandardFileSystem::MoveIntoPlace(const fs::path& temporary, const fs::path& target) {
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (!ec) return FileStatus::Done();
  // A folder of that name refuses the move in words that differ by system.
  std::error_code ignored;
  if (fs::is_directory(fs::symlink_status(target, ignored))) return InTheWay(target);
  return FailureOf(ec);
}

FileStatus StandardFileSystem::ReplaceContent(const fs::path& target, std::string_view content) {
  if (target.filename().empty()) return InTheWay(target);
  const fs::path temporary = TemporaryFor(target);
  const WriteResult written = WriteWholeFile(temporary, content);
  if (written.NotCreated) return OverwriteInPlace(*this, target, content, written.Status);
  if (written.Status.Fault == FileFault::InTheWay) return written.Status;
  FileStatus status = written.Status ? MoveIntoPlace(temporary, target) : written.Status;
  if (!status) {
    std::error_code ec;
    fs::remove(temporary, ec);
  }
  return status;
}

FileStatus StandardFileSystem::Remove(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  if (!fs::exists(status)) return FileStatus::Done();
  if (fs::is_directory(status)) return InTheWay(path);
  if (fs::remove(path, ec) && !ec) return FileStatus::Done();
  return FailureOf(ec);
}
