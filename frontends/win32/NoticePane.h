#pragma once
// The notice pane along the bottom of the dialog: a few lines of plain text
// that tell what OK would do with the values as they stand, with the
// program's name and version in its lower right corner. The pane keeps its
// lines as its window text and wraps a line wider than itself, so that every
// character shows.
#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

// Created without a place: the dialog puts it where it belongs and gives it
// its font (WM_SETFONT) and its scale.
HWND CreateNoticePane(HINSTANCE instance, HWND parent);
// The scale the pane draws at, in dots per inch: its margins and the panel
// around it follow it.
void SetNoticeDpi(HWND pane, int dpi);
// Replaces the pane's lines (separated by CR LF) and redraws it.
void SetNoticeText(HWND pane, const std::wstring& lines);
// What the corner shows: the program's name and version.
std::wstring NoticeCornerText();

// How wide the pane's rows may be: the first `FullRows` rows have the whole
// width, the rest stand left of the corner text.
struct NoticeRowWidths {
  int Full = 0;
  int FullRows = 0;
  int BesideCorner = 0;
};
// The rows the pane draws, top to bottom, and how wide they may be.
struct NoticeLayout {
  std::vector<std::wstring> Rows;
  NoticeRowWidths Widths;
  RECT Text{};    // where the rows go
  RECT Corner{};  // where the corner text stands
  int RowHeight = 0;
};
// The pane's rows as it draws them now, in its own font and at its scale.
NoticeLayout LayOutNotice(HWND pane);
// How many rows a pane `height` pixels high holds, and how many the pane
// needs to show its lines whole at its width, in its font and at its scale,
// the corner text beside the last of them (never fewer than it holds or
// than `least`).
struct NoticeRowCount {
  int Held = 0;
  int Needed = 0;
};
NoticeRowCount CountNoticeRows(HWND pane, int height, int least);
// The rows of `lines` (separated by CR LF) with the font selected into `dc`.
// A line wider than its row is broken between phrases, as the help memo's
// lines are (PhraseRows.h). Nothing is left out: the rows of a line, put
// together, are the line.
std::vector<std::wstring> NoticeRows(HDC dc, const std::wstring& lines,
                                     const NoticeRowWidths& widths);

}  // namespace win32
