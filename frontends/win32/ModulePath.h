#pragma once
// The program file's own path, however long and in whatever characters.
#include <windows.h>

#include <filesystem>

namespace win32 {

std::filesystem::path ModuleFilePath(HMODULE module = nullptr);

}  // namespace win32
