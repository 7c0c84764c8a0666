#include "SafeReplace.h"

#include <memory>
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

// A file opened for reading through its handle, which it closes.
class HandleReader : public FileReader {
 public:
  explicit HandleReader(HANDLE handle) : handle_(handle) {}
  HandleReader(const HandleReader&) = delete;
  HandleReader& operator=(const HandleReader&) = delete;
  ~HandleReader() override { CloseHandle(handle_); }
  FilePiece Read(char* buffer, std::size_t size) override {
    const DWORD want = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, want, &got, nullptr))
      return {0, FailureOfWindowsReadError(GetLastError())};
    return {got, FileStatus::Done()};
  }

 private:
  HANDLE handle_;
};

bool IsFolder(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

FileStatus FailureOfWindowsReadError(DWORD error) {
  FileStatus status = FailureOfWindowsError(error);
  switch (error) {
    case ERROR_ACCESS_DENIED:
      status.Fault = FileFault::NoPermission;
      break;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_IO_DEVICE:
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
      status.Fault = FileFault::Unreadable;
      break;
    default:
      break;
  }
  return status;
}

OpenedFile OpenFileForReading(const std::filesystem::path& path, ReplaceRetry retry) {
  for (int attempt = 1;; ++attempt) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      // A folder opens only with a flag not given here; a device is no file.
      if (GetFileType(handle) == FILE_TYPE_DISK) return {std::make_unique<HandleReader>(handle), FileStatus::Done()};
      CloseHandle(handle);
      return {nullptr, FileStatus::Failed(FileFault::InTheWay, "not a plain file")};
    }
    const DWORD error = GetLastError();
    // A folder refuses the opening as access denied.
    if (IsFolder(path)) return {nullptr, FileStatus::Failed(FileFault::InTheWay, "a folder holds the name")};
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    if (!held || attempt >= retry.Attempts) return {nullptr, FailureOfWindowsReadError(error)};
    Sleep(retry.PauseMilliseconds);
  }
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
      if (IsFolder(target)) return FileStatus::Failed(FileFault::InTheWay, "a folder holds the name");
      if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
          !(attributes & FILE_ATTRIBUTE_READONLY) && IsHeldElsewhere(target))
        return FailureOfWindowsError(ERROR_SHARING_VIOLATION);
      return FailureOfWindowsError(error);
    }
    Sleep(retry.PauseMilliseconds);
  }
}

OpenedFile Win32FileSystem::OpenForReading(const std::filesystem::path& path) {
  return OpenFileForReading(path, retry_);
}

FileStatus Win32FileSystem::MoveIntoPlace(const std::filesystem::path& temporary,
                                    const std::filesystem::path& target) {
  return MoveFileIntoPlace(temporary, target, retry_);
}

}  // namespace win32
