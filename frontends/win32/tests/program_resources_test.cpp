// What the built program carries for Windows: its manifest, its icon and its
// version, read from vk47_Orvane.exe as Windows reads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::wstring kProgram = L"" ORVANE_BINARY_DIR "/vk47_Orvane.exe";

#pragma pack(push, 2)
struct IconDirectoryEntry {
  BYTE Width;
  BYTE Height;
  BYTE ColourCount;
  BYTE Reserved;
  WORD Planes;
  WORD BitCount;
  DWORD BytesInResource;
  WORD Id;
};
struct IconDirectory {
  WORD Reserved;
  WORD Type;
  WORD Count;
  IconDirectoryEntry Entries[1];
};
#pragma pack(pop)

class ProgramResources : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(kProgram.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot open the program";
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  std::string Resource(LPCWSTR type, LPCWSTR name) {
    HRSRC info = FindResourceW(module_, name, type);
    if (!info) return {};
    HGLOBAL data = LoadResource(module_, info);
    const auto* bytes = static_cast<const char*>(LockResource(data));
    return std::string(bytes, SizeofResource(module_, info));
  }

  HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, ManifestAsksForCurrentControlsAndEachMonitorsScale) {
  const std::string manifest = Resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
  ASSERT_FALSE(manifest.empty());
  for (const char* needed :
       {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
        ">PerMonitorV2, PerMonitor</dpiAwareness>",
        "level=\"asInvoker\""})
    EXPECT_NE(manifest.find(needed), std::string::npos) << needed;
  // The dialog scales itself: the system must not stretch it as well.
  EXPECT_EQ(manifest.find("gdiScaling"), std::string::npos);
  EXPECT_EQ(manifest.find(">unaware<"), std::string::npos);
}

TEST_F(ProgramResources, IconHasBothSizesInSixteenColours) {
  const std::string group = Resource(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
  ASSERT_GE(group.size(), sizeof(IconDirectory));
  const auto* directory = reinterpret_cast<const IconDirectory*>(group.data());
  ASSERT_EQ(directory->Count, 2);
  std::vector<int> sizes;
  for (int i = 0; i < directory->Count; ++i) {
    const IconDirectoryEntry& entry = directory->Entries[i];
    sizes.push_back(entry.Width);
    EXPECT_EQ(entry.Width, entry.Height);
    EXPECT_EQ(entry.BitCount, 4) << "16 colours";
    // The image itself: a 4-bit bitmap of that size with a 16-colour palette.
    const std::string image = Resource(RT_ICON, MAKEINTRESOURCEW(entry.Id));
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(header->biWidth, entry.Width);
    EXPECT_EQ(header->biHeight, 2 * entry.Height);  // colours and mask
    EXPECT_EQ(header->biBitCount, 4);
  }
  EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
  // And Windows makes icons of it.
  HICON large = static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
  HICON small = static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
  EXPECT_NE(large, nullptr);
  EXPECT_NE(small, nullptr);
  if (large) DestroyIcon(large);
  if (small) DestroyIcon(small);
}

// The version the read-me's first line gives ("Orvane（vk47_Orvane）1.2.3").
std::string ReadmeVersion() {
  std::ifstream readme(ORVANE_SOURCE_DIR "/frontends/win32/package/readme.txt");
  std::string title;
  std::getline(readme, title);
  // The read-me is kept as UTF-8; narrow literals here are Shift-JIS.
  const std::string mark = reinterpret_cast<const char*>(u8"）");
  const std::size_t at = title.rfind(mark);
  return at == std::string::npos ? std::string() : title.substr(at + mark.size());
}

// What Explorer shows of the program: what the package does, in both
// directions, and the read-me's version, as text and as numbers.
TEST_F(ProgramResources, VersionNamesTheProgramAndIsTheReadmes) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(kProgram.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(kProgram.c_str(), 0, size, info.data()));
  auto value = [&](const wchar_t* name) {
    void* text = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(info.data(), key.c_str(), &text, &length) || length == 0) return std::wstring();
    return std::wstring(static_cast<const wchar_t*>(text));
  };
  EXPECT_EQ(value(L"ProductName"), L"Orvane");
  EXPECT_EQ(value(L"OriginalFilename"), L"vk47_Orvane.exe");
  EXPECT_EQ(value(L"InternalName"), L"vk47_Orvane");
  EXPECT_EQ(value(L"FileDescription"), L"Orvane 垂直寸法・水平寸法の連続を外側へ追加（Jw_cad 外部変形）");

  const std::string version = ReadmeVersion();
  unsigned numbers[3] = {};
  ASSERT_EQ(std::sscanf(version.c_str(), "%u.%u.%u", &numbers[0], &numbers[1], &numbers[2]), 3)
      << "the read-me's first line ends in \"" << version << "\"";
  const std::wstring text(version.begin(), version.end());
  EXPECT_EQ(value(L"FileVersion"), text);
  EXPECT_EQ(value(L"ProductVersion"), text);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  for (const DWORD packed : {fixed->dwFileVersionMS, fixed->dwProductVersionMS}) {
    EXPECT_EQ(HIWORD(packed), numbers[0]);
    EXPECT_EQ(LOWORD(packed), numbers[1]);
  }
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), numbers[2]);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

}  // namespace
