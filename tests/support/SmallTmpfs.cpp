#include "support/SmallTmpfs.h"

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace testing_support {

SmallTmpfs::SmallTmpfs(std::size_t bytes) : mountPoint_(scratch_ / "fs") {
  std::filesystem::create_directory(mountPoint_);
  if (geteuid() != 0) {
    reason_ = "mounting a tmpfs needs root";
    return;
  }
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (mount("tmpfs", mountPoint_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
    reason_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
    return;
  }
  mounted_ = true;
}

bool SmallTmpfs::MakeReadOnly() {
  if (!mounted_) return false;
  if (mount("tmpfs", mountPoint_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) != 0) {
    reason_ = std::string("cannot remount the tmpfs read-only: ") + std::strerror(errno);
    return false;
  }
  return true;
}

bool SmallTmpfs::ForbidNewFiles() {
  if (!mounted_) return false;
  struct statvfs stats {};
  if (statvfs(mountPoint_.c_str(), &stats) != 0) {
    reason_ = std::string("cannot count the tmpfs's inodes: ") + std::strerror(errno);
    return false;
  }
  const std::string options = "nr_inodes=" + std::to_string(stats.f_files - stats.f_ffree);
  if (mount("tmpfs", mountPoint_.c_str(), "tmpfs", MS_REMOUNT | MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
    reason_ = std::string("cannot remount the tmpfs without free inodes: ") + std::strerror(errno);
    return false;
  }
  return true;
}

SmallTmpfs::~SmallTmpfs() {
  if (mounted_) umount2(mountPoint_.c_str(), MNT_DETACH);
}

}  // namespace testing_support
