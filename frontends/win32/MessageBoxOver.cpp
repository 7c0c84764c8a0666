#include "MessageBoxOver.h"

namespace win32 {

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) {
  MSG quit{};
  const bool quitting = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  const int answer =
      MessageBoxW(owner && IsWindow(owner) ? owner : nullptr, text.c_str(), title.c_str(), type);
  if (quitting) PostQuitMessage(static_cast<int>(quit.wParam));
  return answer;
}

}  // namespace win32
