#include "NoticePane.h"

#include <algorithm>

#include "DialogLayout.h"
#include "resources/Version.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"OrvaneNoticePane";
// The window's extra bytes: its font, then its scale.
constexpr int kFontSlot = 0;
constexpr int kDpiSlot = sizeof(LONG_PTR);

HFONT FontOf(HWND pane) { return reinterpret_cast<HFONT>(GetWindowLongPtrW(pane, kFontSlot)); }

int DpiOf(HWND pane) {
  const auto dpi = static_cast<int>(GetWindowLongPtrW(pane, kDpiSlot));
  return dpi > 0 ? dpi : kBaseDpi;
}

std::wstring TextOf(HWND pane) {
  const int length = GetWindowTextLengthW(pane);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(pane, text.data(), length + 1)));
  return text;
}

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\x3000'; }

// Marks that close what stands before them: they never begin a row.
bool ClosesBefore(wchar_t c) {
  return std::wstring_view(L"、。，．,.)）」』】〕］]：:；;！!？?ー～").find(c) !=
         std::wstring_view::npos;
}

// How many characters of `line`, from its start, make up a row at most
// `width` pixels wide: at least one, so that every row moves on.
std::size_t RowLength(HDC dc, std::wstring_view line, int width) {
  int fit = 0;
  SIZE size{};
  GetTextExtentExPointW(dc, line.data(), static_cast<int>(line.size()), width, &fit, nullptr,
                        &size);
  auto count = static_cast<std::size_t>(fit > 0 ? fit : 0);
  if (count >= line.size()) return line.size();
  // Neither half of a surrogate pair stands alone.
  if (count > 0 && IS_HIGH_SURROGATE(line[count - 1])) --count;
  if (count == 0) return IS_HIGH_SURROGATE(line[0]) && line.size() > 1 ? 2 : 1;
  // After the last blank that fits, when there is one.
  for (std::size_t at = count; at > 1; --at)
    if (IsBlank(line[at - 1])) return at;
  // A closing mark takes the character before it along to the next row.
  if (count > 1 && ClosesBefore(line[count])) --count;
  return count;
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
  const PixelRect place = ScaleToDpi(kNoticePanel, DpiOf(pane));
  RECT panel{place.Left, place.Top, place.Left + place.Width, place.Top + place.Height};
  DrawEdge(dc, &panel, EDGE_SUNKEN, BF_RECT);

  const NoticeLayout layout = LayOutNotice(pane);
  HGDIOBJ oldFont = SelectObject(dc, FontOf(pane));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  const std::wstring corner = NoticeCornerText();
  RECT cornerRect = layout.Corner;
  DrawTextW(dc, corner.c_str(), static_cast<int>(corner.size()), &cornerRect,
            DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  // A row is as high as the font's line; a glyph that reaches below it (an
  // underscore in some fonts) is not cut at the row's edge.
  int top = layout.Text.top;
  for (const std::wstring& row : layout.Rows) {
    RECT rowRect{layout.Text.left, top, layout.Text.right, top + layout.RowHeight};
    DrawTextW(dc, row.c_str(), static_cast<int>(row.size()), &rowRect,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    top += layout.RowHeight;
  }
  SelectObject(dc, oldFont);
  EndPaint(pane, &paint);
}

LRESULT CALLBACK NoticeProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFONT:
      SetWindowLongPtrW(pane, kFontSlot, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(pane, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return static_cast<LRESULT>(GetWindowLongPtrW(pane, kFontSlot));
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

HWND CreateNoticePane(HINSTANCE instance, HWND parent) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = NoticeProc;
  windowClass.cbWndExtra = 2 * sizeof(LONG_PTR);
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered
  return CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                         instance, nullptr);
}

void SetNoticeDpi(HWND pane, int dpi) {
  SetWindowLongPtrW(pane, kDpiSlot, dpi);
  InvalidateRect(pane, nullptr, TRUE);
}

void SetNoticeText(HWND pane, const std::wstring& lines) {
  SetWindowTextW(pane, lines.c_str());
  InvalidateRect(pane, nullptr, TRUE);
}

std::wstring NoticeCornerText() { return L"Orvane (vk47_Orvane) " ORVANE_VERSION_TEXT; }

NoticeLayout LayOutNotice(HWND pane) {
  const int dpi = DpiOf(pane);
  NoticeLayout layout;
  RECT client;
  GetClientRect(pane, &client);
  HDC dc = GetDC(pane);
  HGDIOBJ oldFont = SelectObject(dc, FontOf(pane));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  layout.RowHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 1;
  // The rows stand one below the other from the top margin (6 pixels at 96
  // dots per inch; 8 left and right), as many as the pane holds; the corner
  // text stands on the last of them, so every row above it has the whole
  // width and only the last is shortened. The bottom margin is what is left
  // (at 96 dots per inch four rows of the 13-pixel font leave 3 pixels).
  const int top = ScaleToDpi(6, dpi);
  const int rows = std::max(1, (static_cast<int>(client.bottom) - top) / layout.RowHeight);
  layout.Text = {ScaleToDpi(8, dpi), top, client.right - ScaleToDpi(8, dpi),
                 top + rows * layout.RowHeight};
  const std::wstring corner = NoticeCornerText();
  const int cornerWidth = TextWidth(dc, corner);
  layout.Corner = {layout.Text.right - cornerWidth, layout.Text.bottom - layout.RowHeight,
                   layout.Text.right, layout.Text.bottom};
  const int fullWidth = layout.Text.right - layout.Text.left;
  layout.Widths = {fullWidth, rows - 1, fullWidth - cornerWidth - ScaleToDpi(8, dpi)};
  layout.Rows = NoticeRows(dc, TextOf(pane), layout.Widths);
  SelectObject(dc, oldFont);
  ReleaseDC(pane, dc);
  return layout;
}

std::vector<std::wstring> NoticeRows(HDC dc, const std::wstring& lines,
                                     const NoticeRowWidths& widths) {
  std::vector<std::wstring> rows;
  if (lines.empty()) return rows;
  std::size_t start = 0;
  while (start <= lines.size()) {
    std::size_t end = lines.find(L"\r\n", start);
    if (end == std::wstring::npos) end = lines.size();
    std::wstring_view line(lines.data() + start, end - start);
    do {
      const int width =
          static_cast<int>(rows.size()) < widths.FullRows ? widths.Full : widths.BesideCorner;
      const std::size_t length = RowLength(dc, line, width);
      rows.emplace_back(line.substr(0, length));
      line.remove_prefix(length);
    } while (!line.empty());
    start = end + 2;
  }
  return rows;
}

}  // namespace win32
