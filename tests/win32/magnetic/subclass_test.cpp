#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "magnetic/subclass_win.h"
#include "test_window.h"

using namespace magnetic_test;

namespace {

struct Call {
  bool before;
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LRESULT lReturn;
};

// An owner that records every callback and lets a test act inside it.
class RecordingOwner final : public HookOwner {
 public:
  HookService service{*this};
  std::vector<Call> calls;
  std::function<void(bool, bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&)> act;

  void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                      WPARAM& wParam, LPARAM& lParam) override {
    calls.push_back({bBefore, lng_hWnd, uMsg, wParam, lReturn});
    // A copy: the action may destroy this owner.
    if (auto a = act) a(bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
  }
  int CallsFor(UINT msg) const {
    int n = 0;
    for (const auto& c : calls) n += c.msg == msg ? 1 : 0;
    return n;
  }
};

WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)); }

RECT At(int x, int y) { return {x, y, x + 200, y + 150}; }

class HookServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    blocksBefore = HookService::LiveBlocks();
    thunksBefore = magnetic::Thunk::LiveCount();
  }
  void TearDown() override {
    EXPECT_EQ(HookService::LiveBlocks(), blocksBefore) << "blocks leaked";
    EXPECT_EQ(magnetic::Thunk::LiveCount(), thunksBefore) << "stubs leaked";
  }
  int blocksBefore = 0;
  int thunksBefore = 0;
};

}  // namespace

TEST_F(HookServiceTest, EmptyFiltersChangeNothing) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  ASSERT_EQ(owner.service.HookWindow(w.hwnd()), 0);
  EXPECT_NE(ProcOf(w.hwnd()), TestWindow::OriginalProc());
  EXPECT_EQ(SendMessageW(w.hwnd(), kProbe, 5, 0), 11);
  EXPECT_TRUE(SetWindowTextW(w.hwnd(), L"안녕 title"));
  wchar_t text[64] = {};
  GetWindowTextW(w.hwnd(), text, 64);
  EXPECT_STREQ(text, L"안녕 title");
  EXPECT_TRUE(owner.calls.empty());
  const auto slot = owner.service.Slot(0);
  EXPECT_EQ(slot.hWnd, w.hwnd());
  EXPECT_EQ(slot.CodeAddress, ProcOf(w.hwnd()));
  EXPECT_EQ(slot.PrevWndProc, TestWindow::OriginalProc());
  EXPECT_EQ(slot.BeforeCount, 0);
  EXPECT_EQ(slot.AfterCount, 0);
  ASSERT_FALSE(w.log.empty());
  EXPECT_EQ(w.Count(kProbe), 1);
}

TEST_F(HookServiceTest, StubCodeIsExecuteReadAndItsDataIsNotExecutable) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  owner.service.HookWindow(w.hwnd());
  MEMORY_BASIC_INFORMATION code = {}, data = {};
  auto* stub = reinterpret_cast<const char*>(ProcOf(w.hwnd()));
  ASSERT_NE(VirtualQuery(stub, &code, sizeof code), 0u);
  EXPECT_EQ(code.Protect, static_cast<DWORD>(PAGE_EXECUTE_READ));
  ASSERT_NE(VirtualQuery(stub + 4096, &data, sizeof data), 0u);
  EXPECT_EQ(data.Protect, static_cast<DWORD>(PAGE_READWRITE));
}

#if defined(_M_X64) || defined(__x86_64__)
TEST_F(HookServiceTest, StackWalksPassThroughTheStub) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  owner.service.HookWindow(w.hwnd());
  owner.service.HookMessage(w.hwnd(), kProbe, kHookBefore);
  const auto stub = reinterpret_cast<std::uintptr_t>(ProcOf(w.hwnd()));
  DWORD64 base = 0;
  EXPECT_NE(RtlLookupFunctionEntry(stub, &base, nullptr), nullptr) << "the stub has unwind data";
  int stubFrame = -1, frames = 0;
  owner.act = [&](bool, bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) {
    void* trace[64];
    frames = CaptureStackBackTrace(0, 64, trace, nullptr);
    for (int i = 0; i < frames; ++i) {
      const auto a = reinterpret_cast<std::uintptr_t>(trace[i]);
      if (a > stub && a < stub + 64) stubFrame = i;
    }
  };
  SendMessageW(w.hwnd(), kProbe, 1, 0);
  ASSERT_GE(stubFrame, 0) << "the walk reached the stub";
  EXPECT_GT(frames, stubFrame + 2) << "and went on past it to the platform and this test";
}
#endif

TEST_F(HookServiceTest, HandledBeforePhaseSkipsTheProcedureAndTheAfterPhase) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  owner.service.HookWindow(w.hwnd());
  owner.service.HookMessage(w.hwnd(), kProbe, kHookBoth);
  owner.act = [](bool before, bool& handled, LRESULT& result, HWND&, UINT&, WPARAM&, LPARAM&) {
    if (before) {
      EXPECT_EQ(result, 0);
      EXPECT_FALSE(handled);
      handled = true;
      result = 42;
    }
  };
  EXPECT_EQ(SendMessageW(w.hwnd(), kProbe, 5, 0), 42);
  EXPECT_EQ(w.Count(kProbe), 0);
  ASSERT_EQ(owner.calls.size(), 1u);
  EXPECT_TRUE(owner.calls[0].before);
  EXPECT_EQ(owner.calls[0].hwnd, w.hwnd());
}

TEST_F(HookServiceTest, ArgumentsChangedBeforeReachTheProcedureAndTheAfterPhaseSetsTheResult) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  owner.service.HookWindow(w.hwnd());
  owner.service.HookMessage(w.hwnd(), kProbe, kHookBefore);
  owner.service.HookMessage(w.hwnd(), kProbe, kHookAfter);
  owner.act = [](bool before, bool&, LRESULT& result, HWND&, UINT&, WPARAM& wParam, LPARAM& lParam) {
    if (before) {
      wParam = 20;
      lParam = 7;
    } else {
      EXPECT_EQ(wParam, 20u);
      EXPECT_EQ(lParam, 7);
      EXPECT_EQ(result, 41) << "the procedure's result";
      result = 99;
    }
  };
  EXPECT_EQ(SendMessageW(w.hwnd(), kProbe, 5, 0), 99);
  ASSERT_EQ(w.Count(kProbe), 1);
  EXPECT_EQ(w.log.back().wParam, 20u);
  EXPECT_EQ(w.log.back().lParam, 7);
  ASSERT_EQ(owner.calls.size(), 2u);
  EXPECT_TRUE(owner.calls[0].before);
  EXPECT_FALSE(owner.calls[1].before);
}

TEST_F(HookServiceTest, FiltersListAMessageOncePerPhaseAndOnlyTheirOwnMessages) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  owner.service.HookWindow(w.hwnd());
  owner.service.HookMessage(w.hwnd(), kProbe, kHookBefore);
  owner.service.HookMessage(w.hwnd(), kProbe, kHookBefore);
  owner.service.HookMessage(w.hwnd(), WM_USER + 9, kHookAfter);
  const auto slot = owner.service.Slot(0);
  EXPECT_EQ(slot.BeforeTable, (std::vector<std::uint32_t>{kProbe}));
  EXPECT_EQ(slot.BeforeCount, 1);
  EXPECT_EQ(slot.AfterTable, (std::vector<std::uint32_t>{WM_USER + 9}));
  SendMessageW(w.hwnd(), kProbe, 1, 0);
  SendMessageW(w.hwnd(), kProbe + 1, 1, 0);
  EXPECT_EQ(owner.CallsFor(kProbe), 1);
  EXPECT_EQ(owner.calls.size(), 1u);
}

TEST_F(HookServiceTest, BothPhasesCallBackTwiceAndAllMessagesMeansAll) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  owner.service.HookWindow(w.hwnd());
  owner.service.HookMessage(w.hwnd(), kProbe, kHookBoth);
  SendMessageW(w.hwnd(), kProbe, 3, 0);
  ASSERT_EQ(owner.calls.size(), 2u);
  EXPECT_TRUE(owner.calls[0].before);
  EXPECT_EQ(owner.calls[0].lReturn, 0);
  EXPECT_FALSE(owner.calls[1].before);
  EXPECT_EQ(owner.calls[1].lReturn, 7);

  owner.calls.clear();
  owner.service.HookMessage(w.hwnd(), HookService::kAllMessages, kHookAfter);
  EXPECT_EQ(owner.service.Slot(0).AfterCount, -1);
  EXPECT_EQ(owner.service.Slot(0).BeforeCount, 1);
  SendMessageW(w.hwnd(), WM_USER + 77, 0, 0);
  SendMessageW(w.hwnd(), WM_NULL, 0, 0);
  EXPECT_EQ(owner.CallsFor(WM_USER + 77), 1);
  EXPECT_EQ(owner.CallsFor(WM_NULL), 1);
}

TEST_F(HookServiceTest, UnhookingRestoresTheProcedureAndFreedSlotsAreReused) {
  TestWindow a(At(100, 100)), b(At(350, 100)), c(At(600, 100));
  RecordingOwner owner;
  EXPECT_EQ(owner.service.HookWindow(a.hwnd()), 0);
  EXPECT_EQ(owner.service.HookWindow(b.hwnd()), 1);
  owner.service.HookMessage(a.hwnd(), kProbe, kHookBoth);
  owner.service.UnhookWindow(a.hwnd());
  EXPECT_EQ(ProcOf(a.hwnd()), TestWindow::OriginalProc());
  EXPECT_EQ(owner.service.FindHookSlot(a.hwnd(), false), -1);
  EXPECT_EQ(owner.service.Slot(0).hWnd, nullptr);
  EXPECT_EQ(owner.service.Slot(0).BeforeCount, 0);
  EXPECT_EQ(SendMessageW(a.hwnd(), kProbe, 2, 0), 5);
  EXPECT_TRUE(owner.calls.empty());

  EXPECT_EQ(owner.service.HookWindow(c.hwnd()), 0) << "the freed slot";
  EXPECT_EQ(owner.service.HookWindow(a.hwnd()), 2) << "no free slot left: a new one";
  EXPECT_EQ(owner.service.SlotCount(), 3);
  EXPECT_EQ(owner.service.Slot(2).BeforeCount, 0) << "a fresh block calls back for nothing";

  // Operations on a window without a slot do nothing.
  TestWindow stranger(At(100, 300));
  owner.service.HookMessage(stranger.hwnd(), kProbe, kHookBoth);
  owner.service.UnhookWindow(stranger.hwnd());
  EXPECT_EQ(ProcOf(stranger.hwnd()), TestWindow::OriginalProc());

  owner.service.UnhookAll();
  for (HWND h : {a.hwnd(), b.hwnd(), c.hwnd()}) EXPECT_EQ(ProcOf(h), TestWindow::OriginalProc());
  EXPECT_EQ(owner.service.FindHookSlot(nullptr, true), 2);
}

TEST_F(HookServiceTest, EachWindowCallsBackWithItsOwnHandle) {
  TestWindow a(At(100, 100)), b(At(350, 100));
  RecordingOwner owner;
  owner.service.HookWindow(a.hwnd());
  owner.service.HookWindow(b.hwnd());
  owner.service.HookMessage(a.hwnd(), kProbe, kHookBefore);
  owner.service.HookMessage(b.hwnd(), kProbe, kHookAfter);
  SendMessageW(b.hwnd(), kProbe, 1, 0);
  SendMessageW(a.hwnd(), kProbe, 2, 0);
  ASSERT_EQ(owner.calls.size(), 2u);
  EXPECT_EQ(owner.calls[0].hwnd, b.hwnd());
  EXPECT_FALSE(owner.calls[0].before);
  EXPECT_EQ(owner.calls[1].hwnd, a.hwnd());
  EXPECT_TRUE(owner.calls[1].before);
}

TEST_F(HookServiceTest, UnhookingInsideTheWindowsOwnDispatchIsSafe) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  for (int i = 0; i < 2000; ++i) {
    owner.calls.clear();
    ASSERT_GE(owner.service.HookWindow(w.hwnd()), 0);
    owner.service.HookMessage(w.hwnd(), kProbe, kHookBoth);
    owner.act = [&](bool before, bool&, LRESULT&, HWND& h, UINT&, WPARAM&, LPARAM&) {
      if (before) owner.service.UnhookWindow(h);
    };
    ASSERT_EQ(SendMessageW(w.hwnd(), kProbe, 4, 0), 9) << "the procedure still runs";
    ASSERT_EQ(owner.calls.size(), 1u) << "the after phase is silenced";
    ASSERT_EQ(ProcOf(w.hwnd()), TestWindow::OriginalProc());
  }
  EXPECT_EQ(owner.service.SlotCount(), 1);
  EXPECT_EQ(HookService::LiveBlocks(), blocksBefore);
}

TEST_F(HookServiceTest, UnhookingInANestedDispatchWaitsForTheOutermost) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  for (int i = 0; i < 500; ++i) {
    owner.calls.clear();
    owner.service.HookWindow(w.hwnd());
    owner.service.HookMessage(w.hwnd(), kProbe, kHookBoth);
    owner.act = [&](bool before, bool&, LRESULT&, HWND& h, UINT&, WPARAM& wParam, LPARAM&) {
      if (!before) return;
      if (wParam == 1) {
        EXPECT_EQ(SendMessageW(h, kProbe, 2, 0), 5);  // nested: this one unhooks
        EXPECT_EQ(HookService::LiveBlocks(), blocksBefore + 1) << "still dispatching: kept";
      } else {
        owner.service.UnhookWindow(h);
      }
    };
    ASSERT_EQ(SendMessageW(w.hwnd(), kProbe, 1, 0), 3);
    ASSERT_EQ(HookService::LiveBlocks(), blocksBefore);
    ASSERT_EQ(owner.calls.size(), 2u);
  }
}

TEST_F(HookServiceTest, AnOwnerDestroyedInsideItsCallbackStopsCallingBack) {
  TestWindow w(At(100, 100));
  for (int i = 0; i < 500; ++i) {
    auto* owner = new RecordingOwner;
    int afterCalls = 0;
    owner->service.HookWindow(w.hwnd());
    owner->service.HookMessage(w.hwnd(), kProbe, kHookBoth);
    owner->act = [&](bool before, bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) {
      if (before) {
        delete owner;  // the owner's service unhooks as it goes
      } else {
        ++afterCalls;
      }
    };
    ASSERT_EQ(SendMessageW(w.hwnd(), kProbe, 4, 0), 9);
    ASSERT_EQ(afterCalls, 0);
    ASSERT_EQ(ProcOf(w.hwnd()), TestWindow::OriginalProc());
  }
}

TEST_F(HookServiceTest, AThrowingCallbackDoesNotStopTheMessage) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  owner.service.HookWindow(w.hwnd());
  owner.service.HookMessage(w.hwnd(), kProbe, kHookBoth);
  owner.act = [](bool, bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) { throw std::runtime_error("x"); };
  EXPECT_EQ(SendMessageW(w.hwnd(), kProbe, 1, 0), 3);
  EXPECT_EQ(owner.calls.size(), 2u);
}

TEST_F(HookServiceTest, TwoOwnersOnOneWindowChainAndUnhookInReverse) {
  TestWindow w(At(100, 100));
  RecordingOwner first, second;
  first.service.HookWindow(w.hwnd());
  first.service.HookMessage(w.hwnd(), kProbe, kHookAfter);
  const WNDPROC firstBlock = ProcOf(w.hwnd());
  second.service.HookWindow(w.hwnd());
  second.service.HookMessage(w.hwnd(), kProbe, kHookBefore);
  EXPECT_EQ(second.service.Slot(0).PrevWndProc, firstBlock);
  second.act = [](bool, bool&, LRESULT&, HWND&, UINT&, WPARAM& wParam, LPARAM&) { wParam = 10; };
  EXPECT_EQ(SendMessageW(w.hwnd(), kProbe, 1, 0), 21);
  ASSERT_EQ(first.calls.size(), 1u);
  EXPECT_EQ(first.calls[0].wParam, 10u);
  second.service.UnhookWindow(w.hwnd());
  EXPECT_EQ(ProcOf(w.hwnd()), firstBlock);
  first.service.UnhookWindow(w.hwnd());
  EXPECT_EQ(ProcOf(w.hwnd()), TestWindow::OriginalProc());
}

TEST_F(HookServiceTest, TenThousandHooksLeakNothing) {
  TestWindow w(At(100, 100));
  RecordingOwner owner;
  const int pagesBefore = magnetic::Thunk::PageCount();
  for (int i = 0; i < 10000; ++i) {
    ASSERT_EQ(owner.service.HookWindow(w.hwnd()), 0);
    owner.service.HookMessage(w.hwnd(), kProbe, kHookBoth);
    owner.service.HookMessage(w.hwnd(), WM_USER + (i % 50), kHookAfter);
    if (i % 100 == 0) {
      ASSERT_EQ(SendMessageW(w.hwnd(), kProbe, 1, 0), 3);
    }
    owner.service.UnhookWindow(w.hwnd());
  }
  EXPECT_EQ(owner.service.SlotCount(), 1);
  EXPECT_EQ(HookService::LiveBlocks(), blocksBefore);
  EXPECT_EQ(magnetic::Thunk::LiveCount(), thunksBefore);
  EXPECT_LE(magnetic::Thunk::PageCount(), std::max(pagesBefore, 1));
  EXPECT_EQ(ProcOf(w.hwnd()), TestWindow::OriginalProc());
}

TEST_F(HookServiceTest, ManyWindowsSpreadOverSeveralStubPages) {
  std::vector<std::unique_ptr<TestWindow>> windows;
  RecordingOwner owner;
  for (int i = 0; i < 150; ++i) {
    windows.push_back(std::make_unique<TestWindow>(At(10 + i, 10), WS_OVERLAPPEDWINDOW));
    ASSERT_EQ(owner.service.HookWindow(windows.back()->hwnd()), i);
    owner.service.HookMessage(windows.back()->hwnd(), kProbe, kHookAfter);
  }
  EXPECT_GE(magnetic::Thunk::PageCount(), 3);
  owner.act = [](bool, bool&, LRESULT& result, HWND&, UINT&, WPARAM&, LPARAM&) { result += 1000; };
  for (int i = 0; i < 150; ++i) {
    ASSERT_EQ(SendMessageW(windows[i]->hwnd(), kProbe, i, 0), 2 * i + 1 + 1000);
    ASSERT_EQ(owner.calls.back().hwnd, windows[i]->hwnd());
  }
  owner.service.UnhookAll();
}
