// put_on_clipboard.exe TEXT: puts TEXT on the clipboard as Unicode text, so
// that a test can paste characters that it cannot type. Ends with 0 when the
// clipboard holds the text.
#include <windows.h>

#include <cstring>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const std::size_t bytes = (std::wcslen(argv[1]) + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return 1;
  std::memcpy(GlobalLock(memory), argv[1], bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!put) GlobalFree(memory);
  return put ? 0 : 1;
}
