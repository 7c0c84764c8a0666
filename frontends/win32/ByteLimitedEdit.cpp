#include "ByteLimitedEdit.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <string>

#include "CodePage932.h"
#include "ControlHook.h"
#include "WindowText.h"

namespace win32 {

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The user's text was refused in whole or in part: the field beeps, as an
// edit control does at its length limit.
void Refuse() { MessageBeep(MB_OK); }

// The part of `insert` that fits into the field's current text and selection.
std::wstring FittingInsertion(HWND edit, std::wstring_view insert, std::size_t limit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring text = WindowText(edit);
  return std::wstring(FittingStart(text, start, end, insert, limit));
}

// Puts the part of `offered` that the field takes in place of its selection;
// beeps when that is not all of it.
void InsertAccepted(HWND edit, std::wstring_view offered, std::size_t limit) {
  const std::wstring accepted = FittingInsertion(edit, offered, limit);
  if (!accepted.empty())
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(accepted.c_str()));
  if (accepted.size() < offered.size()) Refuse();
}

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::wstring CompositionResult(HWND edit) {
  std::wstring result;
  HIMC context = ImmGetContext(edit);
  if (!context) return result;
  const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
  if (bytes > 0) {
    result.resize(static_cast<std::size_t>(bytes) / sizeof(wchar_t));
    ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), static_cast<DWORD>(bytes));
  }
  ImmReleaseContext(edit, context);
  return result;
}

LRESULT CALLBACK LimitedEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto limit = static_cast<std::size_t>(HookValue(edit));
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: {
      const auto c = static_cast<wchar_t>(wParam);
      if (c < 0x20 || c == 0x7F) break;  // editing keys and shortcuts
      // A character beyond the basic plane comes as two messages, one for
      // each half. Code page 932 holds none of them: the first half alone is
      // refused (with the beep) and the second goes with it.
      if (IsLowSurrogate(c)) return 0;
      const wchar_t typed[1] = {c};
      if (FittingInsertion(edit, std::wstring_view(typed, 1), limit).empty()) {
        Refuse();
        return 0;
      }
      break;
    }
    case WM_PASTE: {
      const std::wstring clip = ClipboardText(edit);
      InsertAccepted(edit, FirstLine(clip), limit);
      return 0;
    }
    case WM_IME_COMPOSITION:
      if (lParam & GCS_RESULTSTR) {
        InsertAccepted(edit, CompositionResult(edit), limit);
        lParam &= ~static_cast<LPARAM>(GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR |
                                       GCS_RESULTREADCLAUSE);
        if (lParam == 0) return 0;
      }
      break;
    default:
      break;
  }
  return CallUnhooked(edit, message, wParam, lParam);
}

}  // namespace

std::wstring_view FittingStart(std::wstring_view text, std::size_t selStart, std::size_t selEnd,
                               std::wstring_view insert, std::size_t limit) {
  if (selStart > selEnd) std::swap(selStart, selEnd);
  selEnd = std::min(selEnd, text.size());
  selStart = std::min(selStart, selEnd);
  const std::size_t kept =
      SjisByteCount(text.substr(0, selStart)) + SjisByteCount(text.substr(selEnd));
  if (kept >= limit) return {};
  const std::size_t room = limit - kept;
  std::size_t used = 0;
  std::size_t taken = 0;
  while (taken < insert.size()) {
    const std::size_t step =
        (IsHighSurrogate(insert[taken]) && taken + 1 < insert.size()) ? 2 : 1;
    const std::wstring_view character = insert.substr(taken, step);
    if (!SjisHolds(character)) break;
    const std::size_t bytes = SjisByteCount(character);
    if (used + bytes > room) break;
    used += bytes;
    taken += step;
  }
  return insert.substr(0, taken);
}

std::wstring_view FirstLine(std::wstring_view text) {
  const std::size_t end = text.find_first_of(L"\r\n");
  return end == std::wstring_view::npos ? text : text.substr(0, end);
}

void LimitTypedBytes(HWND edit, std::size_t limit) {
  HookControl(edit, LimitedEditProc, static_cast<LONG_PTR>(limit));
}

}  // namespace win32
