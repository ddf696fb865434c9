#include "msgbox/msgbox_service.h"

#include <windows.h>

#include "base/wide.h"
#include "msgbox/msgbox_form.h"
#include "msgbox/modal_nesting.h"
#include "msgbox/msgbox_layout.h"
#include "ui/message_loop.h"

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

int ShowMsgBox(const std::wstring& prompt, int style, const std::wstring& title, HWND owner) {
  HWND foreground = GetForegroundWindow();
  EnableForms(false);
  MessageBeep(static_cast<UINT>(style));
  int result = 0;
  {
    MsgboxFr box;
    const Text cut = CutPrompt(FromWide(prompt));
    box.SetPrompt(Wide(cut));
    box.SetCaption(title);
    box.SetTitle(title);
    const MsgBoxStyle decoded = DecodeMsgBoxStyle(style);
    box.ShowButtons(decoded.yesNo);
    box.ShowIcon(decoded.icon);
    box.ArrMsgBox(owner);
    box.ShowOwned(owner);
    const HWND shown = box.hwnd();
    WaitWhile([shown] { return IsWindow(shown) && IsWindowVisible(shown); });
    result = box.ChoiceButton;
  }
  EnableForms(true);
  if (foreground) SetForegroundWindow(foreground);
  return result;
}
