// The settings dialog as Windows draws it: layout, tab order, the interface
// operations on real controls, typing limits and the keys that press OK and
// Cancel. Runs under Wine in a virtual display, in a locale whose ANSI code
// page is not 932, so that every Japanese text proves the explicit code page.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "CodePage932.h"
#include "DialogLayout.h"
#include "NoticePane.h"
#include "PhraseRows.h"
#include "Win32Ui.h"
#include "app/ProgramRun.h"
#include "dialog/DialogModel.h"
#include "dialog/UserTexts.h"
#include "files/MemoryFileSystem.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

using testing_support::Utf8ToSjis;
using win32::PixelRect;
using win32::ScaleToDpi;
using win32::SjisToWide;
using win32::Win32Ui;

namespace {

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

PixelRect ClientRectOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string Utf8Of(const std::wstring& text) {
  std::string utf8(text.size() * 3, '\0');
  utf8.resize(static_cast<std::size_t>(WideCharToMultiByte(
      CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
      static_cast<int>(utf8.size()), nullptr, nullptr)));
  return utf8;
}

std::wstring WindowTextOf(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return buffer;
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

class DialogTest : public testing::Test {
 protected:
  void SetUp() override { Open(); }
  void TearDown() override { Dispose(); }

  void Open() {
    events_.clear();
    ui_ = std::make_unique<Win32Ui>(GetModuleHandleW(nullptr));
    ui_->Create({[this] { events_.push_back("show"); }, [this] { events_.push_back("ok"); },
                 [this] { events_.push_back("cancel"); },
                 [this] { events_.push_back("close"); }});
    ui_->ShowDialog();
    PumpMessages();
  }
  void Dispose() {
    ui_.reset();
    PumpMessages();
    MSG quit;  // a close leaves the end of the event loop behind
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  // A new dialog, for a test that closes the one it had.
  void Reopen() {
    Dispose();
    Open();
  }

  HWND Window(Control id) const { return ui_->ControlWindow(id); }

  // Passes a key message through the dialog as the event loop does.
  void Key(HWND target, UINT message, WPARAM key, LPARAM flags = 0) {
    MSG msg{};
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = key;
    msg.lParam = flags;
    if (!ui_->PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    PumpMessages();
  }

  void Type(HWND edit, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
  }

  std::unique_ptr<Win32Ui> ui_;
  std::vector<std::string> events_;
};

TEST_F(DialogTest, WindowHasItsCaptionSizeFrameAndPosition) {
  HWND dialog = ui_->DialogWindow();
  EXPECT_EQ(WindowTextOf(dialog), L"Orvane");
  // The scale the dialog is laid out for is the screen's (the test's Wine
  // session sets it).
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(ui_->Dpi(), GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  wchar_t asked[8] = {};
  if (GetEnvironmentVariableW(L"ORVANE_WINE_DPI", asked, 8) > 0) {
    EXPECT_EQ(ui_->Dpi(), _wtoi(asked));
  }
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, ScaleToDpi(492, ui_->Dpi()) + ui_->HelpMemoGrowth());
  EXPECT_EQ(client.bottom, ScaleToDpi(436, ui_->Dpi()));
  RECT frame;
  GetWindowRect(dialog, &frame);
  EXPECT_EQ(frame.left, 194);
  EXPECT_EQ(frame.top, 107);
  const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_BORDER);

  // The task bar shows the application window, which owns the dialog.
  EXPECT_EQ(WindowTextOf(ui_->ApplicationWindow()), L"vk47_Orvane");
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), ui_->ApplicationWindow());
  EXPECT_TRUE(IsWindowVisible(dialog));
}

// Every control stands at its place grown by the dialog's scale (96 dots per
// inch: as drawn), and none covers another, but a radio button its frame.
void ExpectLayoutAtItsScale(const Win32Ui& ui) {
  const int dpi = ui.Dpi();
  SCOPED_TRACE(std::to_string(dpi) + " dpi");
  for (const win32::SettingPlace& place : win32::SettingPlaces()) {
    SCOPED_TRACE(ControlName(place.Id));
    const PixelRect actual = ClientRectOf(ui.ControlWindow(place.Id));
    const PixelRect expected = ScaleToDpi(place.Rect, dpi);
    EXPECT_EQ(actual.Left, expected.Left);
    EXPECT_EQ(actual.Top, expected.Top);
    EXPECT_EQ(actual.Width, expected.Width);
    EXPECT_EQ(actual.Height, expected.Height);
  }
  // The memo, the strip and the pane are as much wider as the memo's lines
  // need (up to a quarter of the memo's width); the buttons move with the
  // memo's right edge.
  const int growth = ui.HelpMemoGrowth();
  EXPECT_GE(growth, 0);
  EXPECT_LE(growth, ScaleToDpi(177, dpi) / 4);
  const struct {
    HWND Window;
    PixelRect Expected;
    int Moved;
    int Widened;
    int Heightened = 0;
  } fixed[] = {{ui.OkButton(), {360, 264, 121, 33}, growth, 0},
               {ui.CancelButton(), {360, 312, 121, 33}, growth, 0},
               {ui.HelpMemo(), {312, 0, 177, 225}, 0, growth},
               {ui.StatusStrip(), {0, 347, 492, 24}, 0, growth},
               // Taller by the rows a notice lacked.
               {ui.NoticePane(), {0, 371, 492, 65}, 0, growth, ui.NoticePaneGrowth()}};
  for (const auto& item : fixed) {
    const PixelRect actual = ClientRectOf(item.Window);
    PixelRect expected = ScaleToDpi(item.Expected, dpi);
    expected.Left += item.Moved;
    expected.Width += item.Widened;
    expected.Height += item.Heightened;
    EXPECT_EQ(actual.Left, expected.Left);
    EXPECT_EQ(actual.Top, expected.Top);
    EXPECT_EQ(actual.Width, expected.Width);
    EXPECT_EQ(actual.Height, expected.Height);
  }
  std::vector<HWND> controls;
  for (HWND child = GetWindow(ui.DialogWindow(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT))
    controls.push_back(child);
  auto isFrameOf = [&ui](HWND frame, HWND button) {
    for (Control group : {Control::ZeroDisplay, Control::ValueUnit})
      if (frame == ui.ControlWindow(group))
        for (int i = 0; i < 2; ++i)
          if (button == ui.RadioButton(group, i)) return true;
    return false;
  };
  for (std::size_t i = 0; i < controls.size(); ++i)
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (isFrameOf(controls[i], controls[j]) || isFrameOf(controls[j], controls[i])) continue;
      const PixelRect a = ClientRectOf(controls[i]);
      const PixelRect b = ClientRectOf(controls[j]);
      EXPECT_FALSE(a.Left < b.Left + b.Width && b.Left < a.Left + a.Width &&
                   a.Top < b.Top + b.Height && b.Top < a.Top + a.Height)
          << Utf8Of(WindowTextOf(controls[i])).substr(0, 30) << " covers "
          << Utf8Of(WindowTextOf(controls[j])).substr(0, 30);
    }
}

TEST_F(DialogTest, ControlsStandWhereTheLayoutPutsThem) {
  ExpectLayoutAtItsScale(*ui_);
  EXPECT_EQ(WindowTextOf(ui_->OkButton()), L"ＯＫ(&Y)");
  EXPECT_EQ(WindowTextOf(ui_->CancelButton()), L"キャンセル(&N)");
  EXPECT_EQ(WindowTextOf(Window(Control::ThousandsCommas)), L"３桁毎カンマ付加");
  EXPECT_EQ(WindowTextOf(Window(Control::ZeroDisplay)), L"小数点以下の０表示");
  EXPECT_EQ(WindowTextOf(ui_->RadioButton(Control::ValueUnit, 1)), L"ｍ");
  // Radio buttons stand inside their frame.
  for (Control group : {Control::ZeroDisplay, Control::ValueUnit})
    for (int i = 0; i < 2; ++i) {
      const PixelRect frame = ClientRectOf(Window(group));
      const PixelRect button = ClientRectOf(ui_->RadioButton(group, i));
      EXPECT_GT(button.Left, frame.Left);
      EXPECT_GT(button.Top, frame.Top);
      EXPECT_LE(button.Left + button.Width, frame.Left + frame.Width);
      EXPECT_LE(button.Top + button.Height, frame.Top + frame.Height);
    }
}

TEST_F(DialogTest, LabelsStandLeftOfTheirControls) {
  // Every label of the layout exists with its text at its place.
  std::vector<std::wstring> found;
  for (HWND child = GetWindow(ui_->DialogWindow(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, L"Static") != 0 || child == ui_->StatusStrip()) continue;
    const PixelRect r = ClientRectOf(child);
    found.push_back(WindowTextOf(child) + L"@" + std::to_wstring(r.Left) + L"," +
                    std::to_wstring(r.Top));
  }
  ASSERT_EQ(found.size(), win32::LabelPlaces().size());
  for (const win32::LabelPlace& label : win32::LabelPlaces()) {
    const std::wstring key = SjisToWide(label.Text) + L"@" +
                             std::to_wstring(ScaleToDpi(label.Left, ui_->Dpi())) + L"," +
                             std::to_wstring(ScaleToDpi(label.Top, ui_->Dpi()));
    EXPECT_NE(std::find(found.begin(), found.end(), key), found.end()) << Utf8Of(key);
  }
}

TEST_F(DialogTest, LabelsFitTheirTextAndCoverNoOtherControl) {
  struct Child {
    HWND Window;
    PixelRect Rect;
    bool Label;
  };
  std::vector<Child> children;
  for (HWND child = GetWindow(ui_->DialogWindow(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    const bool label = lstrcmpiW(className, L"Static") == 0 && child != ui_->StatusStrip();
    children.push_back({child, ClientRectOf(child), label});
  }
  const auto overlap = [](const PixelRect& a, const PixelRect& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
  };
  int labels = 0;
  for (const Child& label : children) {
    if (!label.Label) continue;
    ++labels;
    const std::wstring text = WindowTextOf(label.Window);
    SCOPED_TRACE(Utf8Of(text));
    // The text's extent in the label's own font.
    HDC dc = GetDC(label.Window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label.Window, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(label.Window, dc);
    EXPECT_EQ(label.Rect.Height, extent.cy);
    EXPECT_LE(label.Rect.Width, extent.cx);
    bool cutAtNeighbour = false;
    for (const Child& other : children) {
      if (other.Window == label.Window) continue;
      EXPECT_FALSE(overlap(label.Rect, other.Rect))
          << "covers " << Utf8Of(WindowTextOf(other.Window)).substr(0, 30) << " at "
          << other.Rect.Left << "," << other.Rect.Top;
      if (other.Rect.Left == label.Rect.Left + label.Rect.Width) cutAtNeighbour = true;
    }
    // Narrower than its text only where a control stops it, and then the
    // text is cut, not wrapped onto a second line that the label cannot show.
    if (label.Rect.Width < extent.cx) {
      EXPECT_TRUE(cutAtNeighbour);
      EXPECT_EQ(GetWindowLongPtrW(label.Window, GWL_STYLE) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
    }
  }
  EXPECT_EQ(labels, static_cast<int>(win32::LabelPlaces().size()));
  // The note right of the marks' scale ends at the help memo or before it.
  const PixelRect memo = ClientRectOf(ui_->HelpMemo());
  for (const Child& label : children) {
    if (label.Label && WindowTextOf(label.Window) == L"（点マーカ　線矢印を除く）") {
      EXPECT_LE(label.Rect.Left + label.Rect.Width, memo.Left);
    }
  }
}

TEST_F(DialogTest, TabWalksTheTabOrderAndWraps) {
  std::vector<HWND> expected;
  for (const ControlInfo& item : DialogControls()) {
    if (item.Kind == ControlKind::Radio)
      expected.push_back(ui_->RadioButton(item.Id, item.InitialIndex));
    else
      expected.push_back(Window(item.Id));
  }
  expected.push_back(ui_->OkButton());
  expected.push_back(ui_->CancelButton());
  ASSERT_EQ(expected.size(), 22u);

  EXPECT_EQ(GetFocus(), expected[0]);
  for (std::size_t i = 1; i <= expected.size(); ++i) {
    Key(GetFocus(), WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), expected[i % expected.size()]) << "tab stop " << i;
  }
  // A radio group is entered at its selected button.
  ui_->RadioSelect(Control::ValueUnit, 1);
  ui_->Focus(Control::Prefix);
  for (int i = 0; i < 5; ++i) Key(GetFocus(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), ui_->RadioButton(Control::ValueUnit, 1));
}

TEST_F(DialogTest, ControlsStartWithTheirInitialValues) {
  for (const ControlInfo& item : DialogControls()) {
    SCOPED_TRACE(ControlName(item.Id));
    switch (item.Kind) {
      case ControlKind::List: {
        EXPECT_EQ(ui_->ListSelected(item.Id), item.InitialIndex);
        HWND list = Window(item.Id);
        ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(item.Entries.size()));
        for (std::size_t i = 0; i < item.Entries.size(); ++i) {
          wchar_t entry[64] = {};
          SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
          EXPECT_EQ(entry, SjisToWide(item.Entries[i]));
        }
        EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & CBS_DROPDOWNLIST);
        break;
      }
      case ControlKind::Text:
        EXPECT_EQ(ui_->GetText(item.Id), item.InitialText);
        break;
      case ControlKind::Radio:
        EXPECT_EQ(ui_->RadioSelected(item.Id), item.InitialIndex);
        break;
      case ControlKind::Check:
        EXPECT_EQ(ui_->CheckGet(item.Id), item.InitialIndex > 0);
        break;
    }
  }
  EXPECT_EQ(ui_->ListSelected(Control::TextStyle), -1);
  EXPECT_EQ(WindowTextOf(ui_->StatusStrip()), L"　");
}

TEST_F(DialogTest, ListsSelectOnlyExistingEntries) {
  ui_->ListClear(Control::TextStyle);
  ui_->ListAdd(Control::TextStyle, Utf8ToSjis(testing_support::U8(u8"現在の文字種(Free)")));
  ui_->ListAdd(Control::TextStyle, "No1: W3 H3 D0.5");
  const struct {
    int Select;
    int Expected;
  } cases[] = {{1, 1}, {0, 0}, {2, -1}, {1, 1}, {-1, -1}, {11, -1}};
  for (const auto& c : cases) {
    ui_->ListSelect(Control::TextStyle, c.Select);
    EXPECT_EQ(ui_->ListSelected(Control::TextStyle), c.Expected) << "select " << c.Select;
  }
  wchar_t entry[64] = {};
  SendMessageW(Window(Control::TextStyle), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ(entry, L"現在の文字種(Free)");
  ui_->ListClear(Control::TextStyle);
  EXPECT_EQ(SendMessageW(Window(Control::TextStyle), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(ui_->ListSelected(Control::TextStyle), -1);
}

TEST_F(DialogTest, RadioGroupsAndCheckBoxesKeepTheirState) {
  const struct {
    int Select;
    int Expected;
  } cases[] = {{1, 1}, {0, 0}, {5, 1}};
  for (const auto& c : cases) {
    ui_->RadioSelect(Control::ZeroDisplay, c.Select);
    EXPECT_EQ(ui_->RadioSelected(Control::ZeroDisplay), c.Expected) << "select " << c.Select;
    EXPECT_EQ(ui_->RadioSelected(Control::ValueUnit), 0);
  }
  ui_->CheckSet(Control::FullWidth, true);
  EXPECT_TRUE(ui_->CheckGet(Control::FullWidth));
  EXPECT_FALSE(ui_->CheckGet(Control::AsDimensionFigure));
  ui_->CheckSet(Control::FullWidth, false);
  EXPECT_FALSE(ui_->CheckGet(Control::FullWidth));
  // The user's click moves the selection.
  SendMessageW(ui_->RadioButton(Control::ValueUnit, 1), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ(ui_->RadioSelected(Control::ValueUnit), 1);
}

TEST_F(DialogTest, TextsTravelAsShiftJis) {
  const std::string texts[] = {Utf8ToSjis(testing_support::U8(u8"Ｌ＝")), Utf8ToSjis(testing_support::U8(u8"～－￥ｱｲｳ表示")), "12.5", ""};
  for (const std::string& text : texts) {
    ui_->SetText(Control::Prefix, text);
    EXPECT_EQ(ui_->GetText(Control::Prefix), text);
  }
  ui_->SetText(Control::Suffix, Utf8ToSjis(testing_support::U8(u8"寸法")));
  EXPECT_EQ(WindowTextOf(Window(Control::Suffix)), L"寸法");
  // What code page 932 cannot hold reaches the program as a look-alike or "?".
  SetWindowTextW(Window(Control::Suffix), L"a\u00e9\ud55c");
  EXPECT_EQ(ui_->GetText(Control::Suffix), "ae?");
}

TEST_F(DialogTest, TypingStopsAtTheByteLimit) {
  HWND prefix = Window(Control::Prefix);  // 32 bytes
  Type(prefix, std::wstring(40, L'a'));
  EXPECT_EQ(ui_->GetText(Control::Prefix), std::string(32, 'a'));

  ui_->SetText(Control::Prefix, "");
  Type(prefix, std::wstring(20, L'寸'));  // two bytes each
  EXPECT_EQ(WindowTextOf(prefix), std::wstring(16, L'寸'));

  // 31 bytes leave no room for a full-width character, but for a half-width one.
  ui_->SetText(Control::Prefix, std::string(31, 'b'));
  SendMessageW(prefix, EM_SETSEL, 31, 31);
  Type(prefix, L"寸");
  EXPECT_EQ(ui_->GetText(Control::Prefix), std::string(31, 'b'));
  Type(prefix, L"c");
  EXPECT_EQ(ui_->GetText(Control::Prefix), std::string(31, 'b') + "c");

  // Typing over a selection frees its bytes first.
  SendMessageW(prefix, EM_SETSEL, 0, 2);
  Type(prefix, L"寸");
  EXPECT_EQ(WindowTextOf(prefix), L"寸" + std::wstring(29, L'b') + L"c");

  // A field of 8 bytes (the arrow angle).
  ui_->SetText(Control::ArrowAngle, "");
  Type(Window(Control::ArrowAngle), L"123456789");
  EXPECT_EQ(ui_->GetText(Control::ArrowAngle), "12345678");

  // Backspace still works at the limit.
  Type(Window(Control::ArrowAngle), L"\b");
  EXPECT_EQ(ui_->GetText(Control::ArrowAngle), "1234567");
}

TEST_F(DialogTest, PastingKeepsWhatFits) {
  HWND suffix = Window(Control::Suffix);
  ui_->SetText(Control::Suffix, "");
  PutOnClipboard(ui_->DialogWindow(), L"寸法値の後ろに付ける長い文字列です\r\n二行目");

  SendMessageW(suffix, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowTextOf(suffix), L"寸法値の後ろに付ける長い文字列で");  // 16 characters, 32 bytes
  SendMessageW(suffix, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowTextOf(suffix), L"寸法値の後ろに付ける長い文字列で");
}

TEST_F(DialogTest, FieldsTakeOnlyWhatShiftJisHolds) {
  HWND prefix = Window(Control::Prefix);
  ui_->SetText(Control::Prefix, "");
  // Typed: the euro sign and an emoji (two messages, one per half) are
  // refused; what comes after them is typed on.
  Type(prefix, L"a\u20acb\U0001F600c\u00e9d");
  EXPECT_EQ(WindowTextOf(prefix), L"abcd");
  // Pasted: the text up to the first character that Shift-JIS lacks.
  PutOnClipboard(ui_->DialogWindow(), L"寸法\u20ac値");
  SendMessageW(prefix, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowTextOf(prefix), L"abcd寸法");
  PutOnClipboard(ui_->DialogWindow(), L"\U0001F600");
  SendMessageW(prefix, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowTextOf(prefix), L"abcd寸法");
  // What the user sees is what the program reads.
  EXPECT_EQ(ui_->GetText(Control::Prefix), Utf8ToSjis(testing_support::U8(u8"abcd寸法")));
}

TEST_F(DialogTest, ProgramTextIsNeverCut) {
  const std::string longText(40, '7');
  ui_->SetText(Control::Prefix, longText);
  EXPECT_EQ(ui_->GetText(Control::Prefix), longText);
  ui_->SetText(Control::ArrowLength, "1234567890");
  EXPECT_EQ(ui_->GetText(Control::ArrowLength), "1234567890");
  // But the user cannot make it longer.
  SendMessageW(Window(Control::ArrowLength), EM_SETSEL, 10, 10);
  Type(Window(Control::ArrowLength), L"1");
  EXPECT_EQ(ui_->GetText(Control::ArrowLength), "1234567890");
}

TEST_F(DialogTest, InputMethodIsOffWhereTheModelSaysSo) {
  for (const ControlInfo& item : DialogControls()) {
    if (item.Kind == ControlKind::Radio || item.Kind == ControlKind::Check) continue;
    SCOPED_TRACE(ControlName(item.Id));
    HIMC context = ImmGetContext(Window(item.Id));
    EXPECT_EQ(context == nullptr, item.NoIme);
    if (context) ImmReleaseContext(Window(item.Id), context);
  }
}

TEST_F(DialogTest, KeysPressOkAndCancel) {
  const struct {
    const char* Name;
    UINT Message;
    WPARAM Key;
    LPARAM Flags;
    const char* Event;
  } cases[] = {
      {"Enter", WM_KEYDOWN, VK_RETURN, 0, "ok"},
      {"Esc", WM_KEYDOWN, VK_ESCAPE, 0, "cancel"},
      {"Alt+Y", WM_SYSCHAR, 'y', 1 << 29, "ok"},
      {"Alt+N", WM_SYSCHAR, 'n', 1 << 29, "cancel"},
  };
  for (Control where : {Control::Prefix, Control::Precision, Control::AppendUnit, Control::ReverseArrowOvershoot}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + " in " + ControlName(where));
      ui_->Focus(where);
      events_.clear();
      Key(GetFocus(), c.Message, c.Key, c.Flags);
      EXPECT_EQ(events_, std::vector<std::string>{c.Event});
    }
  }
}

TEST_F(DialogTest, AltF4ClosesFromEveryControl) {
  constexpr LPARAM kAlt = LPARAM{1} << 29;
  const struct {
    const char* Name;
    HWND (*Target)(const Win32Ui&);
    bool OpenListFirst;
  } cases[] = {
      {"first list, as at start", [](const Win32Ui& ui) { return ui.ControlWindow(Control::StartMark); }, false},
      {"open list", [](const Win32Ui& ui) { return ui.ControlWindow(Control::Precision); }, true},
      {"text field", [](const Win32Ui& ui) { return ui.ControlWindow(Control::Prefix); }, false},
      {"check box", [](const Win32Ui& ui) { return ui.ControlWindow(Control::AppendUnit); }, false},
      {"radio button", [](const Win32Ui& ui) { return ui.RadioButton(Control::ZeroDisplay, 0); }, false},
      {"OK button", [](const Win32Ui& ui) { return ui.OkButton(); }, false},
      {"help memo", [](const Win32Ui& ui) { return ui.HelpMemo(); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Reopen();
    HWND target = c.Target(*ui_);
    SendMessageW(ui_->DialogWindow(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    ASSERT_EQ(GetFocus(), target);
    if (c.OpenListFirst) {
      // F4 alone opens the list and closes nothing.
      Key(target, WM_KEYDOWN, VK_F4);
      ASSERT_TRUE(SendMessageW(target, CB_GETDROPPEDSTATE, 0, 0));
      EXPECT_TRUE(events_.empty());
    }
    Key(GetFocus(), WM_SYSKEYDOWN, VK_F4, kAlt);
    EXPECT_EQ(events_, std::vector<std::string>{"close"});  // close only: no OK, no Cancel
    EXPECT_TRUE(ui_->Closed());
  }
}

TEST_F(DialogTest, KeysWorkInTheHelpMemoToo) {
  // The memo is no tab stop, but a click puts the focus there.
  SendMessageW(ui_->DialogWindow(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ui_->HelpMemo()), TRUE);
  ASSERT_EQ(GetFocus(), ui_->HelpMemo());
  Key(GetFocus(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(events_, std::vector<std::string>{"ok"});
  events_.clear();
  Key(GetFocus(), WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(events_, std::vector<std::string>{"cancel"});
  events_.clear();
  Key(GetFocus(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), Window(Control::StartMark));  // the tab order starts again
}

TEST_F(DialogTest, ClosingRunsTheCloseEventOnce) {
  SendMessageW(ui_->DialogWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(events_, std::vector<std::string>{"close"});
  EXPECT_TRUE(ui_->Closed());
  EXPECT_EQ(ui_->DialogWindow(), nullptr);
  ui_->CloseDialog();
  EXPECT_EQ(events_, std::vector<std::string>{"close"});
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(DialogTest, RunShowsTheDialogOnlyWhenShowDidNotClose) {
  Win32Ui refused(GetModuleHandleW(nullptr));
  std::vector<std::string> seen;
  refused.Create({[&] {
                    seen.push_back("show");
                    refused.CloseDialog();
                  },
                  [&] { seen.push_back("ok"); }, [&] { seen.push_back("cancel"); },
                  [&] { seen.push_back("close"); }});
  EXPECT_EQ(refused.Run(), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"show", "close"}));
}

TEST_F(DialogTest, AnExceptionFromAnEventEndsTheRun) {
  // OK runs inside the dialog's window procedure; what it throws leaves the
  // event loop, and nothing else runs after it.
  Win32Ui broken(GetModuleHandleW(nullptr));
  std::vector<std::string> seen;
  broken.Create({[&] {
                   seen.push_back("show");
                   PostMessageW(broken.DialogWindow(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                reinterpret_cast<LPARAM>(broken.OkButton()));
                 },
                 [&] {
                   seen.push_back("ok");
                   throw std::runtime_error("the OK action broke");
                 },
                 [&] { seen.push_back("cancel"); }, [&] { seen.push_back("close"); }});
  try {
    broken.Run();
    ADD_FAILURE() << "Run ended without the exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "the OK action broke");
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"show", "ok"}));
}

TEST_F(DialogTest, MessagesStandOverTheDialogAndWaitForTheUser) {
  // A message box shows over the dialog and waits until its button is
  // pressed: while the dialog is open, and after a close has already asked
  // the event loop to end (the answer's message at close), whose end it
  // must keep for afterwards.
  const struct {
    const char* Name;
    bool Closing;
  } cases[] = {{"dialog open", false}, {"the loop asked to end", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND owner = nullptr;
    bool pressed = false;
    std::atomic<bool> done{false};
    std::thread user([&] {
      for (int waited = 0; waited < 500 && !done; ++waited) {
        HWND box = FindWindowW(L"#32770", L"確認");
        if (box && IsWindowVisible(box)) {
          owner = GetWindow(box, GW_OWNER);
          // The user takes a moment to read it: it is still there.
          Sleep(300);
          pressed = IsWindow(box) && IsWindowVisible(box);
          PostMessageW(box, WM_COMMAND, IDOK, 0);
          return;
        }
        Sleep(20);
      }
    });
    if (c.Closing) PostQuitMessage(3);
    ui_->ShowMessage(Utf8ToSjis(testing_support::U8(u8"確認の文")),
                     c.Closing ? MessageKind::Warning : MessageKind::Confirmation);
    done = true;
    user.join();
    EXPECT_TRUE(pressed) << "the box ended before the user saw it";
    EXPECT_EQ(owner, ui_->DialogWindow());
    MSG quit{};
    EXPECT_EQ(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, c.Closing);
    if (c.Closing) {
      EXPECT_EQ(quit.wParam, 3u);
    }
  }
}

// The work area of the monitor nearest to a point of the screen.
RECT WorkAreaAt(int left, int top) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromPoint(POINT{left, top}, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

void ExpectInside(const RECT& window, const RECT& area) {
  EXPECT_GE(window.left, area.left);
  EXPECT_GE(window.top, area.top);
  EXPECT_LE(window.right, area.right);
  EXPECT_LE(window.bottom, area.bottom);
}

TEST_F(DialogTest, StoredPositionKeepsTheWholeWindowInsideTheWorkArea) {
  // A position where the window fits is taken as it is; any other moves the
  // window (not its size) until all of it shows; what OK stores is where the
  // user sees it. (500, 400) is the position from 96 dots per inch that put
  // the dialog's buttons off a 1280 x 1024 screen at 192.
  const struct {
    int Left, Top;
  } places[] = {{100, 100}, {0, 0}, {500, 400}, {-2000, 5000}, {30000, -400}};
  RECT size;
  GetWindowRect(ui_->DialogWindow(), &size);
  for (const auto& p : places) {
    SCOPED_TRACE(std::to_string(p.Left) + ", " + std::to_string(p.Top));
    ui_->SetWindowPosition(p.Left, p.Top);
    RECT seen;
    GetWindowRect(ui_->DialogWindow(), &seen);
    EXPECT_EQ(seen.right - seen.left, size.right - size.left);
    EXPECT_EQ(seen.bottom - seen.top, size.bottom - size.top);
    const RECT area = WorkAreaAt(p.Left, p.Top);
    ExpectInside(seen, area);
    const bool fits = p.Left >= area.left && p.Top >= area.top &&
                      p.Left + (size.right - size.left) <= area.right &&
                      p.Top + (size.bottom - size.top) <= area.bottom;
    if (fits) {
      EXPECT_EQ(seen.left, p.Left);
      EXPECT_EQ(seen.top, p.Top);
    }
    int left = 1, top = 1;
    ui_->GetWindowPosition(left, top);
    EXPECT_EQ(left, seen.left);
    EXPECT_EQ(top, seen.top);
  }
}

TEST_F(DialogTest, FocusMovesToTheNamedControl) {
  for (Control id : {Control::ExtLineOffset, Control::EndMark, Control::ThousandsCommas}) {
    ui_->Focus(id);
    EXPECT_EQ(GetFocus(), Window(id)) << ControlName(id);
  }
  ui_->RadioSelect(Control::ZeroDisplay, 1);
  ui_->Focus(Control::ZeroDisplay);
  EXPECT_EQ(GetFocus(), ui_->RadioButton(Control::ZeroDisplay, 1));
}

TEST_F(DialogTest, StatusStripIsDrawnAtOnce) {
  ui_->SetStatusText(Utf8ToSjis(testing_support::U8(u8"処理中です")));
  EXPECT_EQ(WindowTextOf(ui_->StatusStrip()), L"処理中です");
  EXPECT_FALSE(GetUpdateRect(ui_->StatusStrip(), nullptr, FALSE));
  const LONG_PTR style = GetWindowLongPtrW(ui_->StatusStrip(), GWL_STYLE);
  EXPECT_EQ(style & SS_TYPEMASK, SS_CENTER);
  EXPECT_TRUE(style & SS_CENTERIMAGE);
}

TEST_F(DialogTest, ColoursAndFontsFollowTheLayout) {
  HDC dc = CreateCompatibleDC(nullptr);
  const struct {
    HWND Control;
    UINT Message;
    COLORREF Expected;
  } cases[] = {{ui_->StatusStrip(), WM_CTLCOLORSTATIC, RGB(231, 231, 231)},
               {ui_->HelpMemo(), WM_CTLCOLORSTATIC, RGB(187, 235, 244)},
               {Window(Control::ThousandsCommas), WM_CTLCOLORSTATIC, RGB(255, 255, 255)},
               {ui_->DialogWindow(), WM_CTLCOLORDLG, RGB(255, 255, 255)}};
  for (const auto& c : cases) {
    SetBkColor(dc, RGB(1, 2, 3));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        ui_->DialogWindow(), c.Message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c.Control)));
    LOGBRUSH info{};
    ASSERT_TRUE(GetObjectW(brush, sizeof(info), &info));
    EXPECT_EQ(info.lbColor, c.Expected);
  }
  DeleteDC(dc);

  for (HWND control : {Window(Control::Prefix), ui_->OkButton(), ui_->HelpMemo(), ui_->NoticePane()}) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ ゴシック");
    EXPECT_EQ(font.lfHeight, -ScaleToDpi(13, ui_->Dpi()));
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
  }
}

TEST_F(DialogTest, HelpMemoHoldsItsLinesReadOnly) {
  HWND memo = ui_->HelpMemo();
  // The 36 lines, as they are, whatever rows the memo wraps them into.
  std::wstring expected;
  for (std::size_t i = 0; i < HelpMemoLines().size(); ++i)
    expected += (i > 0 ? L"\r\n" : L"") + SjisToWide(HelpMemoLines()[i]);
  const int length = GetWindowTextLengthW(memo);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(memo, text.data(), length + 1)));
  EXPECT_EQ(text, expected);
  EXPECT_EQ(HelpMemoLines().size(), 36u);
  EXPECT_EQ(SjisToWide(HelpMemoLines()[15]), L"◆設定データは vk38と");
  const LONG_PTR style = GetWindowLongPtrW(memo, GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & ES_AUTOHSCROLL);  // a line wider than the memo wraps
  EXPECT_FALSE(style & WS_TABSTOP);
}

// The width of `text` in the font that `window` draws with.
int WidthInFontOf(HWND window, const std::wstring& text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return extent.cx;
}

// For either kind of chain: a horizontal run shows its own memo, and its
// caption, in the same dialog.
TEST_F(DialogTest, HelpMemoShowsEveryLineWhole) {
  for (const ChainDirection direction : {ChainDirection::Horizontal, ChainDirection::Vertical}) {
    const std::vector<std::string>& lines = HelpMemoLines(direction);
    ui_->ShowChainWords(WordsOf(direction).Caption, lines);
    EXPECT_EQ(WindowTextOf(ui_->DialogWindow()), SjisToWide(WordsOf(direction).Caption));
    // Every row the memo shows fits its text width, measured in the memo's own
    // font; the rows of each line, put together, are the line.
    HWND memo = ui_->HelpMemo();
    RECT format{};
    SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int textWidth = format.right - format.left;
    ASSERT_GT(textWidth, 0);
    const auto rows = static_cast<int>(SendMessageW(memo, EM_GETLINECOUNT, 0, 0));
    std::vector<std::wstring> shown;
    for (int row = 0; row < rows; ++row) {
      const auto start = static_cast<int>(SendMessageW(memo, EM_LINEINDEX, row, 0));
      const auto length = static_cast<int>(SendMessageW(memo, EM_LINELENGTH, start, 0));
      wchar_t buffer[128] = {};
      *reinterpret_cast<WORD*>(buffer) = 127;
      const auto copied = static_cast<int>(SendMessageW(memo, EM_GETLINE, row, reinterpret_cast<LPARAM>(buffer)));
      const std::wstring text(buffer, static_cast<std::size_t>(std::min(copied, length)));
      EXPECT_LE(WidthInFontOf(memo, text), textWidth) << "row " << row << ": " << Utf8Of(text);
      // A row that starts a line of the help text starts at a line break.
      const std::wstring all = [&] {
        std::wstring t(static_cast<std::size_t>(GetWindowTextLengthW(memo)) + 1, L'\0');
        t.resize(static_cast<std::size_t>(GetWindowTextW(memo, t.data(), static_cast<int>(t.size()))));
        return t;
      }();
      const bool startsLine = start == 0 || all.compare(static_cast<std::size_t>(start) - 2, 2, L"\r\n") == 0;
      if (startsLine || shown.empty())
        shown.push_back(text);
      else
        shown.back() += text;
    }
    ASSERT_EQ(shown.size(), lines.size());
    for (std::size_t i = 0; i < shown.size(); ++i)
      EXPECT_EQ(Utf8Of(shown[i]), Utf8Of(SjisToWide(lines[i]))) << "line " << i + 1;
    // And each line on a row of its own: the memo wraps none of them.
    EXPECT_EQ(rows, static_cast<int>(lines.size()));
  }
}

// A message as the notice pane shows it: a sentence a line.
std::vector<std::wstring> SentencesOf(const std::string& message) {
  std::vector<std::wstring> lines(1);
  for (wchar_t c : SjisToWide(message)) {
    if (lines.back().size() > 0 && lines.back().back() == L'。') lines.emplace_back();
    lines.back() += c;
  }
  return lines;
}

TEST_F(DialogTest, NoticePaneShowsEveryNoticeWholeBrokenBetweenPhrases) {
  // The longest notices: the missing picks of a new chain, a refused value,
  // the drawing notice, and the pick's refusal in both directions; each row
  // fits its width in the pane's font, the rows beside the corner text end
  // before it, a line is broken only between phrases, and all rows fit the
  // pane, which grows with the dialog where a notice needs more rows.
  HWND pane = ui_->NoticePane();
  const std::vector<std::vector<std::wstring>> notices = {
      {L"指示点が足りません（#1 計測点、#2 計測点、#3 寸法線の位置、#4 寸法値の位置）。",
       L"新しい垂直寸法は作図出来ません。"},
      {L"「逆矢印の寸法はみだし距離」の値では作図出来ません。"},
      {L"上へ延長　長さ 123456789.123456", L"寸法値「Ｌ＝１２３，４５６，７８９．１２３４５６ｍｍ」"},
      // Four rows: the third, as wide as the rows above it, is not broken
      // for the corner text, which stands beside the fourth only.
      {L"指示点が足りません。", L"寸法値「500」",
       L"寸法値の前後には寸法値と水平線との距離と同じ長さの余白を取ります。", L"作図出来ません。"},
      SentencesOf(NoDimensionLineAmongMessage(12, 3, 4, ChainDirection::Vertical)),
      SentencesOf(NoDimensionLineAmongMessage(12, 3, 4, ChainDirection::Horizontal)),
      // More rows than the pane holds as drawn: it grows by the rows lacking.
      {L"指示点が足りません。", L"寸法値「500」",
       L"寸法値の前後には寸法値と水平線との距離と同じ長さの余白を取ります。", L"作図出来ません。",
       L"上へ延長　長さ 500", L"寸法値「500」"},
  };
  for (const auto& lines : notices) {
    std::vector<std::string> sjis;
    for (const std::wstring& line : lines) sjis.push_back(win32::WideToSjis(line));
    SCOPED_TRACE(Utf8Of(lines.front()));
    ui_->ShowNotice(sjis);
    PumpMessages();
    const win32::NoticeLayout layout = win32::LayOutNotice(pane);
    // The pane reaches to the bottom of the dialog, grown as much as it.
    RECT client;
    GetClientRect(ui_->DialogWindow(), &client);
    const PixelRect place = ClientRectOf(pane);
    EXPECT_EQ(place.Top + place.Height, client.bottom);
    EXPECT_EQ(client.bottom, ScaleToDpi(436, ui_->Dpi()) + ui_->NoticePaneGrowth());
    HDC dc = GetDC(pane);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(pane, WM_GETFONT, 0, 0)));
    std::size_t line = 0;
    std::wstring current;
    for (std::size_t row = 0; row < layout.Rows.size(); ++row) {
      const std::wstring& shown = layout.Rows[row];
      SIZE extent{};
      GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
      const int top = layout.Text.top + static_cast<int>(row) * layout.RowHeight;
      EXPECT_LE(top + layout.RowHeight, layout.Text.bottom) << "row " << row << " below the pane";
      EXPECT_LE(layout.Text.bottom, place.Height);
      const bool besideCorner = top + layout.RowHeight > layout.Corner.top;
      const int right = besideCorner ? layout.Corner.left : layout.Text.right;
      EXPECT_LE(layout.Text.left + extent.cx, right) << "row " << row << ": " << Utf8Of(shown);
      if (!current.empty() && line < lines.size()) {
        EXPECT_TRUE(win32::MayBreakBefore(lines[line], current.size()))
            << "broken inside a phrase: " << Utf8Of(current) << " | " << Utf8Of(shown);
      }
      current += shown;
      if (line < lines.size() && current == lines[line]) {
        ++line;
        current.clear();
      }
    }
    EXPECT_EQ(line, lines.size()) << "a line was not shown whole";
    EXPECT_TRUE(current.empty());
    if (lines.size() == 4) {
      EXPECT_EQ(layout.Rows.size(), 4u);
    }
    if (lines.size() == 6) {
      EXPECT_EQ(layout.Rows.size(), 6u);
      EXPECT_GT(ui_->NoticePaneGrowth(), 0);
    }
    SelectObject(dc, old);
    ReleaseDC(pane, dc);
  }
  // Nothing else moved with the pane.
  ExpectLayoutAtItsScale(*ui_);
  // The first notice needs more than one row at every scale: it was the one cut.
  win32::SetNoticeText(pane, L"指示点が足りません（#1 計測点、#2 計測点、#3 寸法線の位置、#4 寸法値の位置）。");
  EXPECT_GT(win32::LayOutNotice(pane).Rows.size(), 1u);
}

TEST_F(DialogTest, MovingToAMonitorOfAnotherScaleLaysTheDialogOutAgain) {
  // The system tells of the new scale and suggests a frame; the dialog takes
  // it and puts every control at its place at the new scale, in new fonts.
  const int start = ui_->Dpi();
  HWND dialog = ui_->DialogWindow();
  for (int dpi : {192, 120, start}) {
    SCOPED_TRACE(std::to_string(dpi) + " dpi");
    SIZE frame{};
    SendMessageW(dialog, WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi), reinterpret_cast<LPARAM>(&frame));
    RECT now;
    GetWindowRect(dialog, &now);
    RECT suggested{now.left + 10, now.top + 20, now.left + 10 + frame.cx, now.top + 20 + frame.cy};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    EXPECT_EQ(ui_->Dpi(), dpi);
    // At the suggested place, unless that would put part of the window off
    // the work area: then moved as far as needed.
    RECT placed;
    GetWindowRect(dialog, &placed);
    const RECT area = WorkAreaAt(suggested.left, suggested.top);
    ExpectInside(placed, area);
    EXPECT_EQ(placed.left, std::min<LONG>(suggested.left, area.right - (placed.right - placed.left)));
    EXPECT_EQ(placed.top, std::min<LONG>(suggested.top, area.bottom - (placed.bottom - placed.top)));
    RECT client;
    GetClientRect(dialog, &client);
    // The frame's edges are the system's: under Wine they keep the screen's
    // scale, so the client area is checked only where they are the same.
    if (dpi == start) {
      EXPECT_EQ(client.right, ScaleToDpi(492, dpi) + ui_->HelpMemoGrowth());
      EXPECT_EQ(client.bottom, ScaleToDpi(436, dpi));
    }
    ExpectLayoutAtItsScale(*ui_);
    for (HWND control : {Window(Control::Prefix), ui_->HelpMemo(), ui_->NoticePane()}) {
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
      EXPECT_EQ(font.lfHeight, -ScaleToDpi(13, dpi));
    }
  }
}

// The run over this dialog, the worked example's files in memory: the pane
// tells what OK would do after each change the user makes, and no change
// writes a file.
TEST(NoticePane, TellsWhatOkWouldDoAfterEachChangeByTheUser) {
  MemoryFileSystem files;
  const std::filesystem::path folder = L"C:\\Orvane";
  const std::string settings = testing_support::WorkedExampleFile("vk38.dat");
  files.PutFile(folder / "vk38.dat", settings);
  files.PutFile(folder / "JWC_TEMP.TXT", testing_support::WorkedExampleFile("JWC_TEMP.TXT"));
  Win32Ui ui(GetModuleHandleW(nullptr));
  ProgramRun run(ui, files, folder / "vk47_Orvane.exe");
  ui.Create({[&] { run.Show(); }, [&] { run.Ok(); }, [&] { run.Cancel(); },
             [&] { run.Close(); }, [&] { run.ControlChange(); }});
  run.Show();  // as Run does before the event loop
  ui.ShowDialog();
  PumpMessages();
  HWND pane = ui.NoticePane();
  EXPECT_EQ(WindowTextOf(pane), L"上へ延長　長さ 500\r\n寸法値「500」");

  auto retype = [&ui](Control field, const std::wstring& text) {
    HWND edit = ui.ControlWindow(field);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
  };
  const struct {
    std::function<void()> Change;
    const wchar_t* Notice;
  } steps[] = {
      {[&] { retype(Control::Prefix, L"H="); }, L"上へ延長　長さ 500\r\n寸法値「H=500」"},
      {[&] { SendMessageW(ui.ControlWindow(Control::FullWidth), BM_CLICK, 0, 0); },
       L"上へ延長　長さ 500\r\n寸法値「H=５００」"},
      {[&] { SendMessageW(ui.RadioButton(Control::ZeroDisplay, 1), BM_CLICK, 0, 0); },
       L"上へ延長　長さ 500\r\n寸法値「H=５００．０００」"},
      {[&] { SendMessageW(ui.ControlWindow(Control::Precision), WM_KEYDOWN, VK_UP, 0); },
       L"上へ延長　長さ 500\r\n寸法値「H=５００．００」"},
      {[&] { retype(Control::MarkScale, L"0"); }, L"「端点倍率」の値では作図出来ません。"},
  };
  for (const auto& step : steps) {
    step.Change();
    PumpMessages();
    EXPECT_EQ(Utf8Of(WindowTextOf(pane)), Utf8Of(step.Notice));
  }

  run.Cancel();
  EXPECT_TRUE(ui.Closed());
  EXPECT_EQ(files.FileContent(folder / "vk38.dat"), settings);
  EXPECT_EQ(files.FileContent(folder / "JWC_TEMP.TXT"), "hq\r\n");
}

}  // namespace

