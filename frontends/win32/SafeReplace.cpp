#include "SafeReplace.h"


namespace win32 {

namespace {

// Errors that another program's open handle causes and that pass when it
// lets go of the file.
bool IsMomentary(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

void FlushToDisk(const std::filesystem::path& file) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  FlushFileBuffers(handle);
  CloseHandle(handle);
}

}  // namespace

bool MoveFileIntoPlace(const std::filesystem::path& temporary,
                       const std::filesystem::path& target, ReplaceRetry retry) {
  FlushToDisk(temporary);
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    if (!IsMomentary(GetLastError()) || attempt >= retry.Attempts) return false;
    Sleep(retry.PauseMilliseconds);
  }
}

bool Win32FileSystem::MoveIntoPlace(const std::filesystem::path& temporary,
                                    const std::filesystem::path& target) {
  return MoveFileIntoPlace(temporary, target, retry_);
}

}  // namespace win32
