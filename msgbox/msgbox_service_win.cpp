#include "msgbox/msgbox_service.h"

#include <windows.h>

int ShowMsgBox(const std::wstring& prompt, int style, const std::wstring& title) {
  return MessageBoxW(nullptr, prompt.c_str(), title.c_str(), static_cast<UINT>(style) | MB_TOPMOST);
}
