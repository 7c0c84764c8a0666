// Replacing a file on Windows: the new file takes the old one's place in one
// move, also while another program holds the old file for a moment.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>

#include "SafeReplace.h"
#include "support/TestSupport.h"

using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::WriteFileBytes;
using win32::MoveFileIntoPlace;

namespace {

// Opens the file the way a program does that lets nobody else touch it.
HANDLE HoldExclusively(const std::filesystem::path& file) {
  return CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

TEST(SafeReplace, NewFileTakesTheOldOnesPlace) {
  ScratchDir dir;
  WriteFileBytes(dir / "vk38.dat", "old\r\n");
  WriteFileBytes(dir / "vk38.dat.tmp", "new\r\n");
  EXPECT_TRUE(MoveFileIntoPlace(dir / "vk38.dat.tmp", dir / "vk38.dat"));
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "vk38.dat.tmp"));

  // Also where there was no file yet, and in a folder whose name code page
  // 932 cannot write.
  const std::filesystem::path folder = dir.Path() / L"r\u00e9sum\u00e9 \ud55c";
  std::filesystem::create_directory(folder);
  WriteFileBytes(folder / "JWC_TEMP.TXT.tmp", "hq\r\n");
  EXPECT_TRUE(MoveFileIntoPlace(folder / "JWC_TEMP.TXT.tmp", folder / "JWC_TEMP.TXT"));
  EXPECT_EQ(ReadFileBytes(folder / "JWC_TEMP.TXT"), "hq\r\n");
}

TEST(SafeReplace, WaitsWhileAnotherProgramHoldsTheFileForAMoment) {
  ScratchDir dir;
  WriteFileBytes(dir / "vk38.dat", "old\r\n");
  WriteFileBytes(dir / "vk38.dat.tmp", "new\r\n");
  HANDLE held = HoldExclusively(dir / "vk38.dat");
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread releaser([held] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    CloseHandle(held);
  });
  EXPECT_TRUE(MoveFileIntoPlace(dir / "vk38.dat.tmp", dir / "vk38.dat", {40, 25}));
  releaser.join();
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), "new\r\n");
}

TEST(SafeReplace, GivesUpInBoundedTimeAndLeavesTheOldFile) {
  ScratchDir dir;
  WriteFileBytes(dir / "vk38.dat", "old\r\n");
  WriteFileBytes(dir / "vk38.dat.tmp", "new\r\n");
  HANDLE held = HoldExclusively(dir / "vk38.dat");
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(MoveFileIntoPlace(dir / "vk38.dat.tmp", dir / "vk38.dat", {5, 20}));
  const auto waited = std::chrono::steady_clock::now() - start;
  CloseHandle(held);
  EXPECT_GE(waited, std::chrono::milliseconds(80));
  EXPECT_LT(waited, std::chrono::seconds(5));
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), "old\r\n");
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat.tmp"), "new\r\n");
}

TEST(SafeReplace, OtherFailuresEndAtOnce) {
  ScratchDir dir;
  WriteFileBytes(dir / "new.tmp", "new");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(MoveFileIntoPlace(dir / "new.tmp", dir / "no such folder" / "vk38.dat", {20, 100}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_TRUE(std::filesystem::exists(dir / "new.tmp"));
}

}  // namespace
