// The message box on a real window: the keys a user presses, acting on their release, and Ctrl+C.
#include <gtest/gtest.h>

#include <string>

#include "msgbox/msgbox_service.h"
#include "tests/win32/support.h"

namespace {

const wchar_t* const kTitle = L"상자 시험";

struct Key { UINT vk; bool shift, ctrl, alt, press, release; };
const Key* g_keys = nullptr;
std::size_t g_count = 0;

// Once the box is there: the row's keys, then a close from outside (which answers 0) in case the
// keys left it open.
void CALLBACK Act(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(nullptr, kTitle);
  if (!box) return;
  KillTimer(nullptr, id);
  for (std::size_t i = 0; i < g_count; ++i) {
    const Key& k = g_keys[i];
    test::SetModifiers(k.shift, k.ctrl, k.alt);
    const bool sys = k.alt && k.vk == VK_F4;
    if (k.press) SendMessageW(box, sys ? WM_SYSKEYDOWN : WM_KEYDOWN, k.vk, 1);
    if (k.release && IsWindow(box)) SendMessageW(box, sys ? WM_SYSKEYUP : WM_KEYUP, k.vk, 0xC0000001);
    test::SetModifiers(false, false, false);
  }
  if (IsWindow(box)) PostMessageW(box, WM_CLOSE, 0, 0);
}

int Show(int style, std::initializer_list<Key> keys, const wchar_t* prompt = L"내용") {
  g_keys = keys.begin();
  g_count = keys.size();
  SetTimer(nullptr, 0, 20, Act);
  return ShowMsgBox(prompt, style, kTitle);
}

TEST(MsgBox, KeysActOnTheirRelease) {
  struct Row { const char* name; int style; Key key; int result; };
  const Row rows[] = {
      {"OK: Enter", 16, {VK_RETURN, 0, 0, 0, 1, 1}, 1},       {"OK: Esc", 16, {VK_ESCAPE, 0, 0, 0, 1, 1}, 1},
      {"OK: Alt+F4", 48, {VK_F4, 0, 0, 1, 1, 1}, 1},          {"Yes/No: Enter", 52, {VK_RETURN, 0, 0, 0, 1, 1}, 6},
      {"Yes/No: Shift+Enter", 52, {VK_RETURN, 1, 0, 0, 1, 1}, 6}, {"Yes/No: Esc", 52, {VK_ESCAPE, 0, 0, 0, 1, 1}, 7},
      {"Yes/No: Alt+F4", 52, {VK_F4, 0, 0, 1, 1, 1}, 7},      {"a press alone does nothing", 52, {VK_RETURN, 0, 0, 0, 1, 0}, 0},
      {"a release alone does nothing", 52, {VK_RETURN, 0, 0, 0, 0, 1}, 0}, {"F4 alone does nothing", 52, {VK_F4, 0, 0, 0, 1, 1}, 0},
      {"Alt+Shift+F4 does nothing", 52, {VK_F4, 1, 0, 1, 1, 1}, 0},
  };
  for (const Row& r : rows) EXPECT_EQ(Show(r.style, {r.key}), r.result) << r.name;
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
  struct Row { bool shift, alt; bool copies; };
  for (const Row& r : {Row{false, false, true}, Row{true, false, false}, Row{false, true, false}}) {
    if (OpenClipboard(nullptr)) EmptyClipboard(), CloseClipboard();
    Show(52, {{'C', r.shift, true, r.alt, 1, 1}}, L"첫째 줄\r\n둘째 줄");
    const std::wstring rule(27, L'-');
    EXPECT_EQ(Clipboard(), r.copies ? rule + L"\r\n" + kTitle + L"\r\n" + rule + L"\r\n첫째 줄\r\n둘째 줄\r\n" + rule +
                                          L"\r\n예   아니요\r\n" + rule
                                    : L"") << r.shift << r.alt;
  }
}

}  // namespace
