#include "NoticePane.h"

#include "resources/Version.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"OrvaneNoticePane";
constexpr wchar_t kFontProperty[] = L"OrvaneNoticeFont";

struct NoticeState {
  std::wstring Address;
};

NoticeState* StateOf(HWND pane) {
  return reinterpret_cast<NoticeState*>(GetWindowLongPtrW(pane, GWLP_USERDATA));
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

  HGDIOBJ oldFont = SelectObject(dc, GetPropW(pane, kFontProperty));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(64, 64, 64));
  RECT text{8, 6, client.right - 8, client.bottom - 4};
  const std::wstring lines = NoticeText(pane);
  DrawTextW(dc, lines.c_str(), static_cast<int>(lines.size()), &text,
            DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, oldFont);
  EndPaint(pane, &paint);
}

LRESULT CALLBACK NoticeProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(pane, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new NoticeState));
      break;
    case WM_NCDESTROY:
      delete StateOf(pane);
      SetWindowLongPtrW(pane, GWLP_USERDATA, 0);
      RemovePropW(pane, kFontProperty);
      break;
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
  if (pane) SetPropW(pane, kFontProperty, font);
  return pane;
}

void SetNoticeAddress(HWND pane, const std::wstring& address) {
  if (NoticeState* state = StateOf(pane)) {
    state->Address = address;
    InvalidateRect(pane, nullptr, TRUE);
  }
}

std::wstring NoticeText(HWND pane) {
  std::wstring text = L"Orvane (vk47_Orvane) " ORVANE_VERSION_TEXT;
  if (const NoticeState* state = StateOf(pane); state && !state->Address.empty())
    text += L"\r\n" + state->Address;
  return text;
}

}  // namespace win32
