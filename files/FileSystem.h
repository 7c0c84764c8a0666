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
  None,      // it did
  ReadOnly,  // the file or its folder may not be written (write-protected, no permission)
  NoSpace,   // the disk is full
  InTheWay,  // something other than a plain file (a folder) holds the name
  NotFound,  // the file's folder does not exist
  InUse,     // another program holds the file
  Other,     // a cause the system did not name
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

// A plain file opened for reading from its start.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Reads up to `size` bytes into `buffer`: how many were read, 0 at the end
  // of the file, -1 when reading failed.
  virtual std::ptrdiff_t Read(char* buffer, std::size_t size) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The plain file at `path`, opened for reading; nullptr when there is none
  // (nothing there, or a folder) or it cannot be opened.
  virtual std::unique_ptr<FileReader> OpenForReading(const std::filesystem::path& path) = 0;

  // Whether anything (a file or a folder) is at `path`.
  virtual bool Exists(const std::filesystem::path& path) = 0;

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
  bool Opened = false;    // a plain file was there and could be opened
  bool Complete = false;  // it was read to its end
  std::string Bytes;      // what was read (all of it when Complete)
};
FileBytes ReadWholeFile(FileSystem& files, const std::filesystem::path& path);
