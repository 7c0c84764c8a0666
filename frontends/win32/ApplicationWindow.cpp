#include "ApplicationWindow.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"OrvaneApplication";
constexpr UINT kActivateOwned = WM_APP + 1;

HWND OwnedDialog(HWND application) {
  return reinterpret_cast<HWND>(GetWindowLongPtrW(application, GWLP_USERDATA));
}

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // Activated from the task bar: pass it on to the dialog, or to the
      // message box in front of it.
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
        PostMessageW(window, kActivateOwned, 0, 0);
      return 0;
    case kActivateOwned: {
      HWND popup = GetLastActivePopup(window);
      if (popup && popup != window && IsWindowVisible(popup) && IsWindowEnabled(popup))
        SetForegroundWindow(popup);
      return 0;
    }
    case WM_CLOSE: {
      // Closing from the task bar is the dialog's close box.
      HWND dialog = OwnedDialog(window);
      if (dialog && IsWindowEnabled(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateApplicationWindow(HINSTANCE instance, const std::wstring& title, HICON largeIcon,
                             HICON smallIcon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = ApplicationProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = largeIcon;
  windowClass.hIconSm = smallIcon;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered

  const int left = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int top = GetSystemMetrics(SM_CYSCREEN) / 2;
  HWND window = CreateWindowExW(0, kClassName, title.c_str(),
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left, top, 0,
                                0, nullptr, nullptr, instance, nullptr);
  if (window) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  }
  return window;
}

void SetApplicationDialog(HWND application, HWND dialog) {
  SetWindowLongPtrW(application, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
}

}  // namespace win32
