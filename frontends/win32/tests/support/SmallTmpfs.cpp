// The Windows build of the tests has no size-limited file system to mount:
// the tests that need one say so and skip.
#include "support/SmallTmpfs.h"

namespace testing_support {

SmallTmpfs::SmallTmpfs(std::size_t) : mountPoint_(scratch_ / "fs") {
  std::filesystem::create_directory(mountPoint_);
  reason_ = "no size-limited file system can be mounted on Windows";
}

bool SmallTmpfs::MakeReadOnly() { return false; }

SmallTmpfs::~SmallTmpfs() = default;

}  // namespace testing_support
