#pragma once
// A file system held in memory, for tests and fuzzing: files and folders by
// path, and faults that a test programs in advance: the n-th operation
// fails (a read as a write, with the cause the test names), space runs out
// after k bytes, every replace fails, a read breaks off after k bytes, or
// something happens to the files between two operations (a file vanishes or
// becomes a folder), another program holds a file. A replace is all or
// nothing, as the real ones are, and a failure names its cause as the real
// ones do.
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "files/FileSystem.h"

class MemoryFileSystem : public FileSystem {
 public:
  OpenedFile OpenForReading(const std::filesystem::path& path) override;
  FileStatus Exists(const std::filesystem::path& path) override;
  FileStatus ReplaceContent(const std::filesystem::path& path, std::string_view content) override;
  FileStatus Remove(const std::filesystem::path& path) override;

  // Setting up and looking at the files; none of these counts as an
  // operation or meets a fault.
  void PutFile(const std::filesystem::path& path, std::string content);
  void PutFolder(const std::filesystem::path& path);
  void Erase(const std::filesystem::path& path);
  std::optional<std::string> FileContent(const std::filesystem::path& path) const;
  bool IsFolder(const std::filesystem::path& path) const;
  // Every path that holds a file or folder, in order.
  std::vector<std::string> Paths() const;

  // Faults. Operations are counted from 1 over all four operations; a read
  // of an opened file is part of its opening operation. The operation fails
  // with `fault` as its cause.
  void FailOperation(std::size_t number, FileFault fault = FileFault::Other) {
    failing_.emplace(number, fault);
  }
  // Replaces fail (NoSpace) when the files would then take more than `bytes`
  // in all.
  void LimitSpace(std::size_t bytes) { spaceLimit_ = bytes; }
  // Every replace and remove fails (ReadOnly), as in a read-only folder.
  void MakeReadOnly(bool readOnly = true) { readOnly_ = readOnly; }
  // Another program holds the file: opening, replacing or removing it fails
  // (InUse) until it lets go.
  void HoldFile(const std::filesystem::path& path, bool held = true);
  // Reading an opened file fails after `bytes` bytes, with `fault` as cause.
  void FailReadsAfter(std::size_t bytes, FileFault fault = FileFault::Unreadable) {
    readLimit_ = bytes;
    readFailure_ = fault;
  }
  // Runs `change` just before operation `number`.
  void BeforeOperation(std::size_t number, std::function<void()> change) {
    hooks_.emplace(number, std::move(change));
  }
  std::size_t OperationCount() const { return operations_; }
  // One line an operation, as it was asked and how it ended, for example
  // "replace /p/vk38.dat: failed".
  const std::vector<std::string>& Log() const { return log_; }

 private:
  struct Node {
    bool Folder = false;
    std::string Content;
  };
  // Counts the operation, runs its hook; the fault it is to fail with, None
  // when it is not programmed to fail.
  FileFault Begin(const char* what, const std::string& key);
  bool End(bool ok);
  FileStatus End(FileFault fault);
  std::size_t UsedBytes() const;
  static std::string Key(const std::filesystem::path& path);

  std::map<std::string, Node> nodes_;
  std::map<std::size_t, FileFault> failing_;
  std::set<std::string> held_;
  std::multimap<std::size_t, std::function<void()>> hooks_;
  std::optional<std::size_t> spaceLimit_;
  std::optional<std::size_t> readLimit_;
  FileFault readFailure_ = FileFault::Unreadable;
  bool readOnly_ = false;
  std::size_t operations_ = 0;
  std::vector<std::string> log_;
};
