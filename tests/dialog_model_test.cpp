// The dialog's controls and fixed texts as the front ends and the run use them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dialog/DialogModel.h"
#include "support/TestSupport.h"

using testing_support::SjisToUtf8;
using testing_support::U8;

TEST(DialogModel, TwentySettingControlsInTabOrderWithUniqueNames) {
  const auto& controls = DialogControls();
  ASSERT_EQ(controls.size(), static_cast<size_t>(kControlCount));
  std::set<std::string> names, settings;
  for (const ControlInfo& info : controls) {
    names.insert(ControlName(info.Id));
    settings.insert(info.SettingName);
    EXPECT_EQ(FindControlBySetting(info.SettingName), &info);
    EXPECT_EQ(&ControlInfoOf(info.Id), &info);
  }
  EXPECT_EQ(names.size(), controls.size());
  EXPECT_EQ(settings.size(), controls.size());
  EXPECT_EQ(FindControlBySetting("NoSuchSetting"), nullptr);
  EXPECT_EQ(controls.front().Id, Control::StartMark);
  EXPECT_EQ(controls.back().Id, Control::ReverseArrowOvershoot);
}

TEST(DialogModel, TextsAreShiftJisAsTheUserSeesThem) {
  EXPECT_EQ(SjisToUtf8(DialogTexts::InsideChain),
            U8(u8"直前作図した垂直寸法線の内側を指定する事は出来ません。"));
  EXPECT_EQ(SjisToUtf8(EndMarkEntries()[0]), U8(u8"線矢印"));
  ASSERT_EQ(EndMarkEntries().size(), 12u);
  EXPECT_EQ(EndMarkEntries()[1], EndMarkEntries()[11]);
  const auto& memo = HelpMemoLines();
  ASSERT_EQ(memo.size(), 36u);
  EXPECT_EQ(SjisToUtf8(memo[15]), U8(u8"◆設定データは vk38と"));
  EXPECT_EQ(SjisToUtf8(memo[35]), U8(u8"　下さい。"));
  EXPECT_EQ(std::string(DialogTexts::StatusInitial), "\x81\x40");
}
