// The dialog without a screen: its controls behave as the real dialog's.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "dialog/DialogModel.h"
#include "frontends/headless/HeadlessRun.h"
#include "frontends/headless/HeadlessUi.h"
#include "support/TestSupport.h"

using headless::Event;
using headless::EventKind;
using headless::HeadlessUi;
using testing_support::U8;
using testing_support::Utf8ToSjis;

namespace {

TEST(HeadlessUi, StartsAsTheDialogStarts) {
  HeadlessUi ui;
  EXPECT_EQ(ui.State()[Control::StartMark].Entries, EndMarkEntries());
  EXPECT_EQ(ui.ListSelected(Control::TextStyle), -1);
  EXPECT_TRUE(ui.State()[Control::TextStyle].Entries.empty());
  EXPECT_EQ(ui.State()[Control::Precision].Entries.at(ui.ListSelected(Control::Precision)),
            "0.001");
  EXPECT_EQ(ui.GetText(Control::TextLineGap), "0.5");
  EXPECT_EQ(ui.RadioSelected(Control::ZeroDisplay), 0);
  EXPECT_FALSE(ui.CheckGet(Control::FullWidth));
  int left = 0, top = 0;
  ui.GetWindowPosition(left, top);
  EXPECT_EQ(std::make_pair(left, top), std::make_pair(194, 107));
  EXPECT_EQ(ui.State().StatusText, "\x81\x40");
  EXPECT_TRUE(ui.Transcript().empty());
  EXPECT_FALSE(ui.Closed());
}

TEST(HeadlessUi, ListSelectionOutsideTheEntriesLeavesNone) {
  HeadlessUi ui;
  const std::vector<std::pair<int, int>> cases = {
      {0, 0}, {11, 11}, {12, -1}, {-1, -1}, {-4, -1}, {1000000, -1}, {5, 5}};
  for (const auto& [index, selected] : cases) {
    ui.ListSelect(Control::EndMark, index);
    EXPECT_EQ(ui.ListSelected(Control::EndMark), selected) << index;
  }
  ui.ListClear(Control::EndMark);
  EXPECT_EQ(ui.ListSelected(Control::EndMark), -1);
  ui.ListSelect(Control::EndMark, 0);
  EXPECT_EQ(ui.ListSelected(Control::EndMark), -1);
  ui.ListAdd(Control::EndMark, "a");
  ui.ListSelect(Control::EndMark, 0);
  EXPECT_EQ(ui.ListSelected(Control::EndMark), 0);
}

TEST(HeadlessUi, RadioSelectionIsBroughtIntoTheGroup) {
  HeadlessUi ui;
  const std::vector<std::pair<int, int>> cases = {{1, 1}, {0, 0}, {2, 1}, {77, 1}, {-1, 0}};
  for (const auto& [index, selected] : cases) {
    ui.RadioSelect(Control::ValueUnit, index);
    EXPECT_EQ(ui.RadioSelected(Control::ValueUnit), selected) << index;
  }
}

TEST(HeadlessUi, TypingStopsAtTheByteLimitWithoutSplittingACharacter) {
  HeadlessUi ui;
  const std::string wide = Utf8ToSjis(U8(u8"寸"));  // two bytes
  const std::vector<std::pair<std::string, std::string>> cases = {
      {std::string(40, 'a'), std::string(32, 'a')},
      {std::string(32, 'a'), std::string(32, 'a')},
      {[&] { std::string s; for (int i = 0; i < 17; ++i) s += wide; return s; }(),
       [&] { std::string s; for (int i = 0; i < 16; ++i) s += wide; return s; }()},
      {std::string(31, 'a') + wide, std::string(31, 'a')},
      {std::string(30, 'a') + wide + "b", std::string(30, 'a') + wide},
      {"first\nsecond", "first"},
      {"first\r\nsecond", "first"},
      {"", ""},
  };
  for (const auto& [typed, held] : cases) {
    ui.SetText(Control::Prefix, "old");
    ui.TypeText(Control::Prefix, typed);
    EXPECT_EQ(ui.GetText(Control::Prefix), held) << typed;
  }
  // Eight bytes in the arrow fields; text put in by the program is not cut.
  ui.TypeText(Control::ArrowLength, "123456789");
  EXPECT_EQ(ui.GetText(Control::ArrowLength), "12345678");
  ui.SetText(Control::ArrowLength, "123456789");
  EXPECT_EQ(ui.GetText(Control::ArrowLength), "123456789");
}

TEST(HeadlessUi, OperationOnAControlOfAnotherKindIsRefused) {
  HeadlessUi ui;
  EXPECT_THROW(ui.ListSelect(Control::MarkScale, 0), std::logic_error);
  EXPECT_THROW(ui.GetText(Control::StartMark), std::logic_error);
  EXPECT_THROW(ui.RadioSelect(Control::ThousandsCommas, 0), std::logic_error);
  EXPECT_THROW(ui.CheckSet(Control::ZeroDisplay, true), std::logic_error);
  EXPECT_THROW(ui.TypeText(Control::TextStyle, "x"), std::logic_error);
}

TEST(HeadlessUi, RecordsWhatTheUserSeesInOrder) {
  HeadlessUi ui;
  ui.Focus(Control::ExtLineOffset);
  ui.SetStatusText("working");
  ui.ShowMessage("note", MessageKind::Confirmation);
  ui.ShowMessage("failed", MessageKind::Warning);
  ui.ShowNotice({"first", "second"});
  ui.ShowNotice({"third"});
  ui.SetWindowPosition(-3000, 5000);
  const std::vector<Event> expected = {
      {EventKind::Focus, "ExtLineOffset"},    {EventKind::Status, "working"},
      {EventKind::Message, "note"},   {EventKind::Warning, "failed"},
      {EventKind::Notice, "first"},
      {EventKind::Notice, "second"},  {EventKind::Notice, "third"}};
  EXPECT_EQ(ui.Transcript(), expected);
  EXPECT_EQ(headless::TranscriptLines(ui.Transcript()),
            (std::vector<std::string>{"focus: ExtLineOffset", "status: working", "message: note",
                                      "warning: failed", "notice: first", "notice: second",
                                      "notice: third"}));
  EXPECT_EQ(headless::WithoutNotices(ui.Transcript()),
            std::vector<Event>(expected.begin(), expected.begin() + 4));
  EXPECT_EQ(ui.State().Focused, Control::ExtLineOffset);
  EXPECT_EQ(ui.State().StatusText, "working");
  EXPECT_EQ(ui.State().NoticeLines, std::vector<std::string>{"third"});
  int left = 0, top = 0;
  ui.GetWindowPosition(left, top);
  EXPECT_EQ(left, -3000);
  EXPECT_EQ(top, 5000);
}

TEST(HeadlessUi, ClosingRunsTheCloseHandlerOnceAndThenRecordsTheClose) {
  HeadlessUi ui;
  int runs = 0;
  ui.SetCloseHandler([&] {
    ++runs;
    EXPECT_FALSE(ui.Closed());
    ui.SetStatusText("closing");
    ui.CloseDialog();  // a close from within the close does nothing
  });
  ui.CloseDialog();
  ui.CloseDialog();
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(ui.Closed());
  EXPECT_EQ(headless::TranscriptLines(ui.Transcript()),
            (std::vector<std::string>{"status: closing", "closed"}));
}

TEST(HeadlessSettingChange, NamesAndValuesAreCheckedByTheControlKind) {
  const std::vector<std::pair<headless::SettingChange, bool>> cases = {
      {{"Precision", "2"}, true},
      {{"Precision", "-1"}, true},
      {{"Precision", "99"}, true},
      {{"Precision", "two"}, false},
      {{"Precision", ""}, false},
      {{"Precision", "+2"}, false},
      {{"Precision", "2 "}, false},
      {{"ZeroDisplay", "1"}, true},
      {{"ZeroDisplay", "1.0"}, false},
      {{"ThousandsCommas", "1"}, true},
      {{"ThousandsCommas", "0"}, true},
      {{"ThousandsCommas", "2"}, false},
      {{"ThousandsCommas", "yes"}, false},
      {{"Prefix", "H="}, true},
      {{"Prefix", ""}, true},
      {{"precision", "2"}, false},
      {{"Colour", "x"}, false},
  };
  for (const auto& [change, good] : cases)
    EXPECT_EQ(headless::CheckSettingChange(change).empty(), good)
        << change.Setting << "=" << change.Value;
}

TEST(HeadlessSettingChange, AppliesAsTheUserWould) {
  HeadlessUi ui;
  // The handler runs once a change, after the control has changed; what the
  // program itself puts into the controls runs it not.
  std::vector<headless::DialogState> seen;
  ui.SetChangeHandler([&] { seen.push_back(ui.State()); });
  ui.ListSelect(Control::Precision, 0);
  ui.RadioSelect(Control::ValueUnit, 0);
  ui.CheckSet(Control::AppendUnit, false);
  ui.SetText(Control::Suffix, "x");
  EXPECT_TRUE(seen.empty());

  headless::ApplySettingChange(ui, {"Precision", "2"});
  headless::ApplySettingChange(ui, {"Rounding", "3"});
  headless::ApplySettingChange(ui, {"ValueUnit", "5"});
  headless::ApplySettingChange(ui, {"AppendUnit", "1"});
  headless::ApplySettingChange(ui, {"Suffix", std::string(40, 's')});
  EXPECT_EQ(ui.ListSelected(Control::Precision), 2);
  EXPECT_EQ(ui.ListSelected(Control::Rounding), -1);
  EXPECT_EQ(ui.RadioSelected(Control::ValueUnit), 1);
  EXPECT_TRUE(ui.CheckGet(Control::AppendUnit));
  EXPECT_EQ(ui.GetText(Control::Suffix), std::string(32, 's'));
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0][Control::Precision].Selected, 2);
  EXPECT_EQ(seen[1][Control::Rounding].Selected, -1);
  EXPECT_EQ(seen[2][Control::ValueUnit].Selected, 1);
  EXPECT_TRUE(seen[3][Control::AppendUnit].Checked);
  EXPECT_EQ(seen[4][Control::Suffix].Text, std::string(32, 's'));
  EXPECT_THROW(headless::ApplySettingChange(ui, {"Nothing", "1"}), std::invalid_argument);
}

}  // namespace
