// Loading and saving vk38.dat, the file shared with the companion tool.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/SettingsFile.h"
#include "exchange/HostState.h"
#include "frontends/headless/HeadlessUi.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using headless::HeadlessUi;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::SjisToUtf8;
using testing_support::U8;
using testing_support::Utf8ToSjis;
using testing_support::WriteFileBytes;

namespace {

// A complete file in which no value is at its default, as lines.
std::vector<std::string> FullLines() {
  return {"-20",  "35", "4",  "11", "7",   "5",    "0",    "1.5",  "P",  "S",   "0.7",
          "1",    "3",  "4",  "20", "2.5", "1",    "1",    "1",    "0",  "1",   "0",
          "7",    "50", "30", "10", "-20", "30.5", "-4E-5", "-500", "300"};
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Names of the entries of a folder.
std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHostState();
    // The show sequence fills the text-style list before loading.
    ui.ListClear(Control::ComboBox3);
    for (int i = 0; i < 11; ++i) ui.ListAdd(Control::ComboBox3, "style " + std::to_string(i));
  }
  void TearDown() override { FreeHostState(); }

  void Load(const std::string& bytes) {
    WriteFileBytes(file, bytes);
    LoadSettings(file, settings, ui);
  }
  std::vector<std::string> Save() {
    SaveSettings(file, settings, ui);
    return SplitCrLf(ReadFileBytes(file));
  }

  ScratchDir dir;
  fs::path file = dir / "vk38.dat";
  HeadlessUi ui;
  TDialogSettings settings;
};

TEST_F(SettingsFileTest, MissingFileSetsStoredDefaultsAndLeavesTheDialogAlone) {
  settings.LastPoint1X = 7;
  settings.LastRefY = -8;
  LoadSettings(file, settings, ui);
  EXPECT_EQ(settings.WindowLeft, 100);
  EXPECT_EQ(settings.WindowTop, 100);
  EXPECT_EQ(settings.LastLayerGroup, -1);
  EXPECT_EQ(settings.LastGroupScale, 1);
  EXPECT_EQ(settings.LastAxisAngle, 0);
  EXPECT_EQ(settings.LastPoint1X, 7);
  EXPECT_EQ(settings.LastRefY, -8);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox3), -1);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox4), 3);
  EXPECT_EQ(ui.GetText(Control::Edit4), "0.5");
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(SettingsFileTest, EmptyFileReadsEveryLineAsEmptyText) {
  ui.SetText(Control::Edit2, "old");
  ui.CheckSet(Control::CheckBox2, true);
  settings.LastPoint2X = 5;
  Load("");
  for (Control list : {Control::ComboBox1, Control::ComboBox2, Control::ComboBox3,
                       Control::ComboBox4, Control::ComboBox5})
    EXPECT_EQ(ui.ListSelected(list), 0) << ControlName(list);
  for (Control field : {Control::Edit1, Control::Edit2, Control::Edit3, Control::Edit4,
                        Control::Edit5, Control::Edit6, Control::Edit7, Control::Edit8,
                        Control::Edit9})
    EXPECT_EQ(ui.GetText(field), "") << ControlName(field);
  EXPECT_EQ(ui.RadioSelected(Control::RadioGroup1), 0);
  EXPECT_EQ(ui.RadioSelected(Control::RadioGroup2), 0);
  for (Control box : {Control::CheckBox1, Control::CheckBox2, Control::CheckBox3,
                      Control::CheckBox4})
    EXPECT_FALSE(ui.CheckGet(box)) << ControlName(box);
  EXPECT_EQ(settings.WindowLeft, 0);
  EXPECT_EQ(settings.WindowTop, 0);
  EXPECT_EQ(settings.LastLayerGroup, 0);
  EXPECT_EQ(settings.LastGroupScale, 1);
  EXPECT_EQ(settings.LastAxisAngle, 0);
  EXPECT_EQ(settings.LastPoint2X, 0);
  EXPECT_EQ(settings.TextStyle, 0);
  EXPECT_EQ(settings.Prefix, "");
}

TEST_F(SettingsFileTest, FullFileFillsSettingsAndControls) {
  Load(Join(FullLines()));
  EXPECT_EQ(settings.WindowLeft, -20);
  EXPECT_EQ(settings.WindowTop, 35);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox1), 4);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox2), 11);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox3), 7);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox4), 5);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox5), 0);
  EXPECT_EQ(settings.EndMark, 11);
  // Lines 8-16 in file order: Edit1 ... Edit9.
  EXPECT_EQ(ui.GetText(Control::Edit1), "1.5");
  EXPECT_EQ(ui.GetText(Control::Edit2), "P");
  EXPECT_EQ(ui.GetText(Control::Edit3), "S");
  EXPECT_EQ(ui.GetText(Control::Edit4), "0.7");
  EXPECT_EQ(ui.GetText(Control::Edit5), "1");
  EXPECT_EQ(ui.GetText(Control::Edit6), "3");
  EXPECT_EQ(ui.GetText(Control::Edit7), "4");
  EXPECT_EQ(ui.GetText(Control::Edit8), "20");
  EXPECT_EQ(ui.GetText(Control::Edit9), "2.5");
  EXPECT_EQ(settings.ArrowAngle, "20");
  EXPECT_EQ(ui.RadioSelected(Control::RadioGroup1), 1);
  EXPECT_EQ(ui.RadioSelected(Control::RadioGroup2), 1);
  EXPECT_TRUE(ui.CheckGet(Control::CheckBox1));
  EXPECT_FALSE(ui.CheckGet(Control::CheckBox2));
  EXPECT_TRUE(ui.CheckGet(Control::CheckBox3));
  EXPECT_FALSE(ui.CheckGet(Control::CheckBox4));
  EXPECT_TRUE(settings.FullWidth);
  EXPECT_EQ(settings.LastLayerGroup, 7);
  EXPECT_EQ(settings.LastGroupScale, 50);
  EXPECT_EQ(settings.LastAxisAngle, 30);
  EXPECT_EQ(settings.LastPoint1X, 10);
  EXPECT_EQ(settings.LastPoint1Y, -20);
  EXPECT_EQ(settings.LastPoint2X, 30.5);
  EXPECT_EQ(settings.LastPoint2Y, -4e-5);
  EXPECT_EQ(settings.LastRefX, -500);
  EXPECT_EQ(settings.LastRefY, 300);
}

TEST_F(SettingsFileTest, ShortFileReadsItsMissingLinesAsEmptyText) {
  settings.LastRefX = 9;
  Load("5\r\n6\r\n2\r\n3\r\n4");  // the last line without its end
  EXPECT_EQ(settings.WindowLeft, 5);
  EXPECT_EQ(settings.WindowTop, 6);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox1), 2);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox2), 3);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox3), 4);
  EXPECT_EQ(ui.ListSelected(Control::ComboBox4), 0);
  EXPECT_EQ(ui.GetText(Control::Edit1), "");
  EXPECT_EQ(settings.LastLayerGroup, 0);
  EXPECT_EQ(settings.LastGroupScale, 1);
  EXPECT_EQ(settings.LastRefX, 0);
}

TEST_F(SettingsFileTest, LineFeedsAloneAndTrailingLinesAreAccepted) {
  std::vector<std::string> lines = FullLines();
  lines.push_back("line 32 is ignored");
  Load(Join(lines, "\n"));
  EXPECT_EQ(ui.GetText(Control::Edit3), "S");
  EXPECT_EQ(settings.LastRefY, 300);
  EXPECT_EQ(settings.LastPoint2Y, -4e-5);
}

// Each case: one line of a full file replaced, and what the load makes of it.
struct ClampCase {
  int Line;
  const char* Text;
  std::function<double(const HeadlessUi&, const TDialogSettings&)> Read;
  double Expected;
};

TEST_F(SettingsFileTest, OutOfRangeNumbersAreBroughtIntoRange) {
  auto list = [](Control c) {
    return [c](const HeadlessUi& u, const TDialogSettings&) {
      return static_cast<double>(u.State()[c].Selected);
    };
  };
  auto group = [](const HeadlessUi&, const TDialogSettings& s) {
    return static_cast<double>(s.LastLayerGroup);
  };
  auto scale = [](const HeadlessUi&, const TDialogSettings& s) { return s.LastGroupScale; };
  auto markSetting = [](const HeadlessUi&, const TDialogSettings& s) {
    return static_cast<double>(s.StartMark);
  };
  const std::vector<ClampCase> cases = {
      {3, "12", list(Control::ComboBox1), -1},
      {3, "12", markSetting, -1},
      {3, "-4", list(Control::ComboBox1), 0},
      {4, "11", list(Control::ComboBox2), 11},
      {5, "11", list(Control::ComboBox3), -1},
      {5, "10", list(Control::ComboBox3), 10},
      {6, "9", list(Control::ComboBox4), -1},
      {7, "3", list(Control::ComboBox5), -1},
      {7, "$2", list(Control::ComboBox5), 2},
      {17, "5", list(Control::RadioGroup1), 1},
      {17, "-3", list(Control::RadioGroup1), 0},
      {18, "2", list(Control::RadioGroup2), 1},
      {18, "0", list(Control::RadioGroup2), 0},
      {23, "-1", group, 0},
      {23, "16", group, 0},
      {23, "abc", group, 0},
      {23, "15", group, 15},
      {24, "0", scale, 1},
      {24, "-2", scale, 1},
      {24, "1e-10", scale, 1},
      {24, "abc", scale, 1},
      {24, "2e-10", scale, 2e-10},
      {24, "0.25", scale, 0.25},
  };
  for (const ClampCase& c : cases) {
    std::vector<std::string> lines = FullLines();
    lines[static_cast<std::size_t>(c.Line - 1)] = c.Text;
    HeadlessUi fresh;
    fresh.ListClear(Control::ComboBox3);
    for (int i = 0; i < 11; ++i) fresh.ListAdd(Control::ComboBox3, "s");
    TDialogSettings loaded;
    WriteFileBytes(file, Join(lines));
    LoadSettings(file, loaded, fresh);
    EXPECT_EQ(c.Read(fresh, loaded), c.Expected) << "line " << c.Line << " \"" << c.Text << "\"";
  }
}

TEST_F(SettingsFileTest, FlagIsSetWhenItsLineReadsAsANonZeroInteger) {
  const std::vector<std::pair<const char*, bool>> cases = {
      {"1", true},      {"0", false}, {"1.0", false}, {"yes", false}, {"2", true},
      {"-1", true},     {"", false},  {" 1", true},   {"1 ", false},  {"$10", true},
      {"00", false},
  };
  for (const auto& [text, set] : cases) {
    std::vector<std::string> lines = FullLines();
    for (int line = 19; line <= 22; ++line) lines[static_cast<std::size_t>(line - 1)] = text;
    Load(Join(lines));
    for (Control box : {Control::CheckBox1, Control::CheckBox2, Control::CheckBox3,
                        Control::CheckBox4})
      EXPECT_EQ(ui.CheckGet(box), set) << "\"" << text << "\" " << ControlName(box);
    EXPECT_EQ(settings.AsDimensionFigure, set) << text;
  }
}

TEST_F(SettingsFileTest, SaveWritesTheControlsAndTheHostValuesOfTheMoment) {
  Load(Join(FullLines()));
  // The user changes the dialog after the load; the save takes what it shows.
  ui.ListSelect(Control::ComboBox1, 99);
  ui.ListSelect(Control::ComboBox4, 8);
  ui.RadioSelect(Control::RadioGroup2, 0);
  ui.CheckSet(Control::CheckBox4, true);
  ui.SetText(Control::Edit6, "9");
  HostState.InitialGroup = 3;
  HostState.GroupScales[3] = 0.00001;
  HostState.AxisAngle = -12.5;
  settings.WindowLeft = 640;
  settings.WindowTop = -48;
  settings.LastPoint1X = 1234.567890123456789;
  settings.LastPoint1Y = 0.0001;
  settings.LastPoint2X = 0;
  settings.LastPoint2Y = -1;
  settings.LastRefX = 1e15;
  settings.LastRefY = 0.1 + 0.2;
  const std::vector<std::string> expected = {
      "640",  "-48",  "-1",  "11",     "7", "8",     "0",    "1.5",   "P", "S",
      "0.7",  "1",    "9",   "4",      "20", "2.5",  "1",    "0",     "1", "0",
      "1",    "1",    "3",   "1E-5",   "-12.5", "1234.56789012346", "0.0001",
      "0",    "-1",   "1E15", "0.3"};
  EXPECT_EQ(Save(), expected);
  EXPECT_EQ(settings.StartMark, -1);
  EXPECT_EQ(settings.ExtLineOvershoot, "9");
  EXPECT_TRUE(settings.AsDimensionFigure);
  // Lines 23-25 are written from the host, never from what was loaded.
  EXPECT_EQ(settings.LastLayerGroup, 7);
  EXPECT_EQ(settings.LastGroupScale, 50);
}

TEST_F(SettingsFileTest, TextsAreWrittenBackExactly) {
  const std::vector<std::string> texts = {
      "  1.5 ",
      Utf8ToSjis(U8(u8"　寸法　")),
      Utf8ToSjis(U8(u8"ｍｍ表示")),
      "",
      "abc",
      "\t",
      "-0",
      Utf8ToSjis(U8(u8"ソ表")),  // trail bytes 0x5C
      std::string(300, 'x'),
  };
  std::vector<std::string> lines = FullLines();
  for (std::size_t i = 0; i < texts.size(); ++i) lines[7 + i] = texts[i];
  Load(Join(lines));
  EXPECT_EQ(ui.GetText(Control::Edit2), texts[1]);
  const std::vector<std::string> saved = Save();
  ASSERT_EQ(saved.size(), 31u);
  for (std::size_t i = 0; i < texts.size(); ++i)
    EXPECT_EQ(saved[7 + i], texts[i]) << "line " << 8 + i;
  EXPECT_EQ(SjisToUtf8(saved[8]), U8(u8"　寸法　"));
}

TEST_F(SettingsFileTest, ALineFeedInATextCannotShiftTheLinesAfterIt) {
  Load(Join(FullLines()));
  ui.SetText(Control::Edit3, "before\nafter");
  ui.SetText(Control::Edit2, "a\rb");
  const std::vector<std::string> saved = Save();
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(saved[8], "a\rb");
  EXPECT_EQ(saved[9], "before");
  EXPECT_EQ(saved[10], "0.7");
  EXPECT_EQ(saved[30], "300");
}

TEST_F(SettingsFileTest, SavedFileLoadsBackToTheSameDialog) {
  Load(Join(FullLines()));
  ui.SetText(Control::Edit2, Utf8ToSjis(U8(u8"Ｈ＝ ")));
  ui.ListSelect(Control::ComboBox3, 10);
  settings.LastPoint1X = 1.0 / 3.0;
  Save();
  const std::string firstSave = ReadFileBytes(file);
  HeadlessUi other;
  other.ListClear(Control::ComboBox3);
  for (int i = 0; i < 11; ++i) other.ListAdd(Control::ComboBox3, "s");
  TDialogSettings reloaded;
  LoadSettings(file, reloaded, other);
  for (const ControlSpec& spec : DialogControls()) {
    EXPECT_EQ(other.State()[spec.Id].Selected, ui.State()[spec.Id].Selected) << spec.SettingName;
    EXPECT_EQ(other.State()[spec.Id].Text, ui.State()[spec.Id].Text) << spec.SettingName;
    EXPECT_EQ(other.State()[spec.Id].Checked, ui.State()[spec.Id].Checked) << spec.SettingName;
  }
  EXPECT_NEAR(reloaded.LastPoint1X, 1.0 / 3.0, 1e-15);
  SaveSettings(file, reloaded, other);
  EXPECT_EQ(ReadFileBytes(file), firstSave);
}

// While it lives, no file of the process may grow past `bytes`: a write
// beyond fails (EFBIG) instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_;
    small.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Active() const { return active_; }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
  bool active_ = false;
};

// A small file system mounted for the test, unmounted with the object.
class SmallFileSystem {
 public:
  SmallFileSystem() {
    mounted_ = mount("tmpfs", dir_.Path().c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) umount(dir_.Path().c_str());
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;
  bool Mounted() const { return mounted_; }
  const fs::path& Path() const { return dir_.Path(); }

 private:
  ScratchDir dir_;
  bool mounted_ = false;
};

// A save that fails must keep the previous file byte for byte and leave
// nothing else behind.
TEST_F(SettingsFileTest, SaveFailingOnTheFileSizeLimitKeepsThePreviousFile) {
  const std::string previous = Join(FullLines(), "\n");
  WriteFileBytes(file, previous);
  ui.SetText(Control::Edit2, std::string(200, 'p'));
  {
    FileSizeLimit limit(64);  // the new content is several hundred bytes
    ASSERT_TRUE(limit.Active());
    SaveSettings(file, settings, ui);
  }
  EXPECT_EQ(ReadFileBytes(file), previous);
  EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"vk38.dat"}));
}

TEST_F(SettingsFileTest, SaveFailingOnAFullFileSystemKeepsThePreviousFile) {
  SmallFileSystem small;
  if (!small.Mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  const fs::path target = small.Path() / "vk38.dat";
  const std::string previous = Join(FullLines());
  WriteFileBytes(target, previous);
  // Fill what is left of the file system.
  FILE* filler = std::fopen((small.Path() / "filler").c_str(), "wb");
  ASSERT_NE(filler, nullptr);
  const std::string block(4096, 'f');
  while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
  }
  std::fclose(filler);

  ui.SetText(Control::Edit2, std::string(200, 'p'));
  SaveSettings(target, settings, ui);
  EXPECT_EQ(ReadFileBytes(target), previous);
  EXPECT_EQ(Entries(small.Path()), (std::set<std::string>{"filler", "vk38.dat"}));
}

TEST_F(SettingsFileTest, FailedFirstSaveLeavesNoFile) {
  {
    FileSizeLimit limit(64);
    ASSERT_TRUE(limit.Active());
    SaveSettings(file, settings, ui);
  }
  EXPECT_TRUE(Entries(dir.Path()).empty());
}

}  // namespace
