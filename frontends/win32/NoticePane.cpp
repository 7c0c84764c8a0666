#include "NoticePane.h"

#include <algorithm>

#include "DialogLayout.h"
#include "PhraseRows.h"
#include "WindowText.h"
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

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
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

namespace {

// The pane's font selected into a device context of the pane, and what the
// rows' places follow from: the rows stand one below the other from the top
// margin (6 pixels at 96 dots per inch; 8 left and right); the corner text
// stands on the last of them, so every row above it has the whole width and
// only the last is shortened. The bottom margin is what is left (at 96 dots
// per inch four rows of the 13-pixel font leave 3 pixels).
class PaneMetrics {
 public:
  explicit PaneMetrics(HWND pane) : pane_(pane), dc_(GetDC(pane)) {
    const int dpi = DpiOf(pane);
    oldFont_ = SelectObject(dc_, FontOf(pane));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    RowHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 1;
    RECT client;
    GetClientRect(pane, &client);
    Top = ScaleToDpi(6, dpi);
    Left = ScaleToDpi(8, dpi);
    Right = client.right - ScaleToDpi(8, dpi);
    CornerWidth = TextWidth(dc_, NoticeCornerText());
    CornerGap = ScaleToDpi(8, dpi);
  }
  ~PaneMetrics() {
    SelectObject(dc_, oldFont_);
    ReleaseDC(pane_, dc_);
  }
  PaneMetrics(const PaneMetrics&) = delete;
  PaneMetrics& operator=(const PaneMetrics&) = delete;

  HDC Dc() const { return dc_; }
  int RowsHeld(int height) const { return std::max(1, (height - Top) / RowHeight); }
  NoticeRowWidths Widths(int rows) const {
    const int full = Right - Left;
    return {full, rows - 1, full - CornerWidth - CornerGap};
  }

  int RowHeight = 1;
  int Top = 0;
  int Left = 0;
  int Right = 0;
  int CornerWidth = 0;
  int CornerGap = 0;

 private:
  HWND pane_;
  HDC dc_;
  HGDIOBJ oldFont_ = nullptr;
};

}  // namespace

NoticeLayout LayOutNotice(HWND pane) {
  const PaneMetrics metrics(pane);
  NoticeLayout layout;
  RECT client;
  GetClientRect(pane, &client);
  layout.RowHeight = metrics.RowHeight;
  const int rows = metrics.RowsHeld(static_cast<int>(client.bottom));
  layout.Text = {metrics.Left, metrics.Top, metrics.Right, metrics.Top + rows * layout.RowHeight};
  layout.Corner = {layout.Text.right - metrics.CornerWidth, layout.Text.bottom - layout.RowHeight,
                   layout.Text.right, layout.Text.bottom};
  layout.Widths = metrics.Widths(rows);
  layout.Rows = NoticeRows(metrics.Dc(), WindowText(pane), layout.Widths);
  return layout;
}

NoticeRowCount CountNoticeRows(HWND pane, int height, int least) {
  const PaneMetrics metrics(pane);
  NoticeRowCount count;
  count.Held = metrics.RowsHeld(height);
  // The fewest rows from there on that hold the notice's rows: with each
  // row more, one more row has the whole width beside no corner text.
  const std::wstring lines = WindowText(pane);
  int rows = std::max(count.Held, least);
  while (static_cast<int>(NoticeRows(metrics.Dc(), lines, metrics.Widths(rows)).size()) > rows)
    ++rows;
  count.Needed = rows;
  return count;
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
      const std::size_t length =
          PhraseRowLength(line, width, [dc](std::wstring_view text) { return TextWidth(dc, text); });
      rows.emplace_back(line.substr(0, length));
      line.remove_prefix(length);
    } while (!line.empty());
    start = end + 2;
  }
  return rows;
}

}  // namespace win32
