#include "SafeReplace.h"

#include <system_error>

namespace win32 {

namespace {

// Errors that another program's open handle causes and that pass when it
// lets go of the file.
bool IsMomentary(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

// Whether another program holds the file so that it may not be replaced.
bool IsHeldElsewhere(const std::filesystem::path& file) {
  HANDLE handle = CreateFileW(file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    CloseHandle(handle);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

void FlushToDisk(const std::filesystem::path& file) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  FlushFileBuffers(handle);
  CloseHandle(handle);
}

}  // namespace

FileStatus FailureOfWindowsError(DWORD error) {
  FileFault fault = FileFault::Other;
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      fault = FileFault::ReadOnly;
      break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      fault = FileFault::NoSpace;
      break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      fault = FileFault::NotFound;
      break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      fault = FileFault::InUse;
      break;
    case ERROR_DIRECTORY:
      fault = FileFault::InTheWay;
      break;
    default:
      break;
  }
  return FileStatus::Failed(fault, std::system_category().message(static_cast<int>(error)));
}

FileStatus MoveFileIntoPlace(const std::filesystem::path& temporary,
                             const std::filesystem::path& target, ReplaceRetry retry) {
  FlushToDisk(temporary);
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return FileStatus::Done();
    const DWORD error = GetLastError();
    if (!IsMomentary(error) || attempt >= retry.Attempts) {
      // Access is denied to a folder, to a file marked read-only and (on some
      // systems) to a file that another program holds alike; the target
      // itself tells which.
      const DWORD attributes = GetFileAttributesW(target.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FileStatus::Failed(FileFault::InTheWay, "a folder holds the name");
      if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
          !(attributes & FILE_ATTRIBUTE_READONLY) && IsHeldElsewhere(target))
        return FailureOfWindowsError(ERROR_SHARING_VIOLATION);
      return FailureOfWindowsError(error);
    }
    Sleep(retry.PauseMilliseconds);
  }
}

FileStatus Win32FileSystem::MoveIntoPlace(const std::filesystem::path& temporary,
                                    const std::filesystem::path& target) {
  return MoveFileIntoPlace(temporary, target, retry_);
}

}  // namespace win32
