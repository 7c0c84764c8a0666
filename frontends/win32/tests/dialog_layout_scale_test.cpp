// The dialog's layout at the scales of common displays: every place grows
// by dpi/96 to within a pixel, and what stands apart at 96 dots per inch
// stands apart at every scale. Arithmetic only: it runs on any system.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DialogLayout.h"
#include "HelpMemoRows.h"
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

// The places at `dpi` with the help memo `growth` pixels wider: the
// controls that grow or move with it, in the order of Controls().
std::vector<PixelRect> PlacesAt(int dpi, int growth) {
  std::vector<PixelRect> rects;
  for (const win32::SettingPlace& place : win32::SettingPlaces())
    rects.push_back(ScaleToDpi(place.Rect, dpi));
  using win32::GrowingControl;
  for (GrowingControl c : {GrowingControl::OkButton, GrowingControl::CancelButton,
                           GrowingControl::HelpMemo, GrowingControl::StatusStrip,
                           GrowingControl::NoticePane})
    rects.push_back(win32::GrownPlace(c, dpi, growth));
  return rects;
}

TEST(DialogLayoutScale, NothingOverlapsAndEverythingStaysInTheClientArea) {
  // As drawn, and with the memo grown as far as it may: the dialog grows with
  // it, and its right column (memo, buttons) keeps its margin.
  const std::vector<NamedRect> places = Controls();
  for (int dpi : kScales) {
    for (int growth : {0, 1, win32::MostHelpMemoGrowth(dpi)}) {
      SCOPED_TRACE("memo grown by " + std::to_string(growth));
      const PixelRect client{0, 0, win32::ClientWidth(dpi, growth), ScaleToDpi(win32::kClientHeight, dpi)};
      const std::vector<PixelRect> rects = PlacesAt(dpi, growth);
      const PixelRect memo = win32::GrownPlace(win32::GrowingControl::HelpMemo, dpi, growth);
      EXPECT_EQ(client.Width - (memo.Left + memo.Width), ScaleToDpi(492, dpi) - ScaleToDpi(489, dpi));
      EXPECT_EQ(memo.Width, ScaleToDpi(177, dpi) + growth);
      EXPECT_EQ(win32::GrownPlace(win32::GrowingControl::OkButton, dpi, growth).Left,
                ScaleToDpi(360, dpi) + growth);
      for (std::size_t i = 0; i < places.size(); ++i) {
        const PixelRect a = rects[i];
        SCOPED_TRACE(places[i].Name + " at " + std::to_string(dpi) + " dpi");
        EXPECT_GE(a.Left, 0);
        EXPECT_GE(a.Top, 0);
        EXPECT_LE(a.Left + a.Width, client.Width);
        EXPECT_LE(a.Top + a.Height, client.Height);
        for (std::size_t j = i + 1; j < places.size(); ++j)
          EXPECT_FALSE(Overlap(a, rects[j])) << "with " << places[j].Name;
      }
      // The strip and the pane below it still touch and span the client area.
      const PixelRect strip = win32::GrownPlace(win32::GrowingControl::StatusStrip, dpi, growth);
      const PixelRect pane = win32::GrownPlace(win32::GrowingControl::NoticePane, dpi, growth);
      EXPECT_EQ(strip.Top + strip.Height, pane.Top) << dpi;
      EXPECT_EQ(pane.Top + pane.Height, client.Height) << dpi;
      EXPECT_EQ(strip.Width, client.Width) << dpi;
      EXPECT_EQ(pane.Width, client.Width) << dpi;
    }
  }
}

TEST(DialogLayoutScale, AWindowIsMovedInsideTheWorkAreaNeverShrunk) {
  // A 1280 x 1024 screen less a task bar of 40 along its bottom.
  const PixelRect area{0, 0, 1280, 984};
  const struct {
    int Left, Top, Width, Height;
    int ExpectedLeft, ExpectedTop;
  } cases[] = {
      {500, 400, 514, 466, 500, 400},      // 96 dpi: fits where it was put
      {500, 400, 1000, 905, 280, 79},      // 192 dpi: moved up and left
      {-2000, 5000, 514, 466, 0, 518},     // off to the lower left
      {30000, -400, 514, 466, 766, 0},     // off to the upper right
      {100, 100, 1400, 1100, 0, 0},        // larger than the area: its corner shows
      {766, 518, 514, 466, 766, 518},      // touching the far edges
  };
  for (const auto& c : cases) {
    const win32::ScreenPoint place = win32::KeepInside(c.Left, c.Top, c.Width, c.Height, area);
    EXPECT_EQ(place.Left, c.ExpectedLeft) << c.Left << "," << c.Top;
    EXPECT_EQ(place.Top, c.ExpectedTop) << c.Left << "," << c.Top;
  }
  // On a second monitor left of the first, the same.
  const win32::ScreenPoint left = win32::KeepInside(-500, 900, 514, 466, {-1920, 0, 1920, 1040});
  EXPECT_EQ(left.Left, -514);
  EXPECT_EQ(left.Top, 574);
}

// Widths as a monospaced font gives them: full-width characters 2, others 1.
int MonospacedWidth(std::wstring_view text) {
  int width = 0;
  for (wchar_t c : text) width += c < 0x100 ? 1 : 2;
  return width;
}

// The one rule by which the dialog breaks its Japanese texts (the help
// memo's lines and the notice pane's), seen through the memo's rows.
TEST(PhraseRows, LinesThatFitStayWholeAndLongerOnesBreakBetweenPhrases) {
  const struct {
    std::wstring Line;
    int Width;
    std::vector<std::wstring> Rows;
  } cases[] = {
      // Fits: as it is, however it would break.
      {L"　別に呼出・登録しており", 24, {L"　別に呼出・登録しており"}},
      // After the particle, before the next phrase's kanji; the indent kept.
      {L"　別に呼出・登録しており", 20, {L"　別に呼出・", L"　登録しており"}},
      {L"　寸法値と水平線との距離", 16, {L"　寸法値と", L"　水平線との距離"}},
      // After a blank; a line that begins with a mark goes on under its text.
      {L"◆設定データは vk38と", 16, {L"◆設定データは ", L"　vk38と"}},
      // Katakana words stay whole: the break comes after the slash.
      {L"◆ウイルス／セキュリティ", 20, {L"◆ウイルス／", L"　セキュリティ"}},
      {L"　Jw_cadのインストール・", 22, {L"　Jw_cadの", L"　インストール・"}},
      // "、" and "」" never begin a row.
      {L"　場合には、本ソフトを", 12, {L"　場合には、", L"　本ソフトを"}},
      {L"　には「許可」を選択して", 16, {L"　には「許可」を", L"　選択して"}},
      // Never inside a number or a word written with marks, half- or
      // full-width: the break comes before it.
      {L"　長さは1.5mmです", 12, {L"　長さは", L"　1.5mmです"}},
      {L"　値「１２３，４５６」", 20, {L"　値", L"　「１２３，４５６」"}},
      {L"　寸法値 abc.def/ghi", 14, {L"　寸法値 ", L"　abc.def/ghi"}},
      // The last break between phrases that fits, not the last blank.
      {L"範囲選択の中の水平方向の線 3本は、どれも寸法線ではありません", 40,
       {L"範囲選択の中の水平方向の線 3本は、どれも", L"　寸法線ではありません"}},
      // A phrase wider than the whole row is broken where it must, but never
      // between the halves of a surrogate pair.
      {L"　インストール", 8, {L"　インス", L"　トール"}},
      // (U+20BB7 as UTF-16, also where wchar_t holds 32 bits).
      {L"　\xD842\xDFB7\xD842\xDFB7\xD842\xDFB7", 8,
       {L"　\xD842\xDFB7", L"　\xD842\xDFB7", L"　\xD842\xDFB7"}},
      {L"", 10, {L""}},
  };
  for (const auto& c : cases) {
    const std::vector<std::wstring> rows =
        win32::HelpMemoRows({c.Line}, c.Width, MonospacedWidth);
    EXPECT_EQ(rows, c.Rows) << "width " << c.Width << ", line of " << c.Line.size();
    for (const std::wstring& row : rows) EXPECT_LE(MonospacedWidth(row), c.Width);
  }
  // Several lines: each gives its own rows, in order.
  EXPECT_EQ(win32::HelpMemoRows({L"◇寸法値の前後には", L"", L"　取るものとします"}, 18, MonospacedWidth),
            (std::vector<std::wstring>{L"◇寸法値の前後には", L"", L"　取るものとします"}));
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
