#include "ControlHook.h"

namespace win32 {

namespace {

struct Hooked {
  WNDPROC Previous;
  LONG_PTR Value;
};

Hooked* HookedOf(HWND window) {
  return reinterpret_cast<Hooked*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace

void HookControl(HWND window, WNDPROC hook, LONG_PTR value) {
  auto* hooked = new Hooked{nullptr, value};
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hooked));
  hooked->Previous =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook)));
}

LONG_PTR HookValue(HWND window) {
  const Hooked* hooked = HookedOf(window);
  return hooked ? hooked->Value : 0;
}

LRESULT CallUnhooked(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Hooked* hooked = HookedOf(window);
  if (!hooked) return DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC previous = hooked->Previous;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete hooked;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

}  // namespace win32
