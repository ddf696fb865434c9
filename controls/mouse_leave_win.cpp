#include "controls/mouse_leave.h"

namespace {

constexpr const wchar_t* kOldWindowProc = L"OldWindowProc";
constexpr const wchar_t* kCallbackObject = L"CallbackObject";
constexpr const wchar_t* kCallbackName = L"CallbackName";

// Removes the three properties and puts the old procedure back.
void Unarm(HWND hWnd, WNDPROC old) {
  RemovePropW(hWnd, kOldWindowProc);
  RemovePropW(hWnd, kCallbackObject);
  RemovePropW(hWnd, kCallbackName);
  if (old) SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
}

}  // namespace

bool MouseLeaveArmed(HWND window) { return GetPropW(window, kOldWindowProc) != nullptr; }

void HookMouseLeave(HWND control, const Text& controlName, NamedMethods* callbackObject,
                    const Text& callbackName) {
  if (MouseLeaveArmed(control)) return;

  SetPropW(control, kCallbackObject, reinterpret_cast<HANDLE>(callbackObject));
  const Text name = callbackName.empty() ? controlName + u"_MouseLeave" : callbackName;
  const std::int32_t index = RegisterCallbackName(name);
  SetPropW(control, kCallbackName, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(index)));

  const LONG_PTR old = SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MouseLeaveProc));
  if (!old) {  // not a window we may hook: stay unarmed
    RemovePropW(control, kCallbackObject);
    RemovePropW(control, kCallbackName);
    return;
  }
  SetPropW(control, kOldWindowProc, reinterpret_cast<HANDLE>(old));

  // Requested after the procedure is in place: a leave posted at once (pointer already outside)
  // reaches the hook.
  TRACKMOUSEEVENT tme{};
  tme.cbSize = sizeof tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = control;
  tme.dwHoverTime = 0;
  TrackMouseEvent(&tme);
}

LRESULT CALLBACK MouseLeaveProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WNDPROC old = reinterpret_cast<WNDPROC>(GetPropW(hWnd, kOldWindowProc));
  if (msg == WM_MOUSELEAVE) {
    // The callback runs while the window is still armed; whatever it does or fails to do, the
    // window ends unarmed with its old procedure.
    try {
      const auto* object = reinterpret_cast<const NamedMethods*>(GetPropW(hWnd, kCallbackObject));
      const auto index = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(GetPropW(hWnd, kCallbackName)));
      const Text* name = CallbackNameAt(index);
      if (object && name) object->CallByName(*name);
    } catch (...) {
    }
    Unarm(hWnd, old);
    return 0;
  }
  if (msg == WM_NCDESTROY) Unarm(hWnd, old);  // destroyed while armed: leave nothing behind
  return old ? CallWindowProcW(old, hWnd, msg, wParam, lParam) : DefWindowProcW(hWnd, msg, wParam, lParam);
}
