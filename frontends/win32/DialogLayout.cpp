#include "DialogLayout.h"

#include "dialog/DialogModel.h"

#include <algorithm>

namespace win32 {

const std::vector<SettingPlace>& SettingPlaces() {
  static const std::vector<SettingPlace> places = {
      {Control::ComboBox1, {48, 4, 81, kFieldHeight}},
      {Control::ComboBox2, {48, 28, 81, kFieldHeight}},
      {Control::Edit7, {48, 64, 33, kFieldHeight}},
      {Control::Edit8, {48, 88, 33, kFieldHeight}},
      {Control::Edit1, {72, 112, 57, kFieldHeight}},
      {Control::ComboBox3, {136, 28, 169, kFieldHeight}},
      {Control::Edit2, {200, 56, 105, kFieldHeight}},
      {Control::Edit3, {200, 80, 105, kFieldHeight}},
      {Control::ComboBox4, {200, 136, 105, kFieldHeight}},
      {Control::ComboBox5, {200, 160, 105, kFieldHeight}},
      {Control::RadioGroup1, {8, 184, 145, 41}},
      {Control::RadioGroup2, {160, 184, 145, 41}},
      // The check boxes' row: each one ends where the next begins (as drawn
      // they overlapped by a pixel, which a larger scale would widen).
      {Control::CheckBox1, {8, 232, 144, kCheckBoxHeight}},
      {Control::CheckBox2, {152, 232, 104, kCheckBoxHeight}},
      {Control::CheckBox3, {256, 232, 128, kCheckBoxHeight}},
      {Control::CheckBox4, {384, 232, 105, kCheckBoxHeight}},
      {Control::Edit4, {200, 252, 57, kFieldHeight}},
      {Control::Edit5, {200, 276, 57, kFieldHeight}},
      {Control::Edit6, {200, 300, 57, kFieldHeight}},
      {Control::Edit9, {200, 324, 57, kFieldHeight}},
  };
  return places;
}

int ScaleToDpi(int pixels, int dpi) {
  // To the nearest pixel, halves away from zero (the panel of the notice
  // pane starts left of and above its pane).
  const long long scaled = static_cast<long long>(pixels) * dpi;
  const long long half = kBaseDpi / 2;
  return static_cast<int>((scaled >= 0 ? scaled + half : scaled - half) / kBaseDpi);
}

PixelRect ScaleToDpi(const PixelRect& rect, int dpi) {
  const int left = ScaleToDpi(rect.Left, dpi);
  const int top = ScaleToDpi(rect.Top, dpi);
  return {left, top, ScaleToDpi(rect.Left + rect.Width, dpi) - left,
          ScaleToDpi(rect.Top + rect.Height, dpi) - top};
}

const SettingPlace& SettingPlaceOf(Control id) { return ForControl(SettingPlaces(), id, "no place for the control"); }

const std::vector<LabelPlace>& LabelPlaces() {
  // Labels stand 4 pixels below the top of their control; the left column at
  // x = 8, the prefix and suffix labels at x = 136, the unit labels right of
  // their fields.
  // The texts come from the settings table: each setting's label, its unit
  // and its note; the line-arrow heading is the only text of its own.
  auto label = [](Control id, int left, int top) {
    return LabelPlace{ControlInfoOf(id).Label, left, top, false};
  };
  auto unit = [](Control id, int left, int top) {
    return LabelPlace{ControlInfoOf(id).Unit, left, top, false};
  };
  static const std::vector<LabelPlace> labels = {
      label(Control::ComboBox1, 8, 8),
      label(Control::ComboBox2, 8, 32),
      {"（線矢印）", 8, 52, true},
      label(Control::Edit7, 8, 68),
      unit(Control::Edit7, 88, 68),
      label(Control::Edit8, 8, 92),
      unit(Control::Edit8, 88, 92),
      label(Control::Edit1, 8, 116),
      {ControlInfoOf(Control::Edit1).Note, 136, 116, false},
      label(Control::ComboBox3, 136, 8),
      label(Control::Edit2, 136, 60),
      label(Control::Edit3, 136, 84),
      label(Control::ComboBox4, 8, 140),
      label(Control::ComboBox5, 8, 164),
      label(Control::Edit4, 8, 256),
      unit(Control::Edit4, 264, 256),
      label(Control::Edit5, 8, 280),
      unit(Control::Edit5, 264, 280),
      label(Control::Edit6, 8, 304),
      unit(Control::Edit6, 264, 304),
      label(Control::Edit9, 8, 328),
      unit(Control::Edit9, 264, 328),
  };
  return labels;
}

int LabelRoom(const LabelPlace& label, int height, int dpi) {
  const int left = ScaleToDpi(label.Left, dpi);
  const int top = ScaleToDpi(label.Top, dpi);
  int right = ScaleToDpi(kClientWidth, dpi);
  auto limitBy = [&](const PixelRect& place) {
    const PixelRect r = ScaleToDpi(place, dpi);
    const bool sameRows = r.Top < top + height && top < r.Top + r.Height;
    if (sameRows && r.Left > left) right = std::min(right, r.Left);
  };
  for (const SettingPlace& place : SettingPlaces()) limitBy(place.Rect);
  for (const PixelRect& r : {kOkButton, kCancelButton, kHelpMemo, kStatusStrip, kNoticePane})
    limitBy(r);
  return right - left;
}

PixelRect RadioButtonRect(const PixelRect& group, int index, int count, int textHeight, int dpi) {
  // The margins inside the frame, at 96 dots per inch: 8 on the left, 2 on
  // the right, 1 below the caption and 4 above the bottom edge.
  const int perColumn = (count + kRadioColumns - 1) / kRadioColumns;
  const int buttonWidth = (group.Width - ScaleToDpi(10, dpi)) / kRadioColumns;
  const int inner = group.Height - textHeight - ScaleToDpi(5, dpi);
  const int buttonHeight = inner / perColumn;
  const int topMargin = textHeight + ScaleToDpi(1, dpi) + (inner % perColumn) / 2;
  return {group.Left + (index / perColumn) * buttonWidth + ScaleToDpi(8, dpi),
          group.Top + (index % perColumn) * buttonHeight + topMargin, buttonWidth, buttonHeight};
}

}  // namespace win32
