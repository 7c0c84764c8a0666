#pragma once
// The file system over the C++ standard library: the only place of the core
// that touches files. A new content is written to a temporary file beside
// the file and then moved over it, so that the file is either the old one or
// the complete new one. Where no new file can be created beside an existing
// file (a folder whose files may be written but in which nothing may be
// created, a common access rule on shared installations), the file itself is
// written over and put back as it was when that breaks off.
#include "files/FileSystem.h"

class StandardFileSystem : public FileSystem {
 public:
  OpenedFile OpenForReading(const std::filesystem::path& path) override;
  FileStatus Exists(const std::filesystem::path& path) override;
  FileStatus ReplaceContent(const std::filesystem::path& path, std::string_view content) override;
  FileStatus Remove(const std::filesystem::path& path) override;

  // The temporary file that a new content of `target` goes to first: beside
  // it, named after it, so that one left by an interrupted run is
  // recognisable and simply overwritten next time.
  static std::filesystem::path TemporaryFor(const std::filesystem::path& target);

 protected:
  // Moves the finished temporary file over `target` in one step. Done when
  // `target` now holds the new file; a failure leaves both where they are and
  // says why. A platform may do it its own way (flushing to disk first,
  // waiting for another program that holds the file for a moment).
  virtual FileStatus MoveIntoPlace(const std::filesystem::path& temporary,
                             const std::filesystem::path& target);
};
