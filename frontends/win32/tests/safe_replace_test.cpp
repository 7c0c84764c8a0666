// Replacing a file on Windows: the new file takes the old one's place in one
// move, also while another program holds the old file for a moment.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "SafeReplace.h"
#include "exchange/SafeFile.h"
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
    Sleep(200);
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
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(MoveFileIntoPlace(dir / "vk38.dat.tmp", dir / "vk38.dat", {5, 20}));
  const ULONGLONG waited = GetTickCount64() - start;
  CloseHandle(held);
  EXPECT_GE(waited, 70u);  // four pauses of 20 ms, give or take the timer
  EXPECT_LT(waited, 5000u);
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), "old\r\n");
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat.tmp"), "new\r\n");
}

TEST(SafeReplace, OtherFailuresEndAtOnce) {
  ScratchDir dir;
  WriteFileBytes(dir / "new.tmp", "new");
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(MoveFileIntoPlace(dir / "new.tmp", dir / "no such folder" / "vk38.dat", {20, 100}));
  EXPECT_LT(GetTickCount64() - start, 100u);
  EXPECT_TRUE(std::filesystem::exists(dir / "new.tmp"));
}

// The program's own file writes go through the move once it is installed.
TEST(SafeReplace, ProgramWritesUseItOnceInstalled) {
  win32::InstallSafeFileReplacement();
  ScratchDir dir;
  const std::filesystem::path folder = dir.Path() / L"\u5916\u90e8\u5909\u5f62 \u00e9\ud55c";
  std::filesystem::create_directory(folder);
  WriteFileBytes(folder / "vk38.dat", "old\r\n");
  HANDLE held = HoldExclusively(folder / "vk38.dat");
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread releaser([held] {
    Sleep(150);
    CloseHandle(held);
  });
  EXPECT_TRUE(ReplaceFileContent(folder / "vk38.dat", "new\r\n"));
  releaser.join();
  EXPECT_EQ(ReadFileBytes(folder / "vk38.dat"), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "vk38.dat.tmp"));

  // A failed replacement leaves the old file and no temporary file.
  held = HoldExclusively(folder / "vk38.dat");
  EXPECT_FALSE(ReplaceFileContent(folder / "vk38.dat", "newer\r\n"));
  CloseHandle(held);
  EXPECT_EQ(ReadFileBytes(folder / "vk38.dat"), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "vk38.dat.tmp"));
  SetFileReplaceFunction(nullptr);
}

}  // namespace
