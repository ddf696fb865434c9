#include "controls/mouse_leave.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/win32/controls/test_support.h"

namespace {

// A plain window with a recording procedure that answers WM_APP with a result of its own.
std::vector<UINT> seen;
bool propertiesGoneAtNcDestroy = false;

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  seen.push_back(msg);
  if (msg == WM_APP) return static_cast<LRESULT>(wParam * 2 + lParam);
  if (msg == WM_NCDESTROY) propertiesGoneAtNcDestroy = GetPropW(hwnd, L"OldWindowProc") == nullptr &&
                                                      GetPropW(hwnd, L"CallbackObject") == nullptr &&
                                                      GetPropW(hwnd, L"CallbackName") == nullptr;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakePlain(HWND parent) {
  static const ATOM cls = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LeaveTestPlain";
    return RegisterClassW(&wc);
  }();
  (void)cls;
  return CreateWindowExW(0, L"LeaveTestPlain", L"", WS_CHILD | WS_VISIBLE, 20, 20, 100, 30, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

class MouseLeaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = MakePlain(form.hwnd());
    ASSERT_TRUE(window);
    seen.clear();
    dialog.DefineMethod(u"App_Path_MouseLeave", [this] { ++defaultCalls; });
    dialog.DefineMethod(u"Other", [this] { ++otherCalls; });
    dialog.DefineMethod(u"Fails", [] { throw std::runtime_error("callback failed"); });
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
  }
  WNDPROC Proc() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }
  bool Seen(UINT msg) const {
    for (UINT m : seen)
      if (m == msg) return true;
    return false;
  }

  test::HostForm form;
  HWND window = nullptr;
  NamedMethods dialog;
  int defaultCalls = 0, otherCalls = 0;
};

TEST_F(MouseLeaveTest, RealLeaveCallsTheNamedMethodOncePerArming) {
  ASSERT_TRUE(test::MoveMouseUntil(150, 130, [&] { return WindowFromPoint(POINT{150, 130}) == window; }));
  HookMouseLeave(window, u"App_Path", &dialog, u"");
  EXPECT_EQ(Proc(), &MouseLeaveProc);
  ASSERT_TRUE(test::MoveMouse(500, 500));
  ASSERT_TRUE(test::WaitFor([&] { return defaultCalls == 1; }));
  EXPECT_EQ(Proc(), &PlainProc);
  EXPECT_FALSE(MouseLeaveArmed(window));
  EXPECT_FALSE(Seen(WM_MOUSELEAVE));  // not passed on

  ASSERT_TRUE(test::MoveMouse(150, 130));  // not armed: a second leave calls nothing
  ASSERT_TRUE(test::MoveMouse(500, 500));
  test::PumpFor(50);
  EXPECT_EQ(defaultCalls, 1);
}

TEST_F(MouseLeaveTest, ArmingAnArmedWindowChangesNothing) {
  ASSERT_TRUE(test::MoveMouse(150, 130));
  HookMouseLeave(window, u"App_Path", &dialog, u"");
  NamedMethods second;
  int secondCalls = 0;
  second.DefineMethod(u"Other", [&] { ++secondCalls; });
  HookMouseLeave(window, u"Box", &second, u"Other");
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(defaultCalls, 1);
  EXPECT_EQ(secondCalls, 0);
}

TEST_F(MouseLeaveTest, OtherMessagesPassThroughWithTheirResults) {
  ASSERT_TRUE(test::MoveMouse(150, 130));
  HookMouseLeave(window, u"App_Path", &dialog, u"");
  EXPECT_EQ(SendMessageW(window, WM_APP, 20, 3), 43);
  EXPECT_TRUE(Seen(WM_APP));
  EXPECT_TRUE(MouseLeaveArmed(window));
}

TEST_F(MouseLeaveTest, FailingOrMissingCallbackStillUnarms) {
  for (const char16_t* name : {u"Fails", u"NoSuchMethod"}) {
    ASSERT_TRUE(test::MoveMouse(150, 130));
    HookMouseLeave(window, u"Box", &dialog, name);
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(MouseLeaveArmed(window));
    EXPECT_EQ(Proc(), &PlainProc);
    EXPECT_EQ(GetPropW(window, L"CallbackObject"), nullptr);
    EXPECT_EQ(GetPropW(window, L"CallbackName"), nullptr);
  }
}

TEST_F(MouseLeaveTest, RearmingFromTheCallbackDoesNothing) {
  ASSERT_TRUE(test::MoveMouse(150, 130));
  dialog.DefineMethod(u"Rearm", [this] {
    ++otherCalls;
    HookMouseLeave(window, u"Box", &dialog, u"Other");
  });
  HookMouseLeave(window, u"Box", &dialog, u"Rearm");
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(otherCalls, 1);
  EXPECT_FALSE(MouseLeaveArmed(window));
}

TEST_F(MouseLeaveTest, DestroyedWhileArmedLeavesNothingBehind) {
  ASSERT_TRUE(test::MoveMouse(150, 130));
  HookMouseLeave(window, u"App_Path", &dialog, u"");
  propertiesGoneAtNcDestroy = false;
  DestroyWindow(window);
  EXPECT_TRUE(Seen(WM_NCDESTROY));  // the old procedure still saw the end
  EXPECT_TRUE(propertiesGoneAtNcDestroy);
  EXPECT_EQ(defaultCalls, 0);
}

}  // namespace
