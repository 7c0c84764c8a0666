// The OK action through whole headless runs: the worked example to the byte,
// the refusals, a chain continued below and then above, and the host values
// that the settings file and the output take.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog/DialogModel.h"
#include "dialog/UserTexts.h"
#include "dialog/SettingsTable.h"
#include "dimension/OkInputs.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/DimensionTestSupport.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using dimension_testing::Numbers;
using headless::RunOnce;
using headless::RunOptions;
using headless::RunResult;
using headless::SettingChange;
using headless::TranscriptLines;
using headless::WithoutNotices;
using testing_support::ReadFileBytes;
using testing_support::SplitCrLf;
using testing_support::WorkedExampleFolder;
using Host = testing_support::HostFile;
using Stored = testing_support::SettingsFile;
using testing_support::ScratchDir;
using testing_support::WriteFileBytes;

namespace {

class OkActionTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  fs::path exchange = dir / "JWC_TEMP.TXT";
  fs::path settings = dir / "vk38.dat";

  void Prepare(const Host& host, const Stored& stored) {
    WriteFileBytes(exchange, host.Bytes());
    WriteFileBytes(settings, stored.Bytes());
  }
  RunResult Run(const RunOptions& options = {}) { return RunOnce(dir.Path(), options); }
  std::vector<std::string> Output() { return SplitCrLf(ReadFileBytes(exchange)); }
  std::vector<std::string> Saved() { return SplitCrLf(ReadFileBytes(settings)); }
};

const std::vector<std::string> kSuccess = {"status: 処理中です", "status: ファイル生成中です",
                                           "closed"};

TEST_F(OkActionTest, WorkedExampleGivesExactlyTheExpectedFiles) {
  for (const char* name : {"JWC_TEMP.TXT", "vk38.dat"})
    fs::copy_file(WorkedExampleFolder() / name, dir / name);
  const RunResult result = Run();
  EXPECT_EQ(TranscriptLines(WithoutNotices(result.Transcript)), kSuccess);
  EXPECT_EQ(ReadFileBytes(exchange), ReadFileBytes(WorkedExampleFolder() / "expected_JWC_TEMP.TXT"));
  EXPECT_EQ(ReadFileBytes(settings), ReadFileBytes(WorkedExampleFolder() / "expected_vk38.dat"));
}

TEST_F(OkActionTest, FailedSaveDrawsNothingAndOkWorksOnceItsCauseIsGone) {
  for (const char* name : {"JWC_TEMP.TXT", "vk38.dat"})
    fs::copy_file(WorkedExampleFolder() / name, dir / name);
  RunOptions options;
  options.BeforeAction = [&](headless::HeadlessUi& ui, ProgramRun& run) {
    // A folder takes the settings file's place: the save fails, the dialog
    // stays open and nothing is buffered for the host.
    fs::remove(settings);
    fs::create_directory(settings);
    run.Ok();
    EXPECT_FALSE(ui.Closed());
    EXPECT_EQ(run.Output().Lines.Count(), 0u);
    // The user mends it and presses OK again: the chain in memory is still
    // the old one, so the point lies above it as before.
    fs::remove(settings);
  };
  const RunResult result = Run(options);
  // The folder is named as what stands in the way.
  std::vector<std::string> expected = {"warning: " + SettingsNotSavedMessage(FileFault::InTheWay)};
  expected.insert(expected.end(), kSuccess.begin(), kSuccess.end());
  EXPECT_EQ(TranscriptLines(WithoutNotices(result.Transcript)), expected);
  EXPECT_EQ(ReadFileBytes(exchange), ReadFileBytes(WorkedExampleFolder() / "expected_JWC_TEMP.TXT"));
  EXPECT_EQ(ReadFileBytes(settings), ReadFileBytes(WorkedExampleFolder() / "expected_vk38.dat"));
}

struct RefusalCase {
  std::vector<SettingChange> Changes;
  const char* Focused;
};

TEST_F(OkActionTest, RefusedValueFocusesItsControlAndChangesNothing) {
  const RefusalCase cases[] = {
      {{{"StartMark", "-1"}}, "StartMark"},
      {{{"EndMark", "12"}}, "EndMark"},
      {{{"MarkScale", "0"}}, "MarkScale"},
      {{{"MarkScale", "x1"}}, "MarkScale"},
      {{{"ArrowLength", "1000.5"}}, "ArrowLength"},
      {{{"ArrowLength", ""}}, "ArrowLength"},
      {{{"ArrowAngle", "180"}}, "ArrowAngle"},
      {{{"ArrowAngle", "-15"}}, "ArrowAngle"},
      {{{"TextStyle", "-1"}}, "TextStyle"},
      {{{"Precision", "-1"}}, "Precision"},
      {{{"Rounding", "-1"}}, "Rounding"},
      {{{"ExtLineOffset", "-1"}}, "ExtLineOffset"},
      {{{"ExtLineOvershoot", "-0.5"}}, "ExtLineOvershoot"},
      {{{"ReverseArrowOvershoot", "-2"}}, "ReverseArrowOvershoot"},
      // The first failing check in the dialog's order wins.
      {{{"ExtLineOffset", "-1"}, {"EndMark", "-1"}}, "EndMark"},
      {{{"ReverseArrowOvershoot", "-1"}, {"StartMark", "-1"}, {"MarkScale", "0"}}, "StartMark"},
      {{{"TextStyle", "-1"}, {"ArrowAngle", "0"}}, "ArrowAngle"},
      {{{"ReverseArrowOvershoot", "-1"}, {"Rounding", "-1"}, {"Precision", "-1"}}, "Precision"},
      {{{"ExtLineOvershoot", "-1"}, {"ExtLineOffset", "-1"}}, "ExtLineOffset"},
  };
  for (const RefusalCase& c : cases) {
    Prepare(Host{}, Stored{});
    const std::string before = ReadFileBytes(settings);
    RunOptions options;
    options.Changes = c.Changes;
    const RunResult result = Run(options);
    SCOPED_TRACE(c.Focused);
    EXPECT_EQ(TranscriptLines(WithoutNotices(result.Transcript)),
              (std::vector<std::string>{std::string("focus: ") + c.Focused, "closed"}));
    EXPECT_EQ(ReadFileBytes(exchange), "hq\r\n");
    EXPECT_EQ(ReadFileBytes(settings), before);
  }
}

// Each list and radio choice becomes its typed choice only within the
// control's entries: a number the control cannot hold (none selected, or
// past its last entry) stops OK at that control; the first and last entries
// pass and keep their meaning.
TEST(OkInputs, ChoicesAreTakenOnlyWithinTheirEntries) {
  struct Case {
    Control Id;
    std::int32_t DialogSettings::*Field;
    int Count;
  };
  const Case cases[] = {
      {Control::StartMark, &DialogSettings::StartMark, 12}, {Control::EndMark, &DialogSettings::EndMark, 12},
      {Control::TextStyle, &DialogSettings::TextStyle, 11}, {Control::Precision, &DialogSettings::Precision, 9},
      {Control::Rounding, &DialogSettings::Rounding, 3},    {Control::ZeroDisplay, &DialogSettings::ZeroDisplay, 2},
      {Control::ValueUnit, &DialogSettings::ValueUnit, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ControlName(c.Id));
    EXPECT_EQ(SettingRowOf(c.Id).EntryCount, c.Count);
    for (const int number : {-1, c.Count, c.Count + 7}) {
      DialogSettings values = InitialSettings();
      values.TextStyle = 0;
      values.*c.Field = number;
      const CheckedInputs checked = CheckOkInputs(values);
      EXPECT_FALSE(checked.Inputs.has_value()) << number;
      EXPECT_EQ(checked.Refused, c.Id) << number;
    }
    for (const int number : {0, c.Count - 1}) {
      DialogSettings values = InitialSettings();
      values.TextStyle = 0;
      values.*c.Field = number;
      EXPECT_TRUE(CheckOkInputs(values).Inputs.has_value()) << number;
    }
  }
  DialogSettings values = InitialSettings();
  values.TextStyle = 10;
  values.Precision = 8;
  values.Rounding = 1;
  values.ZeroDisplay = 1;
  values.ValueUnit = 1;
  const OkInputs in = *CheckOkInputs(values).Inputs;
  EXPECT_EQ(HostStyleNumber(in.TextStyle), 10);
  EXPECT_EQ(in.Format.Precision, 8);
  EXPECT_EQ(in.Format.Rounding, RoundingMode::UpFromTenth);
  EXPECT_EQ(in.Format.Zeros, ZeroDisplay::Keep);
  EXPECT_EQ(in.Format.Unit, ValueUnit::Metre);
  // The dialog's defaults reach the value format from the settings table.
  values = InitialSettings();
  values.TextStyle = 0;
  const OkInputs defaults = *CheckOkInputs(values).Inputs;
  EXPECT_EQ(defaults.Format.Precision, 3);
  EXPECT_EQ(defaults.Format.Rounding, RoundingMode::HalfAwayFromZero);
  EXPECT_EQ(defaults.TextStyle, TextStyleChoice::HostsCurrent);
}

// Radio groups without a selected button: a front end may allow it, and the
// check then stops at the group.
TEST(OkInputs, RadioGroupsWithoutSelectionAreRefusedInTheirTurn) {
  DialogSettings values = InitialSettings();
  values.TextStyle = 0;
  values.ZeroDisplay = -1;
  values.ValueUnit = -1;
  CheckedInputs checked = CheckOkInputs(values);
  EXPECT_FALSE(checked.Inputs.has_value());
  EXPECT_EQ(checked.Refused, Control::ZeroDisplay);

  // Earlier checks still come first.
  values.TextStyle = -1;  // the text-style list without a selection
  checked = CheckOkInputs(values);
  EXPECT_FALSE(checked.Inputs.has_value());
  EXPECT_EQ(checked.Refused, Control::TextStyle);
}

TEST(OkInputs, BoundaryValuesAndBlankAffixes) {
  DialogSettings values = InitialSettings();
  values.TextStyle = 0;
  values.ArrowLength = "1000";
  values.ArrowAngle = "179.9";
  values.TextLineGap = "-1";
  values.Prefix = "　 \t";  // full-width space, space, tab: no prefix
  values.Suffix = " cm";    // letters after a space: kept as typed
  const CheckedInputs checked = CheckOkInputs(values);
  ASSERT_TRUE(checked.Inputs.has_value());
  const OkInputs& in = *checked.Inputs;
  EXPECT_EQ(in.ArrowLength, 1000);
  EXPECT_EQ(in.ArrowAngle, 179.9);
  EXPECT_EQ(in.TextLineGap, -1);
  EXPECT_EQ(in.Format.Prefix, "");
  EXPECT_EQ(in.Format.Suffix, " cm");
}

TEST_F(OkActionTest, PointInsideOrOnTheChainIsRefusedWithItsMessage) {
  for (const char* p1 : {"0 500", "-3 0", "250 1000", "0 1000.00000000001", "0 -0.00000000001"}) {
    Host host;
    host.Picks[0] = p1;
    Prepare(host, Stored{});
    const std::string before = ReadFileBytes(settings);
    const RunResult result = Run();
    SCOPED_TRACE(p1);
    EXPECT_EQ(TranscriptLines(WithoutNotices(result.Transcript)),
              (std::vector<std::string>{
                  "message: 直前作図した垂直寸法線の内側を指定する事は出来ません。", "closed"}));
    EXPECT_EQ(ReadFileBytes(exchange), "hq\r\n");
    EXPECT_EQ(ReadFileBytes(settings), before);
  }
}

TEST_F(OkActionTest, ZeroLengthIsRefusedAfterTheChainWasSaved) {
  // Level with the upper end of a long chain at 30 degrees: the rounding of
  // the far point puts it a hair above the chain, and the new dimension
  // measures nothing.
  Host host;
  host.Axis = "30";
  host.Picks[0] = "-4877409.537 8807395.127";
  Stored stored;
  stored.Angle = "30";
  stored.Chain = {"0", "0", "-5033066.345", "8717526.627", "-5033499", "8717277"};
  Prepare(host, stored);
  const RunResult result = Run();
  EXPECT_EQ(TranscriptLines(WithoutNotices(result.Transcript)),
            (std::vector<std::string>{"message: 寸法が「0」になりますので作図出来ません",
                                      "closed"}));
  EXPECT_EQ(ReadFileBytes(exchange), "hq\r\n");
  const std::vector<std::string> saved = Saved();
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(saved[28], "8807395.127");  // the chain reaches the new point
}

// The segments of an output file: four-number lines.
std::vector<std::vector<double>> Segments(const std::vector<std::string>& lines) {
  std::vector<std::vector<double>> out;
  for (const std::string& line : lines)
    if (Numbers(line).size() == 4 && line.find(' ') != std::string::npos &&
        line.rfind("cs ", 0) != 0)
      out.push_back(Numbers(line));
  return out;
}

TEST_F(OkActionTest, ChainExtendedBelowThenAboveKeepsLowerEndFirst) {
  // Stored at scale 100 under another axis angle; the host's group 3 has
  // scale 50, so every stored coordinate is halved.
  Host host;
  host.Group = "3";
  host.Scales = "1 1 1 50 1 1 1 1 1 1 1 1 1 1 1 1";
  host.Picks[0] = "40 -700";
  host.Picks[1] = "-900 -400";
  Stored stored;
  stored.Scale = "100";
  stored.Angle = "5";
  stored.Chain = {"0", "2000", "0", "0", "-1000", "600"};  // upper end stored first
  Prepare(host, stored);
  EXPECT_EQ(TranscriptLines(WithoutNotices(Run().Transcript)), kSuccess);
  std::vector<std::string> saved = Saved();
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(std::vector<std::string>(saved.begin() + 22, saved.end()),
            (std::vector<std::string>{"3", "50", "0", "40", "-700", "0", "1000", "-500", "300"}));
  // The axes turned since the chain was stored: both extension lines, 2 mm
  // (100 units) from the points, 2 mm beyond the dimension line at x = -500.
  std::vector<std::vector<double>> segments = Segments(Output());
  ASSERT_GE(segments.size(), 3u);
  EXPECT_EQ(segments[0], (std::vector<double>{-60, -700, -600, -700}));
  EXPECT_EQ(segments[1], (std::vector<double>{-100, 0, -600, 0}));
  EXPECT_EQ(segments[2], (std::vector<double>{-500, -700, -500, 0}));

  // The next run continues above, at the angle now stored.
  host.Picks[0] = "10 1800";
  host.Picks[1] = "-900 1400";
  WriteFileBytes(exchange, host.Bytes());
  EXPECT_EQ(TranscriptLines(WithoutNotices(Run().Transcript)), kSuccess);
  saved = Saved();
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(std::vector<std::string>(saved.begin() + 22, saved.end()),
            (std::vector<std::string>{"3", "50", "0", "40", "-700", "10", "1800", "-500", "300"}));
  segments = Segments(Output());
  ASSERT_GE(segments.size(), 2u);
  EXPECT_EQ(segments[0], (std::vector<double>{-90, 1800, -600, 1800}));  // new point only
  EXPECT_EQ(segments[1], (std::vector<double>{-500, 1000, -500, 1800}));
}

TEST_F(OkActionTest, UnusableHostScaleIsTakenAsOneAndRecordedSo) {
  for (const char* scale : {"0", "-50", "abc"}) {
    Host host;
    host.Scales = std::string(scale) + " 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
    Prepare(host, Stored{});
    EXPECT_EQ(TranscriptLines(WithoutNotices(Run().Transcript)), kSuccess) << scale;
    const std::vector<std::string> saved = Saved();
    ASSERT_EQ(saved.size(), 31u);
    // The chain keeps its size and the file says at which scale.
    EXPECT_EQ(std::vector<std::string>(saved.begin() + 22, saved.end()),
              (std::vector<std::string>{"0", "1", "0", "0", "0", "100", "1500", "-500", "300"}))
        << scale;
    EXPECT_EQ(Output(), SplitCrLf(ReadFileBytes(WorkedExampleFolder() / "expected_JWC_TEMP.TXT")))
        << scale;
  }
}

TEST_F(OkActionTest, AxisAngleAHairFromTheStoredOneCountsAsUnchanged) {
  // The chain stored at 30 degrees; the host's angle a hair below, a hair
  // above, and clearly turned.
  const std::pair<const char*, std::size_t> cases[] = {
      {"29.999999999999", 1}, {"30.000000000001", 1}, {"30", 1}, {"30.001", 2}};
  for (const auto& [axis, extensionLines] : cases) {
    Host host;
    host.Axis = axis;
    host.Picks[0] = "-800 1385.6406460551018";  // 1600 up the vertical of 30 degrees
    host.Picks[1] = "-1200 600";
    Stored stored;
    stored.Angle = "30";
    // 1000 up the vertical, the dimension line 500 to the left.
    stored.Chain = {"0", "0", "-500", "866.0254037844386", "-433.0127018922193", "-250"};
    Prepare(host, stored);
    EXPECT_EQ(TranscriptLines(WithoutNotices(Run().Transcript)), kSuccess) << axis;
    // The extension lines (500 long) come first, then the dimension line
    // (600 long).
    const std::vector<std::vector<double>> segments = Segments(Output());
    std::size_t leading = 0;
    while (leading < segments.size() &&
           std::abs(std::hypot(segments[leading][2] - segments[leading][0],
                               segments[leading][3] - segments[leading][1]) -
                    500) < 1)
      ++leading;
    EXPECT_EQ(leading, extensionLines) << axis;
    ASSERT_GT(segments.size(), leading);
    EXPECT_NEAR(std::hypot(segments[leading][2] - segments[leading][0],
                           segments[leading][3] - segments[leading][1]),
                600, 1e-6)  // turned by 0.001 degrees: a hair shorter
        << axis;
  }
}

TEST_F(OkActionTest, HostsOwnTextStyleIsHandedBackAsItWas) {
  Host host;
  host.TextStyle = "12";
  Prepare(host, Stored{});
  EXPECT_EQ(TranscriptLines(WithoutNotices(Run().Transcript)), kSuccess);
  const std::vector<std::string> out = Output();
  ASSERT_FALSE(out.empty());
  // The value is drawn in style 1 and the host gets its style 12 back.
  EXPECT_NE(std::find(out.begin(), out.end(), "cn1"), out.end());
  EXPECT_EQ(out.back(), "cn12");
}

TEST_F(OkActionTest, SettingsAndWindowPositionAreSavedAsTheDialogHoldsThem) {
  Prepare(Host{}, Stored{});
  RunOptions options;
  options.MoveWindowTo = headless::WindowMove{-40, 900};
  options.Changes = {{"Prefix", "L="}, {"Precision", "1"}, {"ZeroDisplay", "1"},
                     {"StartMark", "7"}, {"EndMark", "9"}, {"TextLineGap", "-1"}};
  EXPECT_EQ(TranscriptLines(WithoutNotices(Run(options).Transcript)), kSuccess);
  const std::vector<std::string> saved = Saved();
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(saved[0], "-40");
  EXPECT_EQ(saved[1], "900");
  EXPECT_EQ(saved[2], "7");
  EXPECT_EQ(saved[3], "9");
  EXPECT_EQ(saved[5], "1");
  EXPECT_EQ(saved[8], "L=");
  EXPECT_EQ(saved[10], "-1");
  EXPECT_EQ(saved[16], "1");
  const std::vector<std::string> out = Output();
  const auto value = std::find_if(out.begin(), out.end(),
                                  [](const std::string& l) { return l.rfind("cs ", 0) == 0; });
  ASSERT_NE(value, out.end());
  EXPECT_EQ(value->substr(value->size() - 8), "\"L=500.0");
  // A negative gap puts the underline's start ahead of the value and above it.
  const std::vector<std::vector<double>> segments = Segments(out);
  ASSERT_EQ(segments.size(), 4u);  // extension line, dimension line, leader, underline
  EXPECT_EQ(segments[3], (std::vector<double>{-601, 1201, -601, 1209.5}));
}

}  // namespace
