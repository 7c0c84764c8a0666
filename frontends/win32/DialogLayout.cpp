#include "DialogLayout.h"

#include "dialog/DialogModel.h"

#include <algorithm>
#include <initializer_list>

namespace win32 {

namespace {

// The texts a setting control has beside it, from the settings table.
enum class Beside { Label, Unit, Note, LineArrowHeading };
struct TextAt {
  Beside Text;
  int Left;
  int Top;
};

SettingPlace PlaceOf(Control id, PixelRect rect, std::initializer_list<TextAt> texts) {
  SettingPlace place{id, rect, {}};
  const ControlInfo& info = ControlInfoOf(id);
  for (const TextAt& text : texts) {
    switch (text.Text) {
      case Beside::Label: place.Labels.push_back({info.Label, text.Left, text.Top, false}); break;
      case Beside::Unit: place.Labels.push_back({info.Unit, text.Left, text.Top, false}); break;
      case Beside::Note: place.Labels.push_back({info.Note, text.Left, text.Top, false}); break;
      case Beside::LineArrowHeading:
        place.Labels.push_back({DialogTexts::LineArrowHeading, text.Left, text.Top, true});
        break;
    }
  }
  return place;
}

}  // namespace

const std::vector<SettingPlace>& SettingPlaces() {
  // Labels stand 4 pixels below the top of their control; the left column at
  // x = 8, the prefix and suffix labels at x = 136, the unit labels right of
  // their fields. Check boxes and radio groups caption themselves.
  using enum Beside;
  static const std::vector<SettingPlace> places = {
      PlaceOf(Control::StartMark, {48, 4, 81, kFieldHeight}, {{Label, 8, 8}}),
      PlaceOf(Control::EndMark, {48, 28, 81, kFieldHeight}, {{Label, 8, 32}}),
      PlaceOf(Control::ArrowLength, {48, 64, 33, kFieldHeight},
              {{LineArrowHeading, 8, 52}, {Label, 8, 68}, {Unit, 88, 68}}),
      PlaceOf(Control::ArrowAngle, {48, 88, 33, kFieldHeight}, {{Label, 8, 92}, {Unit, 88, 92}}),
      PlaceOf(Control::MarkScale, {72, 112, 57, kFieldHeight}, {{Label, 8, 116}, {Note, 136, 116}}),
      PlaceOf(Control::TextStyle, {136, 28, 169, kFieldHeight}, {{Label, 136, 8}}),
      PlaceOf(Control::Prefix, {200, 56, 105, kFieldHeight}, {{Label, 136, 60}}),
      PlaceOf(Control::Suffix, {200, 80, 105, kFieldHeight}, {{Label, 136, 84}}),
      PlaceOf(Control::Precision, {200, 136, 105, kFieldHeight}, {{Label, 8, 140}}),
      PlaceOf(Control::Rounding, {200, 160, 105, kFieldHeight}, {{Label, 8, 164}}),
      PlaceOf(Control::ZeroDisplay, {8, 184, 145, 41}, {}),
      PlaceOf(Control::ValueUnit, {160, 184, 145, 41}, {}),
      // The check boxes' row: each one ends where the next begins (as drawn
      // they overlapped by a pixel, which a larger scale would widen).
      PlaceOf(Control::ThousandsCommas, {8, 232, 144, kCheckBoxHeight}, {}),
      PlaceOf(Control::AppendUnit, {152, 232, 104, kCheckBoxHeight}, {}),
      PlaceOf(Control::FullWidth, {256, 232, 128, kCheckBoxHeight}, {}),
      PlaceOf(Control::AsDimensionFigure, {384, 232, 105, kCheckBoxHeight}, {}),
      PlaceOf(Control::TextLineGap, {200, 252, 57, kFieldHeight},
              {{Label, 8, 256}, {Unit, 264, 256}}),
      PlaceOf(Control::ExtLineOffset, {200, 276, 57, kFieldHeight},
              {{Label, 8, 280}, {Unit, 264, 280}}),
      PlaceOf(Control::ExtLineOvershoot, {200, 300, 57, kFieldHeight},
              {{Label, 8, 304}, {Unit, 264, 304}}),
      PlaceOf(Control::ReverseArrowOvershoot, {200, 324, 57, kFieldHeight},
              {{Label, 8, 328}, {Unit, 264, 328}}),
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
  static const std::vector<LabelPlace> labels = [] {
    std::vector<LabelPlace> all;
    for (const SettingPlace& place : SettingPlaces())
      all.insert(all.end(), place.Labels.begin(), place.Labels.end());
    return all;
  }();
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
