// The dialog's window: its creation, its window procedure and the event loop.
#include "Win32Ui.h"

#include <stdexcept>
#include <vector>

#include "ApplicationWindow.h"
#include "CodePage932.h"
#include "Win32UiShared.h"
#include "WindowDpi.h"
#include "dialog/DialogModel.h"

namespace win32 {

namespace {

// The context-code bit of a key message: Alt was held.
constexpr LPARAM kAltDown = LPARAM{1} << 29;

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

}  // namespace

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
      // The memo's and the notice pane's growth are taken as they are now,
      // grown by the scale; the layout at the new scale measures them again.
      const int dpi = static_cast<int>(wParam);
      const int growth = ScaleToDpi(memoGrowth_ * kBaseDpi / dpi_, dpi);
      const int noticeGrowth = ScaleToDpi(noticeGrowth_ * kBaseDpi / dpi_, dpi);
      *reinterpret_cast<SIZE*>(lParam) = WindowSizeForClient(
          dialog_, ClientWidth(dpi, growth), ClientHeight(dpi, noticeGrowth), dpi);
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
  SetWindowTextW(dialog_, SjisToWide(caption_).c_str());
  SendMessageW(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
  SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

}  // namespace win32
