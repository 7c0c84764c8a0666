// The user-interface operations of the program's logic carried out on the
// dialog's controls.
#include "Win32Ui.h"

#include <stdexcept>

#include "CodePage932.h"
#include "MessageBoxOver.h"
#include "NoticePane.h"
#include "Win32UiShared.h"
#include "dialog/DialogModel.h"
#include "resources/ResourceIds.h"

namespace win32 {

namespace {

// A button that is already as it should be is left alone: checking an
// automatic radio button makes it walk its group to clear the others, one
// request to the Wine server per window it passes.
void SetChecked(HWND button, bool checked) {
  const LRESULT check = checked ? BST_CHECKED : BST_UNCHECKED;
  if (SendMessageW(button, BM_GETCHECK, 0, 0) != check)
    SendMessageW(button, BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

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
  if (SendMessageW(window, CB_GETCURSEL, 0, 0) != selection)
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

int Win32Ui::ListSelected(Control list) {
  RequireKind(list, ControlKind::List);
  const LRESULT selection = SendMessageW(ControlWindow(list), CB_GETCURSEL, 0, 0);
  return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

void Win32Ui::SetText(Control field, const std::string& text) {
  RequireKind(field, ControlKind::Text);
  // A field that already shows the text keeps it: setting it again would
  // redraw it and tell the dialog of a change that is none.
  const std::wstring wide = SjisToWide(text);
  HWND window = ControlWindow(field);
  if (WindowText(window) != wide) SetWindowTextW(window, wide.c_str());
}

std::string Win32Ui::GetText(Control field) {
  RequireKind(field, ControlKind::Text);
  return WideToSjis(WindowText(ControlWindow(field)));
}

void Win32Ui::RadioSelect(Control group, int index) {
  RequireKind(group, ControlKind::Radio);
  RadioGroupWindows& radios = Radios(group);
  index = RadioButtonFor(index, kRadioButtons);
  for (int i = 0; i < kRadioButtons; ++i) {
    HWND button = radios.Buttons[static_cast<std::size_t>(i)];
    SetChecked(button, i == index);
    // Tab enters the group at its selected button.
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    const LONG_PTR wanted =
        i == index ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    if (wanted != style) SetWindowLongPtrW(button, GWL_STYLE, wanted);
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
  SetChecked(ControlWindow(box), checked);
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
  if (!noticePane_) return;
  SetNoticeText(noticePane_, JoinLines(lines));
  FitNoticePane();
}

void Win32Ui::ShowChainWords(const std::string& caption,
                             const std::vector<std::string>& helpMemo) {
  // What the dialog shows already is not set again: the memo's lines would
  // be measured, and the memo and the dialog laid out, once more.
  if (caption != caption_) {
    caption_ = caption;
    if (dialog_) SetWindowTextW(dialog_, SjisToWide(caption).c_str());
  }
  if (helpMemo == memoLines_) return;
  memoLines_ = helpMemo;
  // Sized anew for these lines, as the dialog was for the first ones.
  if (helpMemo_) FitHelpMemo();
}

}  // namespace win32
