#include "ModulePath.h"

#include <string>

namespace win32 {

std::filesystem::path ModuleFilePath(HMODULE module) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return std::filesystem::path(buffer);
    }
    // Cut to fit: try again with room for a longer path (paths end at
    // 32767 characters).
    if (buffer.size() > 65536) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace win32
