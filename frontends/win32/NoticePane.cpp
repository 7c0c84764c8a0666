#include "NoticePane.h"

#include "resources/Version.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"OrvaneNoticePane";

HFONT FontOf(HWND pane) { return reinterpret_cast<HFONT>(GetWindowLongPtrW(pane, GWLP_USERDATA)); }

std::wstring TextOf(HWND pane) {
  const int length = GetWindowTextLengthW(pane);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(pane, text.data(), length + 1)));
  return text;
}

void Paint(HWND pane) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(pane, &paint);
  RECT client;
  GetClientRect(pane, &client);
  HBRUSH background = CreateSolidBrush(kWindowColour);
  FillRect(dc, &client, background);
  DeleteObject(background);

  // The panel that would hold a page: its edges lie outside the pane.
  RECT panel{kNoticePanel.Left, kNoticePanel.Top, kNoticePanel.Left + kNoticePanel.Width,
             kNoticePanel.Top + kNoticePanel.Height};
  DrawEdge(dc, &panel, EDGE_SUNKEN, BF_RECT);

  HGDIOBJ oldFont = SelectObject(dc, FontOf(pane));
  SetBkMode(dc, TRANSPARENT);
  RECT text{8, 6, client.right - 8, client.bottom - 4};
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  const std::wstring corner = NoticeCornerText();
  DrawTextW(dc, corner.c_str(), static_cast<int>(corner.size()), &text,
            DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const std::wstring lines = TextOf(pane);
  DrawTextW(dc, lines.c_str(), static_cast<int>(lines.size()), &text,
            DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, oldFont);
  EndPaint(pane, &paint);
}

LRESULT CALLBACK NoticeProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFONT:
      SetWindowLongPtrW(pane, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(pane, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return static_cast<LRESULT>(GetWindowLongPtrW(pane, GWLP_USERDATA));
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(pane);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(pane, message, wParam, lParam);
}

}  // namespace

HWND CreateNoticePane(HINSTANCE instance, HWND parent, const PixelRect& place, HFONT font) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = NoticeProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered
  HWND pane = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, place.Left, place.Top,
                              place.Width, place.Height, parent, nullptr, instance, nullptr);
  if (pane) SendMessageW(pane, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return pane;
}

void SetNoticeText(HWND pane, const std::wstring& lines) {
  SetWindowTextW(pane, lines.c_str());
  InvalidateRect(pane, nullptr, TRUE);
}

std::wstring NoticeCornerText() { return L"Orvane (vk47_Orvane) " ORVANE_VERSION_TEXT; }

}  // namespace win32
