// plain_window.exe: the yardstick of the program's start-up. A plain Win32
// window with as many controls of each kind as the settings dialog has (five
// drop-down lists with their entries, nine text fields, two framed pairs of
// radio buttons, four check boxes, two push buttons, a read-only memo of 36
// lines, a status label, 22 text labels and a pane that draws two lines of
// its own), in the dialog's font (13 pixels, Shift-JIS character set) and
// at the same size, shown at once. It reads no file and decides nothing.
// Started with /minimal it is the floor beneath both: the same window,
// titled "Minimal window", without a control.
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kFontFace[] = L"ＭＳ ゴシック";
constexpr int kClientWidth = 492;
constexpr int kClientHeight = 436;

HFONT g_font = nullptr;
HFONT g_smallFont = nullptr;

HFONT MakeFont(int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FIXED_PITCH | FF_MODERN, kFontFace);
}

HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int left,
           int top, int width, int height, DWORD exStyle = 0, HFONT font = g_font) {
  HWND child = CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, left,
                               top, width, height, parent, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(pane, &paint);
    HGDIOBJ old = SelectObject(dc, g_font);
    RECT r;
    GetClientRect(pane, &r);
    r.left += 8;
    r.top += 6;
    const wchar_t text[] = L"上へ延長　長さ 500\r\n寸法値「500」";
    DrawTextW(dc, text, -1, &r, DT_LEFT | DT_TOP | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(pane, &paint);
    return 0;
  }
  return DefWindowProcW(pane, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void AddList(HWND window, int top, int left, int width, int entries) {
  HWND list = Child(window, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, left,
                    top, width, 200);
  for (int i = 0; i < entries; ++i)
    SendMessageW(list, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>((L"項目 " + std::to_wstring(i + 1)).c_str()));
  SendMessageW(list, CB_SETCURSEL, 0, 0);
}

void CreateControls(HWND window) {
  // 22 labels, one of them in the smaller font.
  for (int i = 0; i < 22; ++i)
    Child(window, L"STATIC", L"寸法値の文字種", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 8 + (i / 11) * 150,
          8 + (i % 11) * 24, 60, 14, 0, i == 2 ? g_smallFont : g_font);
  // Five drop-down lists with the dialog's numbers of entries.
  const int entries[] = {12, 12, 11, 9, 3};
  for (int i = 0; i < 5; ++i) AddList(window, 4 + i * 24, 72, 81, entries[i]);
  // Nine text fields.
  for (int i = 0; i < 9; ++i)
    Child(window, L"EDIT", L"2", WS_TABSTOP | ES_AUTOHSCROLL, 222, 4 + i * 24, 57, 21,
          WS_EX_CLIENTEDGE);
  // Two framed pairs of radio buttons.
  for (int group = 0; group < 2; ++group) {
    const int left = 8 + group * 152;
    Child(window, L"BUTTON", L"寸法値の単位", BS_AUTORADIOBUTTON | WS_GROUP, left + 8, 283, 60, 17);
    Child(window, L"BUTTON", L"有", BS_AUTORADIOBUTTON, left + 76, 283, 60, 17);
    Child(window, L"BUTTON", L"小数点以下の０表示", BS_GROUPBOX, left, 266, 145, 41);
  }
  // Four check boxes.
  for (int i = 0; i < 4; ++i)
    Child(window, L"BUTTON", L"単位の付加", WS_TABSTOP | BS_AUTOCHECKBOX, 8 + i * 120, 314, 110, 17);
  Child(window, L"BUTTON", L"ＯＫ(&Y)", WS_TABSTOP | BS_DEFPUSHBUTTON, 360, 264, 121, 33);
  Child(window, L"BUTTON", L"キャンセル(&N)", WS_TABSTOP | BS_PUSHBUTTON, 360, 300, 121, 33);
  // The read-only memo of 36 lines.
  std::wstring memo;
  for (int i = 0; i < 36; ++i) {
    if (i > 0) memo += L"\r\n";
    memo += i % 6 == 5 ? L"" : (i % 6 == 0 ? L"◇寸法値の前後には" : L"　寸法値と水平線との距離");
  }
  Child(window, L"EDIT", memo.c_str(), WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
        312, 0, 177, 225, WS_EX_CLIENTEDGE);
  Child(window, L"STATIC", L"　", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0, 347, 492, 24);
  Child(window, L"PlainWindowPane", L"", 0, 0, 371, 492, 65);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const bool minimal = commandLine && std::wstring(commandLine).find(L"/minimal") != std::wstring::npos;
  g_font = MakeFont(13);
  g_smallFont = MakeFont(11);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = L"PlainWindow";
  RegisterClassExW(&windowClass);
  windowClass.lpfnWndProc = PaneProc;
  windowClass.lpszClassName = L"PlainWindowPane";
  RegisterClassExW(&windowClass);

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExW(0, L"PlainWindow", minimal ? L"Minimal window" : L"Plain window", style, 194, 107,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  if (!minimal) CreateControls(window);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
