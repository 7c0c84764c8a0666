#pragma once
// The program's one way to its files. The core never opens a file itself: it
// asks a FileSystem, which the front end chooses (the ordinary one over the
// standard library, the Windows one, or one held in memory for tests).
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

// Why a file operation did not do what it was asked to, as far as the
// system tells.
enum class FileFault {
  None,          // it did
  ReadOnly,      // writing: the file or its folder may not be written (write-protected, no permission)
  NoSpace,       // writing: the disk is full
  InTheWay,      // something other than a plain file (a folder) holds the name
  NotFound,      // reading: nothing is at the path; writing: the file's folder does not exist
  InUse,         // another program holds the file
  NoPermission,  // reading: the file may not be read
  Unreadable,    // reading: the file's data cannot be read (a disk error, a read broken off)
  Other,         // a cause the system did not name
};

// What a file operation answers: whether it did what it was asked, and if
// not, why, with the system's own words for it (for logs and tests; the user
// is told the cause in the program's own texts).
struct FileStatus {
  FileFault Fault = FileFault::None;
  std::string Detail;

  static FileStatus Done() { return {}; }
  static FileStatus Failed(FileFault fault, std::string detail = {}) {
    return {fault, std::move(detail)};
  }
  bool Ok() const { return Fault == FileFault::None; }
  explicit operator bool() const { return Ok(); }
};

// What one read from an opened file answers: the bytes it put into the
// buffer (0 at the end of the file), or why it failed.
struct FilePiece {
  std::size_t Count = 0;
  FileStatus Status;
};

// A plain file opened for reading from its start.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Reads up to `size` bytes into `buffer`.
  virtual FilePiece Read(char* buffer, std::size_t size) = 0;
};

// A file opened for reading, or why it could not be: NotFound when nothing
// is at the path, InTheWay when something other than a plain file (a
// folder) is there, InUse, NoPermission, ...
struct OpenedFile {
  std::unique_ptr<FileReader> Reader;  // null unless Status is done
  FileStatus Status;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The plain file at `path`, opened for reading.
  virtual OpenedFile OpenForReading(const std::filesystem::path& path) = 0;

  // Done when anything (a file or a folder) is at `path`; NotFound when
  // nothing is; another fault when the system cannot tell.
  virtual FileStatus Exists(const std::filesystem::path& path) = 0;

  // Gives the file at `path` the new content, safely: done when the file now
  // holds exactly `content`. Otherwise the file holds what it held before (or
  // still does not exist), nothing the attempt made is left behind, and the
  // status says why. Anything but a plain file at `path` is never written to
  // or through (InTheWay).
  virtual FileStatus ReplaceContent(const std::filesystem::path& path,
                                    std::string_view content) = 0;

  // Removes the plain file at `path`; a folder is left alone (InTheWay). Done
  // when no plain file is there afterwards.
  virtual FileStatus Remove(const std::filesystem::path& path) = 0;
};

// A whole file as far as it could be read.
struct FileBytes {
  // Done when it was read to its end; otherwise why it could not be opened
  // or why reading it broke off (NotFound: there is no file).
  FileStatus Status = FileStatus::Failed(FileFault::NotFound);
  std::string Bytes;  // what was read (all of it when Complete)
  bool Complete() const { return Status.Ok(); }
  // A file was there (whether or not it could be read).
  bool Existed() const { return Status.Fault != FileFault::NotFound; }
};
FileBytes ReadWholeFile(FileSystem& files, const std::filesystem::path& path);
