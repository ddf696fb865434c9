// The skinned message box driven by the keys a user presses, with the thread's key state set as
// the keyboard would leave it (Shift, Ctrl, Alt held).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "msgbox/msgbox_service.h"
#include "tests/win32/input_support.h"

namespace {

const wchar_t* const kTitle = L"상자 시험";

struct Script {
  std::function<void(HWND)> act;  // runs once the box exists
  bool done = false;
};
Script* g_script = nullptr;

using input::SetModifiers;

void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_script || g_script->done) return;
  if (HWND box = FindWindowW(nullptr, kTitle)) {
    g_script->done = true;
    g_script->act(box);
  }
}

int ShowWith(int style, std::function<void(HWND)> act, const std::wstring& prompt = L"내용") {
  Script script{std::move(act)};
  g_script = &script;
  const UINT_PTR t = SetTimer(nullptr, 0, 30, RunScript);
  const int result = ShowMsgBox(prompt, style, kTitle);
  KillTimer(nullptr, t);
  g_script = nullptr;
  SetModifiers(false, false, false);
  return result;
}

void Key(HWND box, UINT vk, bool down, bool sys = false) {
  PostMessageW(box, sys ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP), vk,
               down ? 1 : 0xC0000001);
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

void ClearClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

TEST(MsgboxFr, KeysGiveTheSystemsResults) {
  struct Row { const char* name; int style; UINT vk; bool alt; bool shift; int expected; };
  const Row rows[] = {
      {"OK Enter", 16, VK_RETURN, false, false, 1},   {"OK Esc", 16, VK_ESCAPE, false, false, 1},
      {"OK Alt+F4", 48, VK_F4, true, false, 1},       {"YesNo Enter", 52, VK_RETURN, false, false, 6},
      {"YesNo Shift+Enter", 52, VK_RETURN, false, true, 6},
      {"YesNo Esc", 52, VK_ESCAPE, false, false, 7},  {"YesNo Alt+F4", 52, VK_F4, true, false, 7},
  };
  for (const Row& r : rows) {
    const int result = ShowWith(r.style, [&](HWND box) {
      SetModifiers(r.shift, false, r.alt);
      Key(box, r.vk, true, r.alt);
      Key(box, r.vk, false, r.alt);
    });
    EXPECT_EQ(result, r.expected) << r.name;
  }
}

int polls = 0;

void CALLBACK AnswerLater(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (HWND b = FindWindowW(nullptr, kTitle)) {
    ++polls;
    SetModifiers(false, false, false);
    Key(b, VK_ESCAPE, true);
    Key(b, VK_ESCAPE, false);
  }
}

TEST(MsgboxFr, KeyWithoutItsPressAndPlainF4DoNothing) {
  polls = 0;
  const int result = ShowWith(52, [](HWND box) {
    Key(box, VK_RETURN, false);  // released here, pressed elsewhere
    SetModifiers(false, false, false);
    Key(box, VK_F4, true);
    Key(box, VK_F4, false);      // F4 without Alt
    SetModifiers(true, false, true);
    Key(box, VK_F4, true, true);
    Key(box, VK_F4, false, true);  // Alt+Shift+F4
    // Still open: then answer with a real press.
    SetTimer(nullptr, 0, 300, AnswerLater);
  });
  EXPECT_EQ(polls, 1);  // the box was still there after the ignored keys
  EXPECT_EQ(result, 7);
}

TEST(MsgboxFr, CtrlCCopiesTheBlockAndOtherChordsCopyNothing) {
  struct Row { bool shift, alt; bool copies; };
  for (const Row r : {Row{true, false, false}, Row{false, true, false}, Row{false, false, true}}) {
    ClearClipboard();
    ShowWith(52, [&](HWND box) {
      SetModifiers(r.shift, true, r.alt);
      Key(box, 'C', true);
      Key(box, 'C', false);
      Key(box, VK_ESCAPE, true);  // Esc closes whatever is held
      Key(box, VK_ESCAPE, false);
    }, L"첫째 줄\r\n둘째 줄");
    const std::wstring dash = L"---------------------------";
    if (r.copies)
      EXPECT_EQ(ClipboardText(), dash + L"\r\n" + kTitle + L"\r\n" + dash + L"\r\n첫째 줄\r\n둘째 줄\r\n" + dash +
                                     L"\r\n예   아니요\r\n" + dash);
    else
      EXPECT_EQ(ClipboardText(), L"") << r.shift << r.alt;
  }
}

TEST(MsgboxFr, ClosedByTheSystemYieldsZero) {
  EXPECT_EQ(ShowWith(52, [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); }), 0);
}

TEST(MsgboxFr, ShortPromptGivesTheSmallestRoundedCentredBox) {
  static RECT window, region;
  static int regionType;
  ShowWith(16, [](HWND box) {
    GetWindowRect(box, &window);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    regionType = GetWindowRgn(box, rgn);
    GetRgnBox(rgn, &region);
    DeleteObject(rgn);
    Key(box, VK_RETURN, true);
    Key(box, VK_RETURN, false);
  }, L"짧음");
  EXPECT_EQ(window.right - window.left, 200);
  EXPECT_EQ(window.bottom - window.top, 100);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 200) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 100) / 2);
  EXPECT_EQ(regionType, COMPLEXREGION);
  EXPECT_EQ(region.right - region.left, 200);  // the rounded corners trim the region's corners only
  EXPECT_EQ(region.bottom - region.top, 100);
}

}  // namespace
