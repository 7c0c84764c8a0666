#pragma once
// How a finished temporary file takes the place of the file it replaces on
// Windows: flushed to disk first, then moved over the old file in one step;
// while another program holds the old file open for a moment (a virus
// scanner, a backup tool, the companion tool reading it), the move is tried
// again a few times before it gives up.
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

// Moves `temporary` over `target`. Done when `target` now holds the new file;
// a failure leaves `target` as it was and `temporary` where it is, and says
// why (a read-only or held target, a folder in the way, ...).
FileStatus MoveFileIntoPlace(const std::filesystem::path& temporary,
                       const std::filesystem::path& target, ReplaceRetry retry = {});

// The program's file system on Windows: the standard one, with every new
// file content flushed to disk and moved into place by MoveFileIntoPlace.
class Win32FileSystem : public StandardFileSystem {
 public:
  explicit Win32FileSystem(ReplaceRetry retry = {}) : retry_(retry) {}

 protected:
  FileStatus MoveIntoPlace(const std::filesystem::path& temporary,
                     const std::filesystem::path& target) override;

 private:
  ReplaceRetry retry_;
};

}  // namespace win32
