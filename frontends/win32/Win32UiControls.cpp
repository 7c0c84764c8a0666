// The dialog's controls, each created at its place in its font.
#include "Win32Ui.h"

#include <commctrl.h>
#include <imm.h>

#include <stdexcept>

#include "ByteLimitedEdit.h"
#include "CodePage932.h"
#include "ControlHook.h"
#include "NoticePane.h"
#include "Win32UiShared.h"
#include "dialog/DialogModel.h"

namespace win32 {

namespace {

// The help memo is read-only: it keeps the arrow keys for scrolling and
// leaves Enter, Esc and Tab to the dialog, so that they press OK, press
// Cancel and move on there as everywhere else.
LRESULT CALLBACK HelpMemoProc(HWND memo, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallUnhooked(memo, message, wParam, lParam);
  if (message == WM_GETDLGCODE)
    return result & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  return result;
}

}  // namespace

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
  HookControl(helpMemo_, HelpMemoProc);
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
      listFieldHeight_ = FitClosedListHeight(
          window, ScaleToDpi(SettingPlaceOf(id).Rect.Height, dpi_), listFieldHeight_);
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

}  // namespace win32
