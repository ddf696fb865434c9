#include "msgbox/app_icon.h"

namespace {

void SendIcon(HWND window, int size, WPARAM which) {
  HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"APPICON", IMAGE_ICON, size, size, LR_SHARED);
  if (icon) SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

void SetAppIcon(HWND window) {
  SendIcon(window, 32, ICON_BIG);
  SendIcon(window, 16, ICON_SMALL);
}
