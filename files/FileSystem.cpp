#include "files/FileSystem.h"

FileBytes ReadWholeFile(FileSystem& files, const std::filesystem::path& path) {
  FileBytes result;
  const std::unique_ptr<FileReader> reader = files.OpenForReading(path);
  if (!reader) return result;
  result.Opened = true;
  char chunk[16 * 1024];
  for (;;) {
    const std::ptrdiff_t got = reader->Read(chunk, sizeof chunk);
    if (got < 0) return result;
    if (got == 0) break;
    result.Bytes.append(chunk, static_cast<std::size_t>(got));
  }
  result.Complete = true;
  return result;
}
