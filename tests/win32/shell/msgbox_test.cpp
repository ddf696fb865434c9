// The message box on a real window: the keys a user presses, acting on their release, and Ctrl+C.
#include <gtest/gtest.h>

#include <string>

#include "msgbox/msgbox_service.h"
#include "tests/win32/support.h"

namespace {

const wchar_t* const kTitle = L"상자 시험";

struct Key { UINT vk; bool shift = false, ctrl = false, alt = false, press = true, release = true; };
const int kYesNo = MB_YESNO | MB_ICONEXCLAMATION;
Key g_key{};

// Once the box is there: the key, then a close from outside (which answers 0) in case the key
// left it open.
void CALLBACK Act(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(nullptr, kTitle);
  if (!box) return;
  KillTimer(nullptr, id);
  const Key& k = g_key;
  test::SetModifiers(k.shift, k.ctrl, k.alt);
  const bool sys = k.alt && k.vk == VK_F4;
  if (k.press) SendMessageW(box, sys ? WM_SYSKEYDOWN : WM_KEYDOWN, k.vk, 1);
  if (k.release && IsWindow(box)) SendMessageW(box, sys ? WM_SYSKEYUP : WM_KEYUP, k.vk, 0xC0000001);
  test::SetModifiers(false, false, false);
  if (IsWindow(box)) PostMessageW(box, WM_CLOSE, 0, 0);
}

int Show(int style, const Key& key, const wchar_t* prompt = L"내용") {
  g_key = key;
  SetTimer(nullptr, 0, 20, Act);
  return ShowMsgBox(prompt, style, kTitle);
}

TEST(MsgBox, KeysActOnTheirRelease) {
  struct Row { const char* name; int style; Key key; int result; };
  const Row rows[] = {
      {"OK: Enter", MB_ICONERROR, {.vk = VK_RETURN}, IDOK},      {"OK: Esc", MB_ICONERROR, {.vk = VK_ESCAPE}, IDOK},
      {"OK: Alt+F4", MB_ICONEXCLAMATION, {.vk = VK_F4, .alt = true}, IDOK},
      {"Yes/No: Enter", kYesNo, {.vk = VK_RETURN}, IDYES},
      {"Yes/No: Shift+Enter", kYesNo, {.vk = VK_RETURN, .shift = true}, IDYES},
      {"Yes/No: Esc", kYesNo, {.vk = VK_ESCAPE}, IDNO},    {"Yes/No: Alt+F4", kYesNo, {.vk = VK_F4, .alt = true}, IDNO},
      {"a press alone does nothing", kYesNo, {.vk = VK_RETURN, .release = false}, 0},
      {"a release alone does nothing", kYesNo, {.vk = VK_RETURN, .press = false}, 0},
      {"F4 alone does nothing", kYesNo, {.vk = VK_F4}, 0},
      {"Alt+Shift+F4 does nothing", kYesNo, {.vk = VK_F4, .shift = true, .alt = true}, 0},
  };
  for (const Row& r : rows) EXPECT_EQ(Show(r.style, r.key), r.result) << r.name;
}

std::wstring Clipboard() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) text = p;
    GlobalUnlock(h);
  }
  CloseClipboard();
  return text;
}

TEST(MsgBox, CtrlCCopiesTheBoxAsText) {
  const std::wstring rule(27, L'-');
  const std::wstring box =
      rule + L"\r\n" + kTitle + L"\r\n" + rule + L"\r\n첫째 줄\r\n둘째 줄\r\n" + rule + L"\r\n예   아니요\r\n" + rule;
  struct Row { const char* keys; bool shift, alt; std::wstring copied; };
  for (const Row& r : {Row{"Ctrl+C", false, false, box}, Row{"Ctrl+Shift+C", true, false, L""},
                       Row{"Ctrl+Alt+C", false, true, L""}}) {
    if (OpenClipboard(nullptr)) EmptyClipboard(), CloseClipboard();
    Show(kYesNo, {.vk = 'C', .shift = r.shift, .ctrl = true, .alt = r.alt}, L"첫째 줄\r\n둘째 줄");
    EXPECT_EQ(Clipboard(), r.copied) << r.keys;
  }
}

}  // namespace
