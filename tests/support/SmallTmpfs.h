#pragma once
// A small tmpfs mounted for one test, so that writes fail for real when it is
// full (permissions do not stop root). Mounting needs root and a system that
// allows it; Mounted() tells whether it worked and Reason() why not.
#include <cstddef>
#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace testing_support {

class SmallTmpfs {
 public:
  explicit SmallTmpfs(std::size_t bytes);
  ~SmallTmpfs();
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  bool Mounted() const { return mounted_; }
  // Remounts the file system read-only (what is on it stays readable); on
  // failure false and Reason() says why.
  bool MakeReadOnly();
  // Remounts the file system with no inode left: its files can still be
  // written, but no new file or folder can be created in it.
  bool ForbidNewFiles();
  const std::string& Reason() const { return reason_; }
  const std::filesystem::path& Path() const { return mountPoint_; }

 private:
  ScratchDir scratch_;
  std::filesystem::path mountPoint_;
  bool mounted_ = false;
  std::string reason_;
};

}  // namespace testing_support
