// Loading and saving vk38.dat, the file shared with the companion tool.
#include <gtest/gtest.h>
#include <sys/resource.h>  // the file size limit: a Linux-only test

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/SettingsFile.h"
#include "dialog/DialogValues.h"
#include "dialog/SettingsTable.h"
#include "exchange/HostState.h"
#include "frontends/headless/HeadlessUi.h"
#include "support/FileSizeLimit.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using headless::HeadlessUi;
using testing_support::FileSizeLimit;
using testing_support::FolderEntries;
using testing_support::JoinLines;
using testing_support::ReadFileBytes;
using testing_support::SplitCrLf;
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

// Loading as the show sequence does it: the values, then the dialog part
// into the controls when the file was read.
void LoadShowing(const fs::path& path, DialogSettings& settings, HeadlessUi& ui) {
  if (LoadSettings(testing_support::RealFiles(), path, settings).Complete())
    ShowDialogPart(ui, settings);
}

// Saving as the OK action does it: the dialog part as the controls hold it,
// with the host's values of the moment.
bool SaveShown(const fs::path& path, DialogSettings& settings, HeadlessUi& ui, const HostState& host) {
  ReadDialogPart(ui, settings);
  const std::int32_t group = host.Initial.Group;
  return SaveSettings(testing_support::RealFiles(), path, settings, group,
                      host.GroupScales[static_cast<std::size_t>(group)], host.AxisAngle)
      .Ok();
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHostState(host);
    // The show sequence fills the text-style list before loading.
    ui.ListClear(Control::TextStyle);
    for (int i = 0; i < 11; ++i) ui.ListAdd(Control::TextStyle, "style " + std::to_string(i));
  }
  HostState host;

  void Load(const std::string& bytes) {
    WriteFileBytes(file, bytes);
    LoadShowing(file, settings, ui);
  }
  std::vector<std::string> Save() {
    SaveShown(file, settings, ui, host);
    return SplitCrLf(ReadFileBytes(file));
  }

  ScratchDir dir;
  fs::path file = dir / "vk38.dat";
  HeadlessUi ui;
  DialogSettings settings = InitialSettings();
};

TEST_F(SettingsFileTest, MissingFileSetsStoredDefaultsAndLeavesTheDialogAlone) {
  settings.LastPoint1X = 7;
  LoadShowing(file, settings, ui);
  EXPECT_EQ(settings.WindowLeft, 100);
  EXPECT_EQ(settings.WindowTop, 100);
  EXPECT_EQ(settings.LastLayerGroup, -1);
  EXPECT_EQ(settings.LastGroupScale, 1);
  EXPECT_EQ(settings.LastPoint1X, 7);
  EXPECT_EQ(ui.ListSelected(Control::TextStyle), -1);
  EXPECT_EQ(ui.ListSelected(Control::Precision), 3);
  EXPECT_EQ(ui.GetText(Control::TextLineGap), "0.5");
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(SettingsFileTest, EmptyAndShortFilesReadTheirMissingLinesAsEmptyText) {
  for (const std::string& bytes : {std::string(), std::string("5\r\n6\r\n2\r\n3\r\n4")}) {
    const bool empty = bytes.empty();
    ui.SetText(Control::Prefix, "old");
    ui.CheckSet(Control::AppendUnit, true);
    settings.LastPoint2X = 5;
    Load(bytes);
    EXPECT_EQ(settings.WindowLeft, empty ? 0 : 5);
    EXPECT_EQ(settings.WindowTop, empty ? 0 : 6);
    EXPECT_EQ(ui.ListSelected(Control::StartMark), empty ? 0 : 2);
    EXPECT_EQ(ui.ListSelected(Control::TextStyle), empty ? 0 : 4);
    EXPECT_EQ(settings.TextStyle, empty ? 0 : 4);
    for (Control list : {Control::Precision, Control::Rounding})
      EXPECT_EQ(ui.ListSelected(list), 0) << ControlName(list);
    for (const ControlInfo& info : DialogControls()) {
      const headless::ControlState& state = ui.State()[info.Id];
      switch (info.Kind) {
        case ControlKind::Text: EXPECT_EQ(state.Text, "") << info.SettingName; break;
        case ControlKind::Radio: EXPECT_EQ(state.Selected, 0) << info.SettingName; break;
        case ControlKind::Check: EXPECT_FALSE(state.Checked) << info.SettingName; break;
        case ControlKind::List: break;
      }
    }
    EXPECT_EQ(settings.Prefix, "");
    EXPECT_EQ(settings.LastLayerGroup, 0);  // the precondition holds
    EXPECT_EQ(settings.LastGroupScale, 1);
    EXPECT_EQ(settings.LastAxisAngle, 0);
    EXPECT_EQ(settings.LastPoint2X, 0);
  }
}

TEST_F(SettingsFileTest, EachLineGoesToItsControlOrField) {
  std::vector<std::string> lines = FullLines();
  lines.push_back("line 32 is ignored");
  Load(JoinLines(lines, "\n"));  // LF alone ends a line too
  EXPECT_EQ(settings.WindowLeft, -20);
  EXPECT_EQ(settings.WindowTop, 35);
  const std::vector<std::pair<int, Control>> shown = {
      {3, Control::StartMark},  {4, Control::EndMark},  {5, Control::TextStyle},
      {6, Control::Precision},  {7, Control::Rounding},  {8, Control::MarkScale},
      {9, Control::Prefix},      {10, Control::Suffix},     {11, Control::TextLineGap},
      {12, Control::ExtLineOffset},     {13, Control::ExtLineOvershoot},     {14, Control::ArrowLength},
      {15, Control::ArrowAngle},     {16, Control::ReverseArrowOvershoot},     {17, Control::ZeroDisplay},
      {18, Control::ValueUnit}, {19, Control::ThousandsCommas}, {20, Control::AppendUnit},
      {21, Control::FullWidth}, {22, Control::AsDimensionFigure}};
  for (const auto& [line, control] : shown) {
    const std::string& text = lines[static_cast<std::size_t>(line - 1)];
    const headless::ControlState& state = ui.State()[control];
    switch (ControlInfoOf(control).Kind) {
      case ControlKind::Text: EXPECT_EQ(state.Text, text) << line; break;
      case ControlKind::Check: EXPECT_EQ(state.Checked, text == "1") << line; break;
      default: EXPECT_EQ(state.Selected, std::stoi(text)) << line; break;
    }
  }
  EXPECT_EQ(settings.EndMark, 11);
  EXPECT_EQ(settings.ArrowAngle, "20");
  EXPECT_EQ(settings.ValueUnit, 1);
  EXPECT_TRUE(settings.FullWidth);
  EXPECT_EQ(settings.LastLayerGroup, 7);
  EXPECT_EQ(settings.LastGroupScale, 50);
  EXPECT_EQ(settings.LastAxisAngle, 30);
  const double chain[] = {settings.LastPoint1X, settings.LastPoint1Y, settings.LastPoint2X,
                          settings.LastPoint2Y, settings.LastRefX,    settings.LastRefY};
  EXPECT_EQ(std::vector<double>(std::begin(chain), std::end(chain)),
            (std::vector<double>{10, -20, 30.5, -4e-5, -500, 300}));
}

TEST_F(SettingsFileTest, OutOfRangeNumbersAreBroughtIntoRange) {
  // One line of a full file replaced, and the field it ends in (the dialog
  // part of the settings mirrors its control).
  using Field = std::function<double(const DialogSettings&)>;
  const Field start = [](const DialogSettings& s) { return s.StartMark; };
  const Field style = [](const DialogSettings& s) { return s.TextStyle; };
  const Field precision = [](const DialogSettings& s) { return s.Precision; };
  const Field rounding = [](const DialogSettings& s) { return s.Rounding; };
  const Field zero = [](const DialogSettings& s) { return s.ZeroDisplay; };
  const Field group = [](const DialogSettings& s) { return s.LastLayerGroup; };
  const Field scale = [](const DialogSettings& s) { return s.LastGroupScale; };
  const std::vector<std::tuple<int, const char*, Field, double>> cases = {
      {3, "12", start, -1},      {3, "-4", start, 0},      {3, "11", start, 11},
      {5, "11", style, -1},      {5, "10", style, 10},     {6, "9", precision, -1},
      {7, "3", rounding, -1},    {7, "$2", rounding, 2},   {17, "5", zero, 1},
      {17, "-3", zero, 0},       {23, "-1", group, 0},     {23, "16", group, 0},
      {23, "abc", group, 0},     {23, "15", group, 15},    {24, "0", scale, 1},
      {24, "-2", scale, 1},      {24, "1e-10", scale, 1},  {24, "abc", scale, 1},
      {24, "2e-10", scale, 2e-10}, {24, "0.25", scale, 0.25},
  };
  for (const auto& [line, text, field, expected] : cases) {
    std::vector<std::string> lines = FullLines();
    lines[static_cast<std::size_t>(line - 1)] = text;
    Load(JoinLines(lines));
    EXPECT_EQ(field(settings), expected) << "line " << line << " \"" << text << "\"";
  }
  Load("0\r\n0\r\n12\r\n");
  EXPECT_EQ(ui.ListSelected(Control::StartMark), -1);
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
    Load(JoinLines(lines));
    for (Control box : {Control::ThousandsCommas, Control::AppendUnit, Control::FullWidth,
                        Control::AsDimensionFigure})
      EXPECT_EQ(ui.CheckGet(box), set) << "\"" << text << "\" " << ControlName(box);
    EXPECT_EQ(settings.AsDimensionFigure, set) << text;
  }
}

TEST_F(SettingsFileTest, SaveWritesTheControlsAndTheHostValuesOfTheMoment) {
  Load(JoinLines(FullLines()));
  // The user changes the dialog after the load; the save takes what it shows.
  ui.ListSelect(Control::StartMark, 99);
  ui.ListSelect(Control::Precision, 8);
  ui.RadioSelect(Control::ValueUnit, 0);
  ui.CheckSet(Control::AsDimensionFigure, true);
  ui.SetText(Control::ExtLineOvershoot, "9");
  host.Initial.Group = 3;
  host.GroupScales[3] = 0.00001;
  host.AxisAngle = -12.5;
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

TEST_F(SettingsFileTest, TextsAreWrittenBackExactlyAndLoadBackTheSame) {
  const std::vector<std::string> texts = {
      "  1.5 ",         Utf8ToSjis(U8(u8"　寸法　")), Utf8ToSjis(U8(u8"ｍｍ表示")),
      "",               "abc",                        "\t",
      "-0",             Utf8ToSjis(U8(u8"ソ表")),     std::string(300, 'x')};
  std::vector<std::string> lines = FullLines();
  for (std::size_t i = 0; i < texts.size(); ++i) lines[7 + i] = texts[i];
  Load(JoinLines(lines));
  settings.LastPoint1X = 1.0 / 3.0;
  const std::vector<std::string> saved = Save();
  ASSERT_EQ(saved.size(), 31u);
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(saved[7 + i], texts[i]) << 8 + i;

  const std::string firstSave = ReadFileBytes(file);
  HeadlessUi other;
  other.ListClear(Control::TextStyle);
  for (int i = 0; i < 11; ++i) other.ListAdd(Control::TextStyle, "s");
  DialogSettings reloaded = InitialSettings();
  LoadShowing(file, reloaded, other);
  SaveShown(file, reloaded, other, host);
  EXPECT_EQ(ReadFileBytes(file), firstSave);
  EXPECT_EQ(other.GetText(Control::Prefix), texts[1]);
}

TEST_F(SettingsFileTest, ALineFeedInATextCannotShiftTheLinesAfterIt) {
  Load(JoinLines(FullLines()));
  ui.SetText(Control::Suffix, "before\nafter");
  ui.SetText(Control::Prefix, "a\rb");
  const std::vector<std::string> saved = Save();
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(saved[8], "a\rb");
  EXPECT_EQ(saved[9], "before");
  EXPECT_EQ(saved[10], "0.7");
}

// A save that fails must keep the previous file byte for byte and leave
// nothing else behind.
TEST_F(SettingsFileTest, SaveFailingOnTheFileSizeLimitKeepsWhatWasThere) {
  const std::string previous = JoinLines(FullLines(), "\n");
  WriteFileBytes(file, previous);
  ScratchDir fresh;
  {
    FileSizeLimit limit(32);  // any settings file is longer
    ASSERT_TRUE(limit.Active());
    EXPECT_FALSE(SaveShown(file, settings, ui, host));
    EXPECT_FALSE(SaveShown(fresh / "vk38.dat", settings, ui, host));
  }
  EXPECT_EQ(ReadFileBytes(file), previous);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::set<std::string>{"vk38.dat"}));
  EXPECT_TRUE(FolderEntries(fresh.Path()).empty());
}

}  // namespace
