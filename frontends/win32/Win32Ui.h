#pragma once
// The settings dialog as a Windows window: the user-interface operations of
// the program's logic carried out on real controls. It decides nothing: the
// four events (show, OK, Cancel, close) go to the handlers it is given.
#include <windows.h>

#include <array>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "DialogLayout.h"
#include "dialog/Controls.h"
#include "dialog/UserInterface.h"
#include "dialog/UserTexts.h"

namespace win32 {

struct DialogEvents {
  std::function<void()> Show;    // before the window appears
  std::function<void()> Ok;      // OK button, Enter, Alt+Y
  std::function<void()> Cancel;  // Cancel button, Esc, Alt+N
  std::function<void()> Close;   // once, on every close
  // The user changed a setting control: text edited, list entry chosen,
  // radio button or check box clicked.
  std::function<void()> Change = {};
};

class Win32Ui final : public UserInterface {
 public:
  explicit Win32Ui(HINSTANCE instance);
  ~Win32Ui() override;
  Win32Ui(const Win32Ui&) = delete;
  Win32Ui& operator=(const Win32Ui&) = delete;

  // Creates the application window and the dialog, hidden, with every
  // control at its initial value. Throws when the system refuses a window.
  void Create(DialogEvents events);
  // Runs the show event, shows the dialog (unless it was closed meanwhile)
  // and runs the event loop until the dialog closes. Returns the exit code.
  // An exception from an event ends the loop and comes out of here.
  int Run();
  // Shows the dialog with the focus on the first control.
  void ShowDialog();
  // Gives the dialog a keyboard message first (Tab, Enter, Esc, Alt keys,
  // Alt+F4). True when the dialog has handled it.
  bool PreTranslate(MSG& message);
  bool Closed() const { return closed_; }

  HWND ApplicationWindow() const { return application_; }
  HWND DialogWindow() const { return dialog_; }
  HWND ControlWindow(Control control) const;
  HWND RadioButton(Control group, int index) const;
  HWND OkButton() const { return okButton_; }
  HWND CancelButton() const { return cancelButton_; }
  HWND HelpMemo() const { return helpMemo_; }
  HWND StatusStrip() const { return statusStrip_; }
  HWND NoticePane() const { return noticePane_; }
  // The window a message box stands over: the dialog while it exists.
  HWND MessageOwner() const;
  // The scale the dialog is laid out for, in dots per inch (96: as drawn).
  int Dpi() const { return dpi_; }
  // How much wider than drawn the help memo is, and the dialog with it, in
  // pixels at that scale.
  int HelpMemoGrowth() const { return memoGrowth_; }
  // How much taller than drawn the notice pane is, and the dialog with it,
  // in pixels at that scale.
  int NoticePaneGrowth() const { return noticeGrowth_; }

  // UserInterface
  void CloseDialog() override;
  void SetWindowPosition(int left, int top) override;
  void GetWindowPosition(int& left, int& top) override;
  void ListClear(Control list) override;
  void ListAdd(Control list, const std::string& entry) override;
  void ListSelect(Control list, int index) override;
  int ListSelected(Control list) override;
  void SetText(Control field, const std::string& text) override;
  std::string GetText(Control field) override;
  void RadioSelect(Control group, int index) override;
  int RadioSelected(Control group) override;
  void CheckSet(Control box, bool checked) override;
  bool CheckGet(Control box) override;
  void Focus(Control control) override;
  void SetStatusText(const std::string& text) override;
  void ShowMessage(const std::string& text, MessageKind kind) override;
  void ShowNotice(const std::vector<std::string>& lines) override;
  void ShowChainWords(const std::string& caption,
                      const std::vector<std::string>& helpMemo) override;

 private:
  static constexpr int kRadioButtons = 2;
  struct RadioGroupWindows {
    HWND Frame = nullptr;
    std::array<HWND, kRadioButtons> Buttons{};
  };

  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
  HBRUSH ColourFor(HWND control, HDC dc);
  void CreateControls();
  void CreateSettingControl(Control id);
  void CreateRadioGroup(Control id);
  void CreateLabels();
  // A control at its place (pixels of the dialog's scale) in its font (the
  // dialog font unless given).
  HWND AddChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle,
                int id, const PixelRect& place, HFONT font = nullptr);
  void SetCaptionAndIcons();
  // The window as large as its client area at the dialog's scale.
  void SizeWindowToClient();
  // Moves the window (never shrinks it) until it lies inside the work area
  // of the monitor that holds `anchor`.
  void KeepInsideWorkArea(POINT anchor);
  // Fonts at the dialog's scale; the previous ones are handed back for the
  // caller to delete once no control uses them.
  std::array<HFONT, 2> CreateFonts();
  // Where each control goes at the dialog's scale.
  PixelRect SettingRect(Control id) const;
  PixelRect RadioRect(Control group, int index) const;
  PixelRect GrownRect(GrowingControl control) const;
  PixelRect LabelRect(const LabelPlace& label, SIZE text) const;
  // Sizes the help memo to its longest line in its font (and the dialog
  // with it) and gives it its rows.
  void FitHelpMemo();
  // Makes the notice pane (and the dialog with it) tall enough for every
  // row of its notice, and of every notice shown before it.
  void FitNoticePane();
  // Puts every control at its place and gives it its font, at the dialog's
  // scale.
  void LayOut();
  // The window moved to a monitor of another scale: the dialog takes the
  // frame the system suggests and lays itself out again, with new fonts.
  void ChangeDpi(int dpi, const RECT& suggested);
  RadioGroupWindows& Radios(Control group);
  const RadioGroupWindows& Radios(Control group) const;
  void ThrowPendingFailure();

  HINSTANCE instance_;
  DialogEvents events_;
  HWND application_ = nullptr;
  HWND dialog_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  RadioGroupWindows zeroDisplay_;
  RadioGroupWindows valueUnit_;
  HWND okButton_ = nullptr;
  HWND cancelButton_ = nullptr;
  HWND helpMemo_ = nullptr;
  HWND statusStrip_ = nullptr;
  HWND noticePane_ = nullptr;
  std::vector<HWND> labels_;  // in the order of LabelPlaces()
  int dpi_ = 96;
  int memoGrowth_ = 0;  // pixels the help memo is wider than drawn (FitHelpMemo)
  int noticeRows_ = 0;    // the most rows a notice has needed (FitNoticePane)
  int noticeGrowth_ = 0;  // pixels the notice pane is taller than drawn
  // The help memo's lines, for the kind of chain the run continues
  // (ShowChainWords); the vertical chain's until the run says otherwise.
  std::vector<std::string> memoLines_ = HelpMemoLines();
  std::string caption_ = DialogTexts::Caption;  // the caption the dialog shows
  int lineHeight_ = 0;  // of the dialog font
  int listFieldHeight_ = 0;  // the lists' selection field that fits (FitClosedListHeight)
  HFONT font_ = nullptr;
  HFONT smallFont_ = nullptr;
  HBRUSH windowBrush_ = nullptr;
  HBRUSH statusBrush_ = nullptr;
  HBRUSH memoBrush_ = nullptr;
  HICON largeIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  bool closed_ = false;
  // An exception from inside the dialog's window procedure. It must not
  // unwind through the system's frames that called the procedure, so it
  // waits here until the call into the system returns (Create, the event
  // loop), and is thrown again there.
  std::exception_ptr failure_;
};

}  // namespace win32
