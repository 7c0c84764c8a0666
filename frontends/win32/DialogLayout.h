#pragma once
// Where the settings dialog's controls stand, in client pixels, and the fixed
// texts that only the drawn dialog carries (labels, unit labels, captions).
// The setting controls' names, entries and limits come from dialog/DialogModel.h.
// The places are given for 96 dots per inch and scaled to the window's own
// scale. Nothing here needs Windows: the arithmetic is checked on any system.
#include <string>
#include <vector>

#include "dialog/Controls.h"

namespace win32 {

struct PixelRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// The window: client size and fonts (its first position is the dialog
// model's).
inline constexpr int kClientWidth = 492;
inline constexpr int kClientHeight = 436;
inline constexpr wchar_t kFontFace[] = L"ＭＳ ゴシック";
inline constexpr int kFontHeight = 13;       // pixels, the em height
inline constexpr int kSmallFontHeight = 11;  // the line-arrow heading

// Colours, as Windows takes them (0x00BBGGRR, a COLORREF).
constexpr unsigned long ColourOf(unsigned red, unsigned green, unsigned blue) {
  return red | (green << 8) | (blue << 16);
}
inline constexpr unsigned long kWindowColour = ColourOf(255, 255, 255);
inline constexpr unsigned long kStatusColour = ColourOf(231, 231, 231);
inline constexpr unsigned long kHelpMemoColour = ColourOf(187, 235, 244);

// The places are drawn for 96 dots per inch. At another scale every edge
// moves to its place times dpi/96, rounded to the nearest pixel, and each
// size is the distance between its edges: controls that touch at 96 still
// touch, none that stand apart comes to overlap, and every size is within a
// pixel of its exact scaled value. Fonts scale the same way.
inline constexpr int kBaseDpi = 96;
int ScaleToDpi(int pixels, int dpi);
PixelRect ScaleToDpi(const PixelRect& rect, int dpi);

// Heights shared by kinds of control.
inline constexpr int kFieldHeight = 21;     // text fields and closed drop-down lists
inline constexpr int kCheckBoxHeight = 17;
inline constexpr int kListVisibleEntries = 8;  // entries shown by an open list

// A text label: it stands to the left of (or above, or right of) a control.
struct LabelPlace {
  std::string Text;  // a setting's label, unit or note (from the settings table), Shift-JIS
  int Left;
  int Top;
  bool Small;  // drawn with the smaller heading font
};

// A setting control: where it stands, and where the texts beside it stand.
// Check boxes and radio groups draw their setting's label (from the settings
// table) as their own caption.
struct SettingPlace {
  Control Id;
  PixelRect Rect;
  std::vector<LabelPlace> Labels;
};

// The twenty setting controls in tab order.
const std::vector<SettingPlace>& SettingPlaces();
const SettingPlace& SettingPlaceOf(Control id);
// Every label of the dialog, in the order of the controls they stand beside.
const std::vector<LabelPlace>& LabelPlaces();

// The widest a label `height` pixels high may be at `dpi` (both in pixels of
// that scale): up to the nearest control
// that stands to its right on the same rows, else to the client area's right
// edge. A label is as wide as its text in its own font, and that depends on
// the font the system finds for the face (under Wine a full-width character
// of the 13-pixel font measures 14 pixels, and the note right of the marks'
// scale would reach 6 pixels into the help memo); a text wider than its room
// is cut at the neighbour instead of painting over it.
int LabelRoom(const LabelPlace& label, int height, int dpi);

// The controls that are not settings.
inline constexpr PixelRect kOkButton{360, 264, 121, 33};
inline constexpr PixelRect kCancelButton{360, 312, 121, 33};
inline constexpr PixelRect kHelpMemo{312, 0, 177, 225};
inline constexpr PixelRect kStatusStrip{0, 347, 492, 24};
inline constexpr PixelRect kNoticePane{0, 371, 492, 65};

// The help memo shows each of its lines on one row: it is as wide as its
// longest line needs in the font the system gives it, growing to the right
// by what it lacks, by at most a quarter of its width as drawn. The dialog
// grows with it: the client area, and the status strip and the notice pane
// across it, are as much wider, and the two buttons below the memo keep their
// distance to its right edge. `memoGrowth` is in pixels at `dpi`.
enum class GrowingControl { OkButton, CancelButton, HelpMemo, StatusStrip, NoticePane };
int MostHelpMemoGrowth(int dpi);
PixelRect GrownPlace(GrowingControl control, int dpi, int memoGrowth);
int ClientWidth(int dpi, int memoGrowth);

// Where a window `width` by `height` pixels goes that is to stand with its
// top-left corner at (left, top), on a monitor whose work area (the screen
// less the task bar) is `area`: moved, never shrunk, until it lies wholly
// inside the area. A window larger than the area keeps its top-left corner
// inside it, so that its caption can be reached.
struct ScreenPoint {
  int Left = 0;
  int Top = 0;
};
ScreenPoint KeepInside(int left, int top, int width, int height, const PixelRect& area);
// The notice pane holds a larger panel whose edges lie outside the pane.
inline constexpr PixelRect kNoticePanel{-3, -3, 600, 200};

// Radio groups are framed and lay their buttons out in columns, filled top
// to bottom, below the frame's caption. `group` is the frame's place at
// `dpi`, `textHeight` the height of the dialog font's line at that scale.
// The result is relative to the dialog's client area.
inline constexpr int kRadioColumns = 2;
PixelRect RadioButtonRect(const PixelRect& group, int index, int count, int textHeight, int dpi);

}  // namespace win32
