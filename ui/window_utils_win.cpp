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
