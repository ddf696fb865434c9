// The window hooks: what each phase may do to a message, the stubs' code pages execute-read only
// with unwind data for stack walks, and a hook removed inside its own window's dispatch, which
// must neither crash nor leak.
#include <gtest/gtest.h>

#include "ui/live_objects.h"
#include "ui/subclass_win.h"
#include "tests/win32/support.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

// A window whose procedure answers the probe with wParam + 5.
struct PlainWindow : test::HostForm {
  HWND hwnd = Window::hwnd();
  Handled OnOther(UINT msg, WPARAM w, LPARAM) override {
    if (msg != kProbe) return {};
    return static_cast<LRESULT>(w) + 5;
  }
};

using Owner = test::HookSpy;

WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)); }

// Handled in the before phase, the message skips the procedure and the after phase and gives the
// owner's result; otherwise the procedure gets the argument the before phase set (10: 15) and the
// after phase sees the procedure's result and may replace it.
TEST(Thunk, EachPhaseActsOnTheMessageAsItsContractSays) {
  struct Row { bool handled; LRESULT afterSaw, result; };
  for (const Row& r : {Row{.handled = true, .afterSaw = 0, .result = 42}, Row{.handled = false, .afterSaw = 15, .result = 77}}) {
    PlainWindow w;
    Owner owner;
    ASSERT_GE(owner.service.HookWindow(w.hwnd), 0);
    owner.service.HookMessage(w.hwnd, kProbe, kHookBoth);
    LRESULT afterSaw = 0;
    owner.act = [&](bool before, bool& handled, LRESULT& result, HWND, WPARAM& wParam) {
      if (!before) afterSaw = result;
      handled = before && r.handled;
      result = before ? 42 : 77;
      wParam = 10;
    };
    EXPECT_EQ(SendMessageW(w.hwnd, kProbe, 1, 0), r.result) << r.handled;
    EXPECT_EQ(afterSaw, r.afterSaw) << r.handled;
  }
}

TEST(Thunk, CodeIsExecuteReadOnlyAndStackWalksPassThroughIt) {
  PlainWindow w;
  Owner owner;
  ASSERT_GE(owner.service.HookWindow(w.hwnd), 0);
  owner.service.HookMessage(w.hwnd, kProbe, kHookBefore);
  const auto* stub = reinterpret_cast<const char*>(ProcOf(w.hwnd));
  MEMORY_BASIC_INFORMATION code{}, data{};
  ASSERT_NE(VirtualQuery(stub, &code, sizeof code), 0u);
  ASSERT_NE(VirtualQuery(stub + 4096, &data, sizeof data), 0u);
  EXPECT_EQ(code.Protect, static_cast<DWORD>(PAGE_EXECUTE_READ));
  EXPECT_EQ(data.Protect, static_cast<DWORD>(PAGE_READWRITE));
  int frames = 0, stubFrame = -1;
  owner.act = [&](bool, bool&, LRESULT&, HWND, WPARAM&) {
    void* trace[64];
    frames = CaptureStackBackTrace(0, 64, trace, nullptr);
    for (int i = 0; i < frames; ++i)
      if (trace[i] > stub && trace[i] < stub + 64) stubFrame = i;
  };
  EXPECT_EQ(SendMessageW(w.hwnd, kProbe, 1, 0), 6);
  EXPECT_EQ(owner.calls, 1);
#if defined(_M_X64) || defined(__x86_64__)
  ASSERT_GE(stubFrame, 0) << "the walk reaches the stub";
  EXPECT_GT(frames, stubFrame + 2) << "and goes on past it";
#endif
}

TEST(Thunk, UnhookedInsideItsOwnDispatchLeavesNothing) {
  PlainWindow w;
  const WNDPROC original = ProcOf(w.hwnd);
  const int blocks = LiveHookBlocks();
  Owner owner;
  for (int i = 0; i < 500; ++i) {
    owner.calls = 0;
    ASSERT_GE(owner.service.HookWindow(w.hwnd), 0);
    owner.service.HookMessage(w.hwnd, kProbe, kHookBoth);
    owner.act = [&](bool before, bool&, LRESULT&, HWND h, WPARAM&) {
      if (before) owner.service.UnhookWindow(h);
    };
    ASSERT_EQ(SendMessageW(w.hwnd, kProbe, 4, 0), 9) << "the procedure still runs";
    ASSERT_EQ(owner.calls, 1) << "the after phase is silenced";
    ASSERT_EQ(ProcOf(w.hwnd), original);
  }
  EXPECT_EQ(LiveHookBlocks(), blocks);
  EXPECT_EQ(owner.service.SlotCount(), 1);
}

}  // namespace
