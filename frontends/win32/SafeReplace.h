#pragma once
// The program's files on Windows. A finished temporary file takes the place
// of the file it replaces: flushed to disk first, then moved over the old
// file in one step. While another program holds a file open for a moment (a
// virus scanner, a backup tool, the companion tool reading it), the move, or
// the opening of a file to be read, is tried again a few times before it
// gives up.
#include <windows.h>

#include <filesystem>

#include "files/StandardFileSystem.h"

namespace win32 {

struct ReplaceRetry {
  int Attempts = 20;
  DWORD PauseMilliseconds = 50;
};

// Why a Windows file operation failed, from its GetLastError code.
FileStatus FailureOfWindowsError(DWORD error);

// The same for an error that came while a file was opened for reading or
// read: a refused access means the file may not be read, a device or data
// error that its data cannot be.
FileStatus FailureOfWindowsReadError(DWORD error);

// Opens the plain file at `path` for reading, sharing it with other
// programs; a file that another program holds is tried again as `retry`
// says.
OpenedFile OpenFileForReading(const std::filesystem::path& path, ReplaceRetry retry = {});

// Moves `temporary` over `target`. Done when `target` now holds the new file;
// a failure leaves `target` as it was and `temporary` where it is, and says
// why (a read-only or held target, a folder in the way, ...).
FileStatus MoveFileIntoPlace(const std::filesystem::path& temporary,
                       const std::filesystem::path& target, ReplaceRetry retry = {});

// The program's file system on Windows: the standard one, with every new
// file content flushed to disk and moved into place by MoveFileIntoPlace,
// and every file read opened by OpenFileForReading.
class Win32FileSystem : public StandardFileSystem {
 public:
  explicit Win32FileSystem(ReplaceRetry retry = {}) : retry_(retry) {}

  OpenedFile OpenForReading(const std::filesystem::path& path) override;

 protected:
  FileStatus MoveIntoPlace(const std::filesystem::path& temporary,
                     const std::filesystem::path& target) override;

 private:
  ReplaceRetry retry_;
};

}  // namespace win32
