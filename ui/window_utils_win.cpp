#include "ui/window_utils.h"

void SetTopmost(HWND window, bool topmost) {
  SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void StartWindowDrag(HWND window) {
  ReleaseCapture();
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void SetPointerShape(bool arrow) {
  SetCursor(LoadCursorW(nullptr, arrow ? IDC_ARROW : IDC_HAND));
}

namespace {
int AltMask() { return GetKeyState(VK_MENU) < 0 ? 4 : 0; }
}  // namespace

int ShiftState() { return ((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) | AltMask(); }

int MouseButtons(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0);
}

int MouseShift(WPARAM keys) {
  return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) | AltMask();
}
