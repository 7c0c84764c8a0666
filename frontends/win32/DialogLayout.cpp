#include "DialogLayout.h"

#include <algorithm>
#include <stdexcept>

namespace win32 {

const std::vector<SettingPlace>& SettingPlaces() {
  static const std::vector<SettingPlace> places = {
      {Control::ComboBox1, {48, 4, 81, kFieldHeight}, nullptr},
      {Control::ComboBox2, {48, 28, 81, kFieldHeight}, nullptr},
      {Control::Edit7, {48, 64, 33, kFieldHeight}, nullptr},
      {Control::Edit8, {48, 88, 33, kFieldHeight}, nullptr},
      {Control::Edit1, {72, 112, 57, kFieldHeight}, nullptr},
      {Control::ComboBox3, {136, 28, 169, kFieldHeight}, nullptr},
      {Control::Edit2, {200, 56, 105, kFieldHeight}, nullptr},
      {Control::Edit3, {200, 80, 105, kFieldHeight}, nullptr},
      {Control::ComboBox4, {200, 136, 105, kFieldHeight}, nullptr},
      {Control::ComboBox5, {200, 160, 105, kFieldHeight}, nullptr},
      {Control::RadioGroup1, {8, 184, 145, 41}, L"小数点以下の０表示"},
      {Control::RadioGroup2, {160, 184, 145, 41}, L"寸法値の単位"},
      {Control::CheckBox1, {8, 232, 145, kCheckBoxHeight}, L"３桁毎カンマ付加"},
      {Control::CheckBox2, {152, 232, 105, kCheckBoxHeight}, L"単位の付加"},
      {Control::CheckBox3, {256, 232, 129, kCheckBoxHeight}, L"寸法値を全角化"},
      {Control::CheckBox4, {384, 232, 105, kCheckBoxHeight}, L"寸法図形化"},
      {Control::Edit4, {200, 252, 57, kFieldHeight}, nullptr},
      {Control::Edit5, {200, 276, 57, kFieldHeight}, nullptr},
      {Control::Edit6, {200, 300, 57, kFieldHeight}, nullptr},
      {Control::Edit9, {200, 324, 57, kFieldHeight}, nullptr},
  };
  return places;
}

const SettingPlace& SettingPlaceOf(Control id) {
  for (const SettingPlace& place : SettingPlaces())
    if (place.Id == id) return place;
  throw std::logic_error("no place for the control");
}

const std::vector<LabelPlace>& LabelPlaces() {
  // Labels stand 4 pixels below the top of their control; the left column at
  // x = 8, the prefix and suffix labels at x = 136, the unit labels right of
  // their fields.
  static const std::vector<LabelPlace> labels = {
      {L"始点", 8, 8, false},
      {L"終点", 8, 32, false},
      {L"（線矢印）", 8, 52, true},
      {L"長さ", 8, 68, false},
      {L"図寸mm", 88, 68, false},
      {L"角度", 8, 92, false},
      {L"°", 88, 92, false},
      {L"端点倍率", 8, 116, false},
      {L"（点マーカ　線矢印を除く）", 136, 116, false},
      {L"寸法値の文字種", 136, 8, false},
      {L"接頭文字", 136, 60, false},
      {L"接尾文字", 136, 84, false},
      {L"寸法値の精度", 8, 140, false},
      {L"寸法値の丸め", 8, 164, false},
      {L"寸法値と水平線との距離", 8, 256, false},
      {L"図寸mm", 264, 256, false},
      {L"計測点と寸法補助線の距離", 8, 280, false},
      {L"図寸mm", 264, 280, false},
      {L"寸法補助線のはみ出し距離", 8, 304, false},
      {L"図寸mm", 264, 304, false},
      {L"逆矢印の寸法はみだし距離", 8, 328, false},
      {L"図寸mm", 264, 328, false},
  };
  return labels;
}

int LabelRoom(const LabelPlace& label, int height) {
  int right = kClientWidth;
  auto limitBy = [&](const PixelRect& r) {
    const bool sameRows = r.Top < label.Top + height && label.Top < r.Top + r.Height;
    if (sameRows && r.Left > label.Left) right = std::min(right, r.Left);
  };
  for (const SettingPlace& place : SettingPlaces()) limitBy(place.Rect);
  for (const PixelRect& r : {kOkButton, kCancelButton, kHelpMemo, kStatusStrip, kNoticePane})
    limitBy(r);
  return right - label.Left;
}

PixelRect RadioButtonRect(const PixelRect& group, int index, int count, int textHeight) {
  const int perColumn = (count + kRadioColumns - 1) / kRadioColumns;
  const int buttonWidth = (group.Width - 10) / kRadioColumns;
  const int inner = group.Height - textHeight - 5;
  const int buttonHeight = inner / perColumn;
  const int topMargin = textHeight + 1 + (inner % perColumn) / 2;
  return {group.Left + (index / perColumn) * buttonWidth + 8,
          group.Top + (index % perColumn) * buttonHeight + topMargin, buttonWidth, buttonHeight};
}

}  // namespace win32
