#include "files/FileSystem.h"

FileBytes ReadWholeFile(FileSystem& files, const std::filesystem::path& path) {
  FileBytes result;
  const std::unique_ptr<FileReader> reader = files.OpenForReading(path);
  if (!reader) return result;
  result.Opened = true;
  constexpr std::size_t kChunk = 64 * 1024;
  for (;;) {
    const std::size_t held = result.Bytes.size();
    result.Bytes.resize(held + kChunk);
    const std::ptrdiff_t got = reader->Read(result.Bytes.data() + held, kChunk);
    result.Bytes.resize(held + (got > 0 ? static_cast<std::size_t>(got) : 0));
    if (got < 0) return result;
    if (got == 0) break;
  }
  result.Complete = true;
  return result;
}
