#include "msgbox/msgbox_service.h"

#include <windows.h>

#include "msgbox/msgbox_layout.h"

namespace {

ModalNesting g_modal;

BOOL CALLBACK SetEnabled(HWND hwnd, LPARAM enable) {
  // Every window of the program: the top-level windows of its one thread. The tooltip and the
  // input-method window are not forms.
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 32);
  if (lstrcmpiW(cls, L"tooltips_class32") != 0 && lstrcmpiW(cls, L"IME") != 0)
    EnableWindow(hwnd, static_cast<BOOL>(enable));
  return TRUE;
}

void EnableAllForms(bool enable) { EnumThreadWindows(GetCurrentThreadId(), SetEnabled, enable); }

}  // namespace

void EnableForms(bool enable) {
  if (enable ? g_modal.Leave() : g_modal.Enter()) EnableAllForms(enable);
}

int ModalDepth() { return g_modal.Depth(); }

int ShowMsgBox(const std::wstring& prompt, int style, const std::wstring& title) {
  HWND foreground = GetForegroundWindow();
  EnableForms(false);
  MessageBeep(static_cast<UINT>(style));
  const Text cut = CutPrompt(Text(prompt.begin(), prompt.end()));
  const int result = MessageBoxW(nullptr, std::wstring(cut.begin(), cut.end()).c_str(), title.c_str(),
                                 static_cast<UINT>(style) | MB_TOPMOST);
  EnableForms(true);
  if (foreground) SetForegroundWindow(foreground);
  return result;
}
