#pragma once
// Real files for the fuzz targets: a private folder that lives as long as the
// process, and whole-file reads and writes.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace fuzz_support {

// A fresh folder (in /dev/shm when there is one, so that the many small
// writes of a fuzz run stay in memory), removed when the process ends.
const std::filesystem::path& ScratchFolder();

void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
// The file's bytes, or nothing when it cannot be read as a file.
std::optional<std::string> ReadBytes(const std::filesystem::path& path);

}  // namespace fuzz_support
