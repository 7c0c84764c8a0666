#include "files/FileSystem.h"

FileBytes ReadWholeFile(FileSystem& files, const std::filesystem::path& path) {
  FileBytes result;
  OpenedFile file = files.OpenForReading(path);
  result.Status = std::move(file.Status);
  if (!result.Status) return result;
  char chunk[16 * 1024];
  for (;;) {
    FilePiece piece = file.Reader->Read(chunk, sizeof chunk);
    if (!piece.Status) {
      result.Status = std::move(piece.Status);
      return result;
    }
    if (piece.Count == 0) return result;
    result.Bytes.append(chunk, piece.Count);
  }
}
