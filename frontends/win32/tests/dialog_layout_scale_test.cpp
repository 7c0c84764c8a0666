// The dialog's layout at the scales of common displays: every place grows
// by dpi/96 to within a pixel, and what stands apart at 96 dots per inch
// stands apart at every scale. Arithmetic only: it runs on any system.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DialogLayout.h"
#include "dialog/DialogModel.h"

using win32::PixelRect;
using win32::ScaleToDpi;

namespace {

const int kScales[] = {96, 120, 144, 168, 192, 240, 288};

struct NamedRect {
  std::string Name;
  PixelRect Rect;
};

bool Overlap(const PixelRect& a, const PixelRect& b) {
  return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
         b.Top < a.Top + a.Height;
}

// Every control that stands on its own, at 96 dots per inch (the radio
// buttons stand inside their frames and are checked there).
std::vector<NamedRect> Controls() {
  std::vector<NamedRect> places;
  for (const win32::SettingPlace& place : win32::SettingPlaces())
    places.push_back({ControlName(place.Id), place.Rect});
  places.push_back({"OK", win32::kOkButton});
  places.push_back({"Cancel", win32::kCancelButton});
  places.push_back({"help memo", win32::kHelpMemo});
  places.push_back({"status strip", win32::kStatusStrip});
  places.push_back({"notice pane", win32::kNoticePane});
  return places;
}

TEST(DialogLayoutScale, EveryPlaceGrowsByTheScaleToWithinAPixel) {
  std::vector<NamedRect> places = Controls();
  places.push_back({"notice panel", win32::kNoticePanel});
  places.push_back({"client area", {0, 0, win32::kClientWidth, win32::kClientHeight}});
  for (int dpi : kScales) {
    const double factor = dpi / 96.0;
    for (const NamedRect& place : places) {
      SCOPED_TRACE(place.Name + " at " + std::to_string(dpi) + " dpi");
      const PixelRect r = ScaleToDpi(place.Rect, dpi);
      EXPECT_LE(std::fabs(r.Left - place.Rect.Left * factor), 0.5);
      EXPECT_LE(std::fabs(r.Top - place.Rect.Top * factor), 0.5);
      EXPECT_LE(std::fabs(r.Width - place.Rect.Width * factor), 1.0);
      EXPECT_LE(std::fabs(r.Height - place.Rect.Height * factor), 1.0);
    }
    EXPECT_EQ(ScaleToDpi(win32::kFontHeight, dpi), std::lround(13 * factor)) << dpi;
  }
  // Halves go away from zero, on both sides of it.
  EXPECT_EQ(ScaleToDpi(3, 144), 5);
  EXPECT_EQ(ScaleToDpi(-3, 144), -5);
  EXPECT_EQ(ScaleToDpi(-3, 96), -3);
}

TEST(DialogLayoutScale, NothingOverlapsAndEverythingStaysInTheClientArea) {
  const std::vector<NamedRect> places = Controls();
  for (int dpi : kScales) {
    const PixelRect client = ScaleToDpi(PixelRect{0, 0, win32::kClientWidth, win32::kClientHeight}, dpi);
    for (std::size_t i = 0; i < places.size(); ++i) {
      const PixelRect a = ScaleToDpi(places[i].Rect, dpi);
      SCOPED_TRACE(places[i].Name + " at " + std::to_string(dpi) + " dpi");
      EXPECT_GE(a.Left, 0);
      EXPECT_GE(a.Top, 0);
      EXPECT_LE(a.Left + a.Width, client.Width);
      EXPECT_LE(a.Top + a.Height, client.Height);
      for (std::size_t j = i + 1; j < places.size(); ++j)
        EXPECT_FALSE(Overlap(a, ScaleToDpi(places[j].Rect, dpi))) << "with " << places[j].Name;
    }
    // The strip and the pane below it still touch: no gap opens between them.
    const PixelRect strip = ScaleToDpi(win32::kStatusStrip, dpi);
    EXPECT_EQ(strip.Top + strip.Height, ScaleToDpi(win32::kNoticePane, dpi).Top) << dpi;
    EXPECT_EQ(ScaleToDpi(win32::kNoticePane, dpi).Top + ScaleToDpi(win32::kNoticePane, dpi).Height,
              client.Height)
        << dpi;
  }
}

TEST(DialogLayoutScale, RadioButtonsStayInsideTheirFramesApart) {
  for (int dpi : kScales) {
    // The dialog font's line, as Windows measures it: a little over the em.
    const int textHeight = ScaleToDpi(win32::kFontHeight + 2, dpi);
    for (Control group : {Control::ZeroDisplay, Control::ValueUnit}) {
      SCOPED_TRACE(std::string(ControlName(group)) + " at " + std::to_string(dpi) + " dpi");
      const PixelRect frame = ScaleToDpi(win32::SettingPlaceOf(group).Rect, dpi);
      const PixelRect first = win32::RadioButtonRect(frame, 0, 2, textHeight, dpi);
      const PixelRect second = win32::RadioButtonRect(frame, 1, 2, textHeight, dpi);
      for (const PixelRect& button : {first, second}) {
        EXPECT_GT(button.Left, frame.Left);
        EXPECT_GT(button.Top, frame.Top + textHeight - 1);  // below the caption
        EXPECT_LE(button.Left + button.Width, frame.Left + frame.Width);
        EXPECT_LE(button.Top + button.Height, frame.Top + frame.Height);
        EXPECT_GT(button.Height, 0);
      }
      EXPECT_FALSE(Overlap(first, second));
      // The margins grow with the scale: the first button's left margin is
      // 8 pixels at 96 dots per inch.
      EXPECT_EQ(first.Left - frame.Left, ScaleToDpi(8, dpi));
    }
  }
}

TEST(DialogLayoutScale, LabelsHaveRoomUpToTheirNeighbourAtEveryScale) {
  // The note right of the marks' scale reaches up to the help memo, the
  // text-style heading up to the memo too, a unit label up to the memo or
  // the OK button, whatever the scale.
  const struct {
    int Left, Top;  // the label's place at 96 dots per inch
    PixelRect Neighbour;
  } cases[] = {
      {136, 116, win32::kHelpMemo},  // （点マーカ　線矢印を除く）
      {136, 8, win32::kHelpMemo},    // 寸法値の文字種
      {264, 256, win32::kOkButton},  // 図寸mm beside the text line gap
  };
  for (const auto& c : cases) {
    const win32::LabelPlace* label = nullptr;
    for (const win32::LabelPlace& place : win32::LabelPlaces())
      if (place.Left == c.Left && place.Top == c.Top) label = &place;
    ASSERT_NE(label, nullptr) << c.Left << "," << c.Top;
    for (int dpi : kScales) {
      const int height = ScaleToDpi(14, dpi);
      EXPECT_EQ(ScaleToDpi(label->Left, dpi) + win32::LabelRoom(*label, height, dpi),
                ScaleToDpi(c.Neighbour, dpi).Left)
          << c.Left << "," << c.Top << " at " << dpi << " dpi";
    }
  }
}

}  // namespace
