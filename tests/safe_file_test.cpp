// Replacing a file's content only when the new content is complete.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "exchange/SafeFile.h"
#include "support/SmallTmpfs.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::SmallTmpfs;
using testing_support::WriteFileBytes;

namespace {

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// Records the temporary file that a replace was asked to move, then moves it.
fs::path lastTemporary;
bool RecordingRename(const fs::path& temporary, const fs::path& target) {
  lastTemporary = temporary;
  std::error_code ec;
  fs::rename(temporary, target, ec);
  return !ec;
}
bool RefusingReplace(const fs::path& temporary, const fs::path&) {
  lastTemporary = temporary;
  return false;
}

// The temporary file that ReplaceFileContent uses for `target`.
fs::path TemporaryFileFor(const fs::path& target) {
  ScratchDir probe;
  SetFileReplaceFunction(&RecordingRename);
  const bool ok = ReplaceFileContent(probe / target.filename().string(), "probe");
  SetFileReplaceFunction(nullptr);
  EXPECT_TRUE(ok);
  return target.parent_path() / lastTemporary.filename();
}

class ReplaceFileContentTest : public ::testing::Test {
 protected:
  void TearDown() override { SetFileReplaceFunction(nullptr); }
  ScratchDir dir;
};

const std::string kOld = "lg0\r\nhp1 10 20\r\n";
const std::string kNew = std::string("cs 0 0 1 0 \"\x82\x50\x82\x51\r\n\0\x1A end", 23);

}  // namespace

TEST_F(ReplaceFileContentTest, PutsTheExactBytesInPlaceAndLeavesNothingElse) {
  const fs::path target = dir / "JWC_TEMP.TXT";
  // a file that does not exist yet is created
  ASSERT_TRUE(ReplaceFileContent(target, kOld));
  EXPECT_EQ(ReadFileBytes(target), kOld);
  // an existing one is replaced, shorter or longer, byte for byte
  ASSERT_TRUE(ReplaceFileContent(target, kNew));
  EXPECT_EQ(ReadFileBytes(target), kNew);
  ASSERT_TRUE(ReplaceFileContent(target, ""));
  EXPECT_EQ(ReadFileBytes(target), "");
  EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"JWC_TEMP.TXT"});
}

TEST_F(ReplaceFileContentTest, TemporaryFileLiesBesideTheTargetAndAStaleOneIsOverwritten) {
  const fs::path target = dir / "JWC_TEMP.TXT";
  const fs::path temporary = TemporaryFileFor(target);
  EXPECT_EQ(temporary.parent_path(), target.parent_path());
  EXPECT_NE(temporary, target);
  WriteFileBytes(temporary, std::string(5000, 'x'));  // left by an interrupted run
  ASSERT_TRUE(ReplaceFileContent(target, kNew));
  EXPECT_EQ(ReadFileBytes(target), kNew);
  EXPECT_FALSE(fs::exists(temporary));
}

TEST_F(ReplaceFileContentTest, FailedMoveKeepsTheTargetAndRemovesTheTemporaryFile) {
  const fs::path target = dir / "JWC_TEMP.TXT";
  WriteFileBytes(target, kOld);
  SetFileReplaceFunction(&RefusingReplace);
  EXPECT_FALSE(ReplaceFileContent(target, kNew));
  EXPECT_EQ(ReadFileBytes(target), kOld);
  EXPECT_FALSE(lastTemporary.empty());
  EXPECT_FALSE(fs::exists(lastTemporary));
  EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"JWC_TEMP.TXT"});
  // the default move is back after resetting
  SetFileReplaceFunction(nullptr);
  EXPECT_TRUE(ReplaceFileContent(target, kNew));
  EXPECT_EQ(ReadFileBytes(target), kNew);
}

TEST_F(ReplaceFileContentTest, DirectoryWhereTheTemporaryFileMustBeCreatedFails) {
  const fs::path target = dir / "JWC_TEMP.TXT";
  WriteFileBytes(target, kOld);
  const fs::path temporary = TemporaryFileFor(target);
  fs::create_directory(temporary);
  WriteFileBytes(temporary / "inside", "kept");
  EXPECT_FALSE(ReplaceFileContent(target, kNew));
  EXPECT_EQ(ReadFileBytes(target), kOld);
  // what stood there is not ours and stays untouched
  EXPECT_TRUE(fs::is_directory(temporary));
  EXPECT_EQ(ReadFileBytes(temporary / "inside"), "kept");
}

TEST_F(ReplaceFileContentTest, DirectoryWhereTheTargetStandsFails) {
  const fs::path target = dir / "JWC_TEMP.TXT";
  fs::create_directory(target);
  EXPECT_FALSE(ReplaceFileContent(target, kNew));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"JWC_TEMP.TXT"});
  EXPECT_TRUE(fs::is_empty(target));
}

TEST_F(ReplaceFileContentTest, FullFileSystemKeepsTheTargetByteForByte) {
  SmallTmpfs fs64k(64 * 1024);
  if (!fs64k.Mounted()) GTEST_SKIP() << fs64k.Reason();
  const fs::path target = fs64k.Path() / "JWC_TEMP.TXT";
  WriteFileBytes(target, kOld);
  EXPECT_FALSE(ReplaceFileContent(target, std::string(512 * 1024, 'z')));
  EXPECT_EQ(ReadFileBytes(target), kOld);
  EXPECT_EQ(Entries(fs64k.Path()), std::set<std::string>{"JWC_TEMP.TXT"});
  // the failed attempt gave its space back: a content that fits succeeds
  EXPECT_TRUE(ReplaceFileContent(target, std::string(16 * 1024, 'z')));
  EXPECT_EQ(ReadFileBytes(target), std::string(16 * 1024, 'z'));
}
