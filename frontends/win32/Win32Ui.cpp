#include "Win32Ui.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "ApplicationWindow.h"
#include "ByteLimitedEdit.h"
#include "CodePage932.h"
#include "DialogLayout.h"
#include "HelpMemoRows.h"
#include "MessageBoxOver.h"
#include "NoticePane.h"
#include "WindowDpi.h"
#include "dialog/DialogModel.h"
#include "resources/ResourceIds.h"

namespace win32 {

namespace {

constexpr int kFirstSettingId = 1000;
constexpr int kFirstRadioId = 2000;  // + 10 * group + button
constexpr int kHelpMemoId = 1200;
constexpr int kStatusStripId = 1201;
constexpr int kLabelId = -1;
// The context-code bit of a key message: Alt was held.
constexpr LPARAM kAltDown = LPARAM{1} << 29;

int SettingId(Control id) { return kFirstSettingId + static_cast<int>(id); }

bool IsRadioButtonId(int id) {
  return id >= kFirstRadioId && id < kFirstRadioId + 10 * kControlCount;
}

// Whether a control's notification tells that the value of a setting
// control changed.
bool ChangesSetting(int id, WORD code) {
  if (IsRadioButtonId(id)) return code == BN_CLICKED;
  if (id < kFirstSettingId || id >= kFirstSettingId + kControlCount) return false;
  switch (ControlInfoOf(static_cast<Control>(id - kFirstSettingId)).Kind) {
    case ControlKind::Text: return code == EN_CHANGE;
    case ControlKind::List: return code == CBN_SELCHANGE;
    case ControlKind::Check: return code == BN_CLICKED;
    case ControlKind::Radio: return false;  // the frame: its buttons tell
  }
  return false;
}

// An empty dialog template: the controls are created in pixels afterwards,
// so the template's dialog units never matter.
std::vector<WORD> EmptyDialogTemplate(DWORD style) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = style;
  header->dwExtendedStyle = WS_EX_CONTROLPARENT;
  header->cdit = 0;
  header->x = 0;
  header->y = 0;
  header->cx = 100;
  header->cy = 100;
  // Then: no menu, the standard dialog class, an empty caption (three zeros).
  return words;
}

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS | DS_3DLOOK;

HFONT CreateDialogFont(int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FIXED_PITCH | FF_MODERN, kFontFace);
}

std::wstring JoinLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += L"\r\n";
    text += lines[i];
  }
  return text;
}

std::vector<std::wstring> WideLines(const std::vector<std::string>& lines) {
  std::vector<std::wstring> wide;
  wide.reserve(lines.size());
  for (const std::string& line : lines) wide.push_back(SjisToWide(line));
  return wide;
}

std::wstring JoinLines(const std::vector<std::string>& lines) { return JoinLines(WideLines(lines)); }

void Place(HWND window, const PixelRect& r) {
  SetWindowPos(window, nullptr, r.Left, r.Top, r.Width, r.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The closed list is as high as a text field. The selection field's height
// is what can be set; how much the frame adds differs between versions of
// the list control, so the height is measured and corrected.
void FitClosedListHeight(HWND list, int height) {
  auto requested = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT closed;
    GetWindowRect(list, &closed);
    const int error = height - (closed.bottom - closed.top);
    if (error == 0) return;
    requested += error;
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), requested);
  }
}

// The help memo is read-only: it keeps the arrow keys for scrolling and
// leaves Enter, Esc and Tab to the dialog, so that they press OK, press
// Cancel and move on there as everywhere else.
LRESULT CALLBACK HelpMemoProc(HWND memo, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR) {
  if (message == WM_GETDLGCODE)
    return DefSubclassProc(memo, message, wParam, lParam) & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(memo, HelpMemoProc, id);
  return DefSubclassProc(memo, message, wParam, lParam);
}

// A device context of a window for measuring texts in the dialog's fonts,
// taken once for many texts.
class MeasuringDc {
 public:
  explicit MeasuringDc(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_) original_ = SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  }
  ~MeasuringDc() {
    if (!dc_) return;
    SelectObject(dc_, original_);
    ReleaseDC(window_, dc_);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;

  SIZE Extent(HFONT font, std::wstring_view text) {
    SIZE size{0, 0};
    if (!dc_) return size;
    SelectObject(dc_, font);
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
  }
  int LineHeight(HFONT font) {
    TEXTMETRICW metrics{};
    if (!dc_) return 0;
    SelectObject(dc_, font);
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight;
  }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ original_ = nullptr;
};

}  // namespace

Win32Ui::Win32Ui(HINSTANCE instance) : instance_(instance) {
  // The fonts wait for the dialog's window, whose scale they follow.
  windowBrush_ = CreateSolidBrush(kWindowColour);
  statusBrush_ = CreateSolidBrush(kStatusColour);
  memoBrush_ = CreateSolidBrush(kHelpMemoColour);
  largeIcon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(ORVANE_ICON), IMAGE_ICON,
                                             32, 32, LR_DEFAULTCOLOR));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(ORVANE_ICON), IMAGE_ICON,
                                             16, 16, LR_DEFAULTCOLOR));
}

Win32Ui::~Win32Ui() {
  if (dialog_) DestroyWindow(dialog_);
  if (application_) DestroyWindow(application_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(smallFont_),
                         static_cast<HGDIOBJ>(windowBrush_), static_cast<HGDIOBJ>(statusBrush_),
                         static_cast<HGDIOBJ>(memoBrush_)})
    if (object) DeleteObject(object);
  if (largeIcon_) DestroyIcon(largeIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

void Win32Ui::Create(DialogEvents events) {
  events_ = std::move(events);
  application_ = CreateApplicationWindow(instance_, SjisToWide(DialogTexts::ApplicationTitle),
                                         largeIcon_, smallIcon_);
  if (!application_) throw std::runtime_error("cannot create the application window");
  const std::vector<WORD> dialogTemplate = EmptyDialogTemplate(kDialogStyle);
  HWND dialog = CreateDialogIndirectParamW(
      instance_, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), application_,
      DialogProc, reinterpret_cast<LPARAM>(this));
  ThrowPendingFailure();  // creating the controls failed
  if (!dialog) throw std::runtime_error("cannot create the dialog");
  dialog_ = dialog;
  SetApplicationDialog(application_, dialog_);
}

int Win32Ui::Run() {
  // The task-bar button is there from the start, also for a message that the
  // show event may give before the dialog appears.
  ShowWindow(application_, SW_SHOWNA);
  if (events_.Show) events_.Show();
  ThrowPendingFailure();
  if (closed_) return 0;
  ShowDialog();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    ThrowPendingFailure();
  }
  ThrowPendingFailure();
  return 0;
}

void Win32Ui::ThrowPendingFailure() {
  if (!failure_) return;
  std::exception_ptr failure = failure_;
  failure_ = nullptr;
  std::rethrow_exception(failure);
}

void Win32Ui::ShowDialog() {
  if (!IsWindowVisible(application_)) ShowWindow(application_, SW_SHOWNA);
  ShowWindow(dialog_, SW_SHOW);
  SetForegroundWindow(dialog_);
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ControlWindow(Control::StartMark)),
               TRUE);
}

bool Win32Ui::PreTranslate(MSG& message) {
  if (!dialog_ || closed_) return false;
  // Alt+F4 closes the dialog from whichever control has the focus, as the
  // close box does. It is taken here, before the control sees it, because a
  // drop-down list may keep Alt keys to itself (Wine's does) and the key
  // would then never reach the window's system menu.
  const bool altF4 = message.message == WM_SYSKEYDOWN && message.wParam == VK_F4 &&
                     (message.lParam & kAltDown) != 0;
  if (altF4 && (message.hwnd == dialog_ || IsChild(dialog_, message.hwnd))) {
    SendMessageW(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  }
  return IsDialogMessageW(dialog_, &message);
}

INT_PTR CALLBACK Win32Ui::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = message == WM_INITDIALOG
                   ? reinterpret_cast<Win32Ui*>(lParam)
                   : reinterpret_cast<Win32Ui*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      self->dialog_ = dialog;
      KeepOwnDialogScaling(dialog);
      self->dpi_ = WindowDpi(dialog);
      self->CreateFonts();
      self->SetCaptionAndIcons();
      SetWindowPos(dialog, nullptr, kInitialWindowLeft, kInitialWindowTop, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      self->SizeWindowToClient();
      // Each control is made at its place in its font: placing them again
      // afterwards would lay out the lists and the memo twice over.
      self->CreateControls();
      self->FitHelpMemo();
      self->KeepInsideWorkArea(POINT{kInitialWindowLeft, kInitialWindowTop});
      return FALSE;  // the focus is placed when the dialog is shown
    }
    return self->HandleDialogMessage(message, wParam, lParam);
  } catch (...) {
    // The first failure is the one to report. No quit message is posted:
    // it would end the message box that reports the failure at once.
    if (!self->failure_) self->failure_ = std::current_exception();
    return FALSE;
  }
}

INT_PTR Win32Ui::HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (closed_) return FALSE;
      if (ChangesSetting(LOWORD(wParam), HIWORD(wParam))) {
        if (IsRadioButtonId(LOWORD(wParam))) {
          // The user picked a radio button: Tab enters its group there.
          for (Control group : {Control::ZeroDisplay, Control::ValueUnit})
            RadioSelect(group, RadioSelected(group));
        }
        if (events_.Change) events_.Change();
        return TRUE;
      }
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      if (LOWORD(wParam) == IDOK) {
        if (events_.Ok) events_.Ok();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        if (events_.Cancel) events_.Cancel();
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      CloseDialog();
      return TRUE;
    case WM_SYSCOMMAND:
      // The dialog minimises with the application window, which keeps the
      // task-bar button.
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        ShowWindow(application_, SW_MINIMIZE);
        SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    case WM_GETDPISCALEDSIZE: {
      // Asked before a move to a monitor of another scale: the frame that
      // holds the client area at the new scale exactly, so that the frame
      // the system then suggests fits the layout to the pixel.
      // The memo's growth is taken as it is now, grown by the scale; the
      // layout at the new scale measures it again.
      const int dpi = static_cast<int>(wParam);
      const int growth = ScaleToDpi(memoGrowth_ * kBaseDpi / dpi_, dpi);
      *reinterpret_cast<SIZE*>(lParam) = WindowSizeForClient(
          dialog_, ClientWidth(dpi, growth), ScaleToDpi(kClientHeight, dpi), dpi);
      SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    case WM_DPICHANGED:
      ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, 0);
      return TRUE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(windowBrush_);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<INT_PTR>(
          ColourFor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
    default:
      return FALSE;
  }
}

HBRUSH Win32Ui::ColourFor(HWND control, HDC dc) {
  COLORREF colour = kWindowColour;
  HBRUSH brush = windowBrush_;
  if (control == statusStrip_) {
    colour = kStatusColour;
    brush = statusBrush_;
  } else if (control == helpMemo_) {
    colour = kHelpMemoColour;
    brush = memoBrush_;
  }
  SetBkColor(dc, colour);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return brush;
}

void Win32Ui::SetCaptionAndIcons() {
  SetWindowTextW(dialog_, SjisToWide(DialogTexts::Caption).c_str());
  SendMessageW(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
  SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

void Win32Ui::SizeWindowToClient() {
  const SIZE frame = WindowSizeForClient(dialog_, ClientWidth(dpi_, memoGrowth_),
                                         ScaleToDpi(kClientHeight, dpi_), dpi_);
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
  smallFont_ = CreateDialogFont(ScaleToDpi(kSmallFontHeight, dpi_));
  MeasuringDc measuring(dialog_);
  lineHeight_ = measuring.LineHeight(font_);
  return previous;
}

// The size first, then the font: a text field takes its margins from the
// font and its own width, and a field still without a width would keep
// wide ones.
HWND Win32Ui::AddChild(const wchar_t* windowClass, const wchar_t* text, DWORD style,
                       DWORD exStyle, int id, const PixelRect& place, HFONT font) {
  HWND child = CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style,
                               place.Left, place.Top, place.Width, place.Height, dialog_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                               nullptr);
  if (!child) throw std::runtime_error("cannot create a control of the dialog");
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_), FALSE);
  return child;
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
  return GrownPlace(control, dpi_, memoGrowth_);
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
  memoGrowth_ = std::clamp(longest + besideText - drawn.Width, 0, MostHelpMemoGrowth(dpi_));
  Place(helpMemo_, GrownRect(GrowingControl::HelpMemo));
  const std::wstring rows =
      JoinLines(HelpMemoRows(lines, drawn.Width + memoGrowth_ - besideText, widthOf));
  std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(helpMemo_)) + 1, L'\0');
  shown.resize(static_cast<std::size_t>(
      GetWindowTextW(helpMemo_, shown.data(), static_cast<int>(shown.size()))));
  if (rows != shown) SetWindowTextW(helpMemo_, rows.c_str());
  // The dialog grows with the memo.
  Place(okButton_, GrownRect(GrowingControl::OkButton));
  Place(cancelButton_, GrownRect(GrowingControl::CancelButton));
  Place(statusStrip_, GrownRect(GrowingControl::StatusStrip));
  Place(noticePane_, GrownRect(GrowingControl::NoticePane));
  SizeWindowToClient();
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
        FitClosedListHeight(window, ScaleToDpi(setting.Rect.Height, dpi_));
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

void Win32Ui::CreateControls() {
  // Creation order is the tab order.
  for (const ControlInfo& control : DialogControls()) {
    if (control.Kind == ControlKind::Radio)
      CreateRadioGroup(control.Id);
    else
      CreateSettingControl(control.Id);
  }
  okButton_ = AddChild(WC_BUTTONW, SjisToWide(DialogTexts::OkButton).c_str(),
                       WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, IDOK,
                       GrownRect(GrowingControl::OkButton));
  cancelButton_ = AddChild(WC_BUTTONW, SjisToWide(DialogTexts::CancelButton).c_str(),
                           WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, IDCANCEL,
                           GrownRect(GrowingControl::CancelButton));
  // FitHelpMemo sizes the memo so that every line shows on one row. Should a
  // row still be wider than the memo, the memo wraps it rather than cut it.
  // It starts as wide as it may grow, where it has no line to wrap.
  helpMemo_ = AddChild(WC_EDITW, JoinLines(memoLines_).c_str(),
                       WS_GROUP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                       WS_EX_CLIENTEDGE, kHelpMemoId,
                       GrownPlace(GrowingControl::HelpMemo, dpi_, MostHelpMemoGrowth(dpi_)));
  SetWindowSubclass(helpMemo_, HelpMemoProc, kHelpMemoId, 0);
  statusStrip_ = AddChild(WC_STATICW, SjisToWide(DialogTexts::StatusInitial).c_str(),
                          WS_GROUP | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0, kStatusStripId,
                          GrownRect(GrowingControl::StatusStrip));
  noticePane_ = CreateNoticePane(instance_, dialog_);
  if (!noticePane_) throw std::runtime_error("cannot create a control of the dialog");
  SetNoticeDpi(noticePane_, dpi_);
  Place(noticePane_, GrownRect(GrowingControl::NoticePane));
  SendMessageW(noticePane_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  CreateLabels();
}

void Win32Ui::CreateSettingControl(Control id) {
  const ControlInfo& control = ControlInfoOf(id);
  HWND window = nullptr;
  switch (control.Kind) {
    case ControlKind::List: {
      window = AddChild(WC_COMBOBOXW, L"", WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST,
                        0, SettingId(id), SettingRect(id));
      FitClosedListHeight(window, ScaleToDpi(SettingPlaceOf(id).Rect.Height, dpi_));
      for (const std::string& entry : control.Entries)
        SendMessageW(window, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(SjisToWide(entry).c_str()));
      SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(control.InitialIndex), 0);
      break;
    }
    case ControlKind::Text:
      window = AddChild(WC_EDITW, SjisToWide(control.InitialText).c_str(),
                        WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, SettingId(id),
                        SettingRect(id));
      if (control.ByteLimit > 0) LimitTypedBytes(window, static_cast<std::size_t>(control.ByteLimit));
      break;
    case ControlKind::Check:
      window = AddChild(WC_BUTTONW, SjisToWide(control.Label).c_str(),
                        WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, SettingId(id), SettingRect(id));
      SendMessageW(window, BM_SETCHECK, control.InitialIndex > 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::Radio:
      throw std::logic_error("radio groups are created as groups");
  }
  if (control.NoIme) ImmAssociateContextEx(window, nullptr, 0);
  controls_[static_cast<std::size_t>(id)] = window;
}

void Win32Ui::CreateRadioGroup(Control id) {
  const ControlInfo& control = ControlInfoOf(id);
  RadioGroupWindows& group = Radios(id);
  const int count = static_cast<int>(control.Entries.size());
  if (count != kRadioButtons) throw std::logic_error("a radio group has two buttons");
  for (int i = 0; i < count; ++i) {
    group.Buttons[static_cast<std::size_t>(i)] =
        AddChild(WC_BUTTONW, SjisToWide(control.Entries[static_cast<std::size_t>(i)]).c_str(),
                 BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), 0,
                 kFirstRadioId + static_cast<int>(id) * 10 + i, RadioRect(id, i));
  }
  // The frame follows its buttons, so that it neither covers them nor joins
  // their group.
  group.Frame = AddChild(WC_BUTTONW, SjisToWide(control.Label).c_str(), WS_GROUP | BS_GROUPBOX, 0,
                         SettingId(id), SettingRect(id));
  controls_[static_cast<std::size_t>(id)] = group.Frame;
  RadioSelect(id, control.InitialIndex);
}

void Win32Ui::CreateLabels() {
  MeasuringDc measuring(dialog_);
  for (const LabelPlace& label : LabelPlaces()) {
    HFONT font = label.Small ? smallFont_ : font_;
    const std::wstring text = SjisToWide(label.Text);
    labels_.push_back(AddChild(WC_STATICW, text.c_str(), SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0,
                               kLabelId, LabelRect(label, measuring.Extent(font, text)), font));
  }
}

Win32Ui::RadioGroupWindows& Win32Ui::Radios(Control group) {
  if (group == Control::ZeroDisplay) return zeroDisplay_;
  if (group == Control::ValueUnit) return valueUnit_;
  throw std::logic_error("not a radio group");
}

const Win32Ui::RadioGroupWindows& Win32Ui::Radios(Control group) const {
  return const_cast<Win32Ui*>(this)->Radios(group);
}

HWND Win32Ui::ControlWindow(Control control) const {
  return controls_[static_cast<std::size_t>(control)];
}

HWND Win32Ui::RadioButton(Control group, int index) const {
  return Radios(group).Buttons.at(static_cast<std::size_t>(index));
}

void Win32Ui::CloseDialog() {
  if (closed_) return;
  closed_ = true;
  if (events_.Close) events_.Close();
  if (dialog_) DestroyWindow(dialog_);
  dialog_ = nullptr;
  if (application_) DestroyWindow(application_);
  application_ = nullptr;
  PostQuitMessage(0);
}

void Win32Ui::SetWindowPosition(int left, int top) {
  // A move onto a monitor of another scale lays the dialog out anew before
  // SetWindowPos returns; the whole window then stays inside the work area
  // of the monitor that holds the position.
  SetWindowPos(dialog_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepInsideWorkArea(POINT{left, top});
}

void Win32Ui::GetWindowPosition(int& left, int& top) {
  RECT frame{};
  GetWindowRect(dialog_, &frame);
  left = frame.left;
  top = frame.top;
}

void Win32Ui::ListClear(Control list) {
  RequireKind(list, ControlKind::List);
  SendMessageW(ControlWindow(list), CB_RESETCONTENT, 0, 0);
}

void Win32Ui::ListAdd(Control list, const std::string& entry) {
  RequireKind(list, ControlKind::List);
  SendMessageW(ControlWindow(list), CB_ADDSTRING, 0,
               reinterpret_cast<LPARAM>(SjisToWide(entry).c_str()));
}

void Win32Ui::ListSelect(Control list, int index) {
  RequireKind(list, ControlKind::List);
  HWND window = ControlWindow(list);
  const auto count = static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0));
  const int selection = (index >= 0 && index < count) ? index : -1;
  SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

int Win32Ui::ListSelected(Control list) {
  RequireKind(list, ControlKind::List);
  const LRESULT selection = SendMessageW(ControlWindow(list), CB_GETCURSEL, 0, 0);
  return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

void Win32Ui::SetText(Control field, const std::string& text) {
  RequireKind(field, ControlKind::Text);
  SetWindowTextW(ControlWindow(field), SjisToWide(text).c_str());
}

std::string Win32Ui::GetText(Control field) {
  RequireKind(field, ControlKind::Text);
  HWND window = ControlWindow(field);
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return WideToSjis(text);
}

void Win32Ui::RadioSelect(Control group, int index) {
  RequireKind(group, ControlKind::Radio);
  RadioGroupWindows& radios = Radios(group);
  index = RadioButtonFor(index, kRadioButtons);
  for (int i = 0; i < kRadioButtons; ++i) {
    HWND button = radios.Buttons[static_cast<std::size_t>(i)];
    SendMessageW(button, BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab enters the group at its selected button.
    LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    const bool stop = i == index;
    style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(button, GWL_STYLE, style);
  }
}

int Win32Ui::RadioSelected(Control group) {
  RequireKind(group, ControlKind::Radio);
  const RadioGroupWindows& radios = Radios(group);
  for (int i = 0; i < kRadioButtons; ++i)
    if (SendMessageW(radios.Buttons[static_cast<std::size_t>(i)], BM_GETCHECK, 0, 0) ==
        BST_CHECKED)
      return i;
  return -1;
}

void Win32Ui::CheckSet(Control box, bool checked) {
  RequireKind(box, ControlKind::Check);
  SendMessageW(ControlWindow(box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Ui::CheckGet(Control box) {
  RequireKind(box, ControlKind::Check);
  return SendMessageW(ControlWindow(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Ui::Focus(Control control) {
  if (closed_) return;
  HWND target = ControlWindow(control);
  if (control == Control::ZeroDisplay || control == Control::ValueUnit) {
    const int selected = RadioSelected(control);
    target = RadioButton(control, selected < 0 ? 0 : selected);
  }
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}

void Win32Ui::SetStatusText(const std::string& text) {
  SetWindowTextW(statusStrip_, SjisToWide(text).c_str());
  // The work runs on this thread: draw the strip now, not when it is idle.
  RedrawWindow(statusStrip_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Win32Ui::ShowMessage(const std::string& text, MessageKind kind) {
  const UINT icon = kind == MessageKind::Warning ? MB_ICONWARNING : MB_ICONQUESTION;
  ShowMessageBox(MessageOwner(), SjisToWide(text), SjisToWide(DialogTexts::MessageTitle),
                 MB_OK | icon);
}

HWND Win32Ui::MessageOwner() const {
  // The dialog, hidden or not, so that the box stands over it; before it
  // exists, the window that stands for the program on the task bar.
  if (dialog_ && IsWindow(dialog_)) return dialog_;
  if (application_ && IsWindow(application_)) return application_;
  return nullptr;
}

void Win32Ui::ShowNotice(const std::vector<std::string>& lines) {
  if (noticePane_) SetNoticeText(noticePane_, JoinLines(lines));
}

void Win32Ui::ShowChainWords(const std::string& caption,
                             const std::vector<std::string>& helpMemo) {
  if (dialog_) SetWindowTextW(dialog_, SjisToWide(caption).c_str());
  memoLines_ = helpMemo;
  // Sized anew for these lines, as the dialog was for the first ones.
  if (helpMemo_) FitHelpMemo();
}

}  // namespace win32
