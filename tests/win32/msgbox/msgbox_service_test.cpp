// The message-box service and the open-file dialog with real windows: boxes found by their title
// and answered with the keys a user would press.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "msgbox/msgbox_service.h"
#include "settings/open_dialog.h"

namespace {

void PressEnter(HWND w) {
  PostMessageW(w, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(w, WM_KEYUP, VK_RETURN, 0xC0000001);
}

// A plain top-level window of the program, to watch being disabled and enabled.
struct ProgramWindow {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"program form", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ~ProgramWindow() { DestroyWindow(hwnd); }
};

struct NestedProbe {
  HWND form = nullptr;
  int depthInInner = -1;
  bool formEnabledWhileInner = true, formEnabledAfterInner = true, outerEnabledWhileInner = false;
  int inner = -1;
  int step = 0;
};
NestedProbe* g_probe = nullptr;

void CALLBACK InnerTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (!g_probe) {  // its test has ended: the probe is gone
    KillTimer(nullptr, id);
    return;
  }
  NestedProbe& q = *g_probe;
  if (q.step != 1) return;
  if (HWND innerBox = FindWindowW(nullptr, L"inner box")) {
    KillTimer(nullptr, id);
    q.step = 2;
    q.depthInInner = ModalDepth();
    q.formEnabledWhileInner = IsWindowEnabled(q.form);
    q.outerEnabledWhileInner = IsWindowEnabled(FindWindowW(nullptr, L"outer box"));
    PressEnter(innerBox);
  }
}

void CALLBACK NestedTimer(HWND, UINT, UINT_PTR id, DWORD) {
  NestedProbe& p = *g_probe;
  if (p.step == 0) {
    if (HWND outer = FindWindowW(nullptr, L"outer box")) {
      p.step = 1;
      KillTimer(nullptr, id);
      // A second box opened from inside the first one's wait.
      SetTimer(nullptr, 0, 50, InnerTimer);
      p.inner = ShowMsgBox(L"inner", 0x40, L"inner box");
      p.formEnabledAfterInner = IsWindowEnabled(p.form);
      PressEnter(outer);
    }
  }
}

TEST(MsgBoxService, NestedBoxesDisableOnceAndEnableAfterBoth) {
  ProgramWindow form;
  NestedProbe probe;
  probe.form = form.hwnd;
  g_probe = &probe;
  const UINT_PTR t = SetTimer(nullptr, 0, 50, NestedTimer);
  const int outer = ShowMsgBox(L"outer", 16, L"outer box");
  KillTimer(nullptr, t);
  g_probe = nullptr;  // the timers must not reach the probe after this test
  EXPECT_EQ(outer, 1);
  EXPECT_EQ(probe.inner, 1);
  EXPECT_EQ(probe.depthInInner, 2);
  EXPECT_FALSE(probe.formEnabledWhileInner);
  EXPECT_TRUE(probe.outerEnabledWhileInner);
  EXPECT_FALSE(probe.formEnabledAfterInner);  // still inside the outer box
  EXPECT_TRUE(IsWindowEnabled(form.hwnd));
  EXPECT_EQ(ModalDepth(), 0);
}

void CALLBACK AnswerQuestion(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = FindWindowW(nullptr, L"설정 무시하고 닫기")) PressEnter(box);
}

TEST(MsgBoxService, YesNoBoxAnswersYesOnEnter) {
  const UINT_PTR t = SetTimer(nullptr, 0, 50, AnswerQuestion);
  const int answer = ShowMsgBox(L"설정이 저장되지 않습니다.\r\n종료하시겠습니까?", 52, L"설정 무시하고 닫기");
  KillTimer(nullptr, t);
  EXPECT_EQ(answer, 6);
}

HWND g_dialogOwner = nullptr;
bool formDisabledWhileOpen = false, seen = false, reported = false;

void CALLBACK CancelDialog(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND dialog = FindWindowW(nullptr, L"BGM 변경")) {
    seen = true;
    formDisabledWhileOpen = !IsWindowEnabled(g_dialogOwner);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
}

void CALLBACK AnswerReport(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = FindWindowW(nullptr, L"DLL호출 에러")) {
    reported = true;
    PressEnter(box);
  }
}

TEST(OpenDialog, CancelGivesFalseEmptyNameNoFlagsAndEnablesTheProgramAgain) {
  ProgramWindow form;
  g_dialogOwner = form.hwnd;
  const UINT_PTR t = SetTimer(nullptr, 0, 100, CancelDialog);
  DWORD flags = 0x80000;
  std::wstring name = L"C:\\music\\old.mp3";
  std::wstring filter = L"지원 음악파일(*.wav;*.mp3)|*.wav;*.mp3|";
  const bool chosen = ShowOpenDialog(form.hwnd, flags, name, L"BGM 변경", filter, L"");
  KillTimer(nullptr, t);
  EXPECT_TRUE(seen);
  EXPECT_FALSE(chosen);
  EXPECT_EQ(flags, 0u);
  EXPECT_TRUE(name.empty());
  EXPECT_EQ(filter, L"지원 음악파일(*.wav;*.mp3)|*.wav;*.mp3|");
  EXPECT_TRUE(formDisabledWhileOpen);
  EXPECT_TRUE(IsWindowEnabled(form.hwnd));
  EXPECT_EQ(ModalDepth(), 0);
}

TEST(OpenDialog, TooLongANameIsReportedAndGivesFalse) {
  const UINT_PTR t = SetTimer(nullptr, 0, 50, AnswerReport);
  DWORD flags = 0x80000;
  std::wstring name(20001, L'a');
  std::wstring filter = L"a|*.a|";
  EXPECT_FALSE(ShowOpenDialog(nullptr, flags, name, L"BGM 변경", filter, L""));
  KillTimer(nullptr, t);
  EXPECT_TRUE(reported);
  EXPECT_EQ(ModalDepth(), 0);
}

}  // namespace
