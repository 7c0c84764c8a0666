#include "DialogLayout.h"

#include "dialog/DialogModel.h"

#include <algorithm>

namespace win32 {

const std::vector<SettingPlace>& SettingPlaces() {
  static const std::vector<SettingPlace> places = {
      {Control::StartMark, {48, 4, 81, kFieldHeight}},
      {Control::EndMark, {48, 28, 81, kFieldHeight}},
      {Control::ArrowLength, {48, 64, 33, kFieldHeight}},
      {Control::ArrowAngle, {48, 88, 33, kFieldHeight}},
      {Control::MarkScale, {72, 112, 57, kFieldHeight}},
      {Control::TextStyle, {136, 28, 169, kFieldHeight}},
      {Control::Prefix, {200, 56, 105, kFieldHeight}},
      {Control::Suffix, {200, 80, 105, kFieldHeight}},
      {Control::Precision, {200, 136, 105, kFieldHeight}},
      {Control::Rounding, {200, 160, 105, kFieldHeight}},
      {Control::ZeroDisplay, {8, 184, 145, 41}},
      {Control::ValueUnit, {160, 184, 145, 41}},
      // The check boxes' row: each one ends where the next begins (as drawn
      // they overlapped by a pixel, which a larger scale would widen).
      {Control::ThousandsCommas, {8, 232, 144, kCheckBoxHeight}},
      {Control::AppendUnit, {152, 232, 104, kCheckBoxHeight}},
      {Control::FullWidth, {256, 232, 128, kCheckBoxHeight}},
      {Control::AsDimensionFigure, {384, 232, 105, kCheckBoxHeight}},
      {Control::TextLineGap, {200, 252, 57, kFieldHeight}},
      {Control::ExtLineOffset, {200, 276, 57, kFieldHeight}},
      {Control::ExtLineOvershoot, {200, 300, 57, kFieldHeight}},
      {Control::ReverseArrowOvershoot, {200, 324, 57, kFieldHeight}},
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
  // and its note; the line-arrow heading from the program's texts.
  auto label = [](Control id, int left, int top) {
    return LabelPlace{ControlInfoOf(id).Label, left, top, false};
  };
  auto unit = [](Control id, int left, int top) {
    return LabelPlace{ControlInfoOf(id).Unit, left, top, false};
  };
  static const std::vector<LabelPlace> labels = {
      label(Control::StartMark, 8, 8),
      label(Control::EndMark, 8, 32),
      {DialogTexts::LineArrowHeading, 8, 52, true},
      label(Control::ArrowLength, 8, 68),
      unit(Control::ArrowLength, 88, 68),
      label(Control::ArrowAngle, 8, 92),
      unit(Control::ArrowAngle, 88, 92),
      label(Control::MarkScale, 8, 116),
      {ControlInfoOf(Control::MarkScale).Note, 136, 116, false},
      label(Control::TextStyle, 136, 8),
      label(Control::Prefix, 136, 60),
      label(Control::Suffix, 136, 84),
      label(Control::Precision, 8, 140),
      label(Control::Rounding, 8, 164),
      label(Control::TextLineGap, 8, 256),
      unit(Control::TextLineGap, 264, 256),
      label(Control::ExtLineOffset, 8, 280),
      unit(Control::ExtLineOffset, 264, 280),
      label(Control::ExtLineOvershoot, 8, 304),
      unit(Control::ExtLineOvershoot, 264, 304),
      label(Control::ReverseArrowOvershoot, 8, 328),
      unit(Control::ReverseArrowOvershoot, 264, 328),
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

int MostHelpMemoGrowth(int dpi) { return ScaleToDpi(kHelpMemo.Width, dpi) / 4; }

PixelRect GrownPlace(GrowingControl control, int dpi, int memoGrowth) {
  switch (control) {
    case GrowingControl::OkButton:
    case GrowingControl::CancelButton: {
      PixelRect r = ScaleToDpi(control == GrowingControl::OkButton ? kOkButton : kCancelButton, dpi);
      r.Left += memoGrowth;
      return r;
    }
    case GrowingControl::HelpMemo:
    case GrowingControl::StatusStrip:
    case GrowingControl::NoticePane: {
      PixelRect r = ScaleToDpi(control == GrowingControl::HelpMemo      ? kHelpMemo
                               : control == GrowingControl::StatusStrip ? kStatusStrip
                                                                        : kNoticePane,
                               dpi);
      r.Width += memoGrowth;
      return r;
    }
  }
  return {};
}

int ClientWidth(int dpi, int memoGrowth) { return ScaleToDpi(kClientWidth, dpi) + memoGrowth; }

ScreenPoint KeepInside(int left, int top, int width, int height, const PixelRect& area) {
  // The far edges first, then the near ones: when the window is larger than
  // the area, its top-left corner wins.
  auto within = [](int start, int size, int areaStart, int areaSize) {
    start = std::min(start, areaStart + areaSize - size);
    return std::max(start, areaStart);
  };
  return {within(left, width, area.Left, area.Width), within(top, height, area.Top, area.Height)};
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
