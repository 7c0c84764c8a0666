// The dialog laid out at its scale: fonts, the controls' places, the help
// memo fitted to its lines, and the layout again when the scale changes.
#include "Win32Ui.h"

#include <algorithm>
#include <array>

#include "CodePage932.h"
#include "HelpMemoRows.h"
#include "NoticePane.h"
#include "Win32UiShared.h"
#include "WindowDpi.h"
#include "dialog/DialogModel.h"

namespace win32 {

namespace {

HFONT CreateDialogFont(int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FIXED_PITCH | FF_MODERN, kFontFace);
}

}  // namespace

std::vector<std::wstring> WideLines(const std::vector<std::string>& lines) {
  std::vector<std::wstring> wide;
  wide.reserve(lines.size());
  for (const std::string& line : lines) wide.push_back(SjisToWide(line));
  return wide;
}

std::wstring JoinLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += L"\r\n";
    text += lines[i];
  }
  return text;
}

std::wstring JoinLines(const std::vector<std::string>& lines) { return JoinLines(WideLines(lines)); }

int FitClosedListHeight(HWND list, int height, int fitted) {
  auto requested = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  if (fitted > 0 && fitted != requested) {
    requested = fitted;
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), requested);
  }
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT closed;
    GetWindowRect(list, &closed);
    const int error = height - (closed.bottom - closed.top);
    if (error == 0) return requested;
    requested += error;
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), requested);
  }
  return 0;
}

void Place(HWND window, const PixelRect& r) {
  SetWindowPos(window, nullptr, r.Left, r.Top, r.Width, r.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

MeasuringDc::MeasuringDc(HWND window) : window_(window), dc_(GetDC(window)) {
  if (dc_) original_ = SelectObject(dc_, GetStockObject(SYSTEM_FONT));
}

MeasuringDc::~MeasuringDc() {
  if (!dc_) return;
  SelectObject(dc_, original_);
  ReleaseDC(window_, dc_);
}

SIZE MeasuringDc::Extent(HFONT font, std::wstring_view text) {
  SIZE size{0, 0};
  if (!dc_) return size;
  SelectObject(dc_, font);
  GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

int MeasuringDc::LineHeight(HFONT font) {
  TEXTMETRICW metrics{};
  if (!dc_) return 0;
  SelectObject(dc_, font);
  GetTextMetricsW(dc_, &metrics);
  return metrics.tmHeight;
}

void Win32Ui::SizeWindowToClient() {
  const SIZE frame = WindowSizeForClient(dialog_, ClientWidth(dpi_, memoGrowth_),
                                         ClientHeight(dpi_, noticeGrowth_), dpi_);
  SetWindowPos(dialog_, nullptr, 0, 0, frame.cx, frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Ui::KeepInsideWorkArea(POINT anchor) {
  RECT frame{};
  GetWindowRect(dialog_, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromPoint(anchor, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& work = monitor.rcWork;
  const ScreenPoint place =
      KeepInside(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 {work.left, work.top, work.right - work.left, work.bottom - work.top});
  if (place.Left != frame.left || place.Top != frame.top)
    SetWindowPos(dialog_, nullptr, place.Left, place.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::array<HFONT, 2> Win32Ui::CreateFonts() {
  const std::array<HFONT, 2> previous{font_, smallFont_};
  font_ = CreateDialogFont(ScaleToDpi(kFontHeight, dpi_));
  listFieldHeight_ = 0;  // fitted anew in the new font
  smallFont_ = CreateDialogFont(ScaleToDpi(kSmallFontHeight, dpi_));
  MeasuringDc measuring(dialog_);
  lineHeight_ = measuring.LineHeight(font_);
  return previous;
}

PixelRect Win32Ui::SettingRect(Control id) const {
  PixelRect r = ScaleToDpi(SettingPlaceOf(id).Rect, dpi_);
  // A list's height is that of the list opened; the closed one is fitted.
  if (ControlInfoOf(id).Kind == ControlKind::List)
    r.Height += kListVisibleEntries * lineHeight_ + ScaleToDpi(2, dpi_);
  return r;
}

PixelRect Win32Ui::RadioRect(Control group, int index) const {
  return RadioButtonRect(ScaleToDpi(SettingPlaceOf(group).Rect, dpi_), index, kRadioButtons,
                         lineHeight_, dpi_);
}

PixelRect Win32Ui::GrownRect(GrowingControl control) const {
  return GrownPlace(control, dpi_, memoGrowth_, noticeGrowth_);
}

// Each label is as large as its text in its own font, but never reaches
// into the control to its right; one line, cut rather than wrapped.
PixelRect Win32Ui::LabelRect(const LabelPlace& label, SIZE text) const {
  const int width = std::min(static_cast<int>(text.cx), LabelRoom(label, text.cy, dpi_));
  return {ScaleToDpi(label.Left, dpi_), ScaleToDpi(label.Top, dpi_), width, text.cy};
}

void Win32Ui::FitHelpMemo() {
  // What the memo's frame, scroll bar and margins take of its width, with its
  // text in its font.
  RECT frame{};
  GetWindowRect(helpMemo_, &frame);
  RECT format{};
  SendMessageW(helpMemo_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const int besideText = (frame.right - frame.left) - (format.right - format.left);
  const PixelRect drawn = GrownPlace(GrowingControl::HelpMemo, dpi_, 0);
  const std::vector<std::wstring> lines = WideLines(memoLines_);
  MeasuringDc measuring(helpMemo_);
  auto widthOf = [this, &measuring](std::wstring_view text) {
    return static_cast<int>(measuring.Extent(font_, text).cx);
  };
  int longest = 0;
  for (const std::wstring& line : lines) longest = std::max(longest, widthOf(line));
  const int placedGrowth = memoGrowth_;  // the growth the other controls stand at
  memoGrowth_ = std::clamp(longest + besideText - drawn.Width, 0, MostHelpMemoGrowth(dpi_));
  Place(helpMemo_, GrownRect(GrowingControl::HelpMemo));
  const std::wstring rows =
      JoinLines(HelpMemoRows(lines, drawn.Width + memoGrowth_ - besideText, widthOf));
  if (rows != WindowText(helpMemo_)) SetWindowTextW(helpMemo_, rows.c_str());
  // The dialog grows with the memo; placing what already stands where it
  // belongs would only cost the moves (each a round of server requests).
  if (memoGrowth_ == placedGrowth) return;
  Place(okButton_, GrownRect(GrowingControl::OkButton));
  Place(cancelButton_, GrownRect(GrowingControl::CancelButton));
  Place(statusStrip_, GrownRect(GrowingControl::StatusStrip));
  Place(noticePane_, GrownRect(GrowingControl::NoticePane));
  SizeWindowToClient();
  // The notice's rows follow the pane's width.
  FitNoticePane();
}

void Win32Ui::FitNoticePane() {
  // Nothing to fit before the first notice: no text, no growth.
  if (noticeRows_ == 0 && GetWindowTextLengthW(noticePane_) == 0) return;
  const int drawn = GrownPlace(GrowingControl::NoticePane, dpi_, memoGrowth_, 0).Height;
  const NoticeRowCount rows = CountNoticeRows(noticePane_, drawn, noticeRows_);
  // The pane keeps the rows it has once grown, so that the dialog does not
  // change its height back and forth as the notice changes.
  noticeRows_ = rows.Needed;
  const int growth = (rows.Needed - rows.Held) * lineHeight_;
  if (growth == noticeGrowth_) return;
  noticeGrowth_ = growth;
  Place(noticePane_, GrownRect(GrowingControl::NoticePane));
  SizeWindowToClient();
  // Grown downwards: the whole window stays inside the work area.
  RECT frame{};
  GetWindowRect(dialog_, &frame);
  KeepInsideWorkArea(POINT{frame.left, frame.top});
}

void Win32Ui::LayOut() {
  // Every control to its place at the dialog's scale, then its font (the
  // size first: see AddChild).
  auto place = [](HWND window, const PixelRect& r, HFONT font) {
    Place(window, r);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  };
  SendMessageW(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  for (const SettingPlace& setting : SettingPlaces()) {
    HWND window = ControlWindow(setting.Id);
    switch (ControlInfoOf(setting.Id).Kind) {
      case ControlKind::List:
        place(window, SettingRect(setting.Id), font_);
        listFieldHeight_ =
            FitClosedListHeight(window, ScaleToDpi(setting.Rect.Height, dpi_), listFieldHeight_);
        break;
      case ControlKind::Radio: {
        const RadioGroupWindows& group = Radios(setting.Id);
        for (int i = 0; i < kRadioButtons; ++i)
          place(group.Buttons[static_cast<std::size_t>(i)], RadioRect(setting.Id, i), font_);
        place(group.Frame, SettingRect(setting.Id), font_);
        break;
      }
      case ControlKind::Text:
      case ControlKind::Check:
        place(window, SettingRect(setting.Id), font_);
        break;
    }
  }
  place(okButton_, GrownRect(GrowingControl::OkButton), font_);
  place(cancelButton_, GrownRect(GrowingControl::CancelButton), font_);
  place(helpMemo_, GrownRect(GrowingControl::HelpMemo), font_);
  place(statusStrip_, GrownRect(GrowingControl::StatusStrip), font_);
  SetNoticeDpi(noticePane_, dpi_);
  place(noticePane_, GrownRect(GrowingControl::NoticePane), font_);
  const std::vector<LabelPlace>& labels = LabelPlaces();
  MeasuringDc measuring(dialog_);
  for (std::size_t i = 0; i < labels.size() && i < labels_.size(); ++i) {
    HFONT font = labels[i].Small ? smallFont_ : font_;
    place(labels_[i], LabelRect(labels[i], measuring.Extent(font, SjisToWide(labels[i].Text))),
          font);
  }
  FitHelpMemo();
  // The frame the system suggested for the new scale took the memo's growth
  // as it was; the client area now holds it as it is.
  SizeWindowToClient();
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Ui::ChangeDpi(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  const std::array<HFONT, 2> previous = CreateFonts();
  SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
  for (HFONT font : previous)
    if (font) DeleteObject(font);
  // The layout may have made the window larger than suggested: it stays
  // inside the work area of the monitor it has come to.
  KeepInsideWorkArea(POINT{suggested.left, suggested.top});
}

}  // namespace win32
