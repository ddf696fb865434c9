#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "magnetic/magnetic_wnd.h"
#include "test_window.h"

using namespace magnetic_test;

namespace {

WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)); }

RECT Sized(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

RECT WorkArea() {
  RECT r = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

void MoveTo(HWND h, int x, int y) {
  SetWindowPos(h, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Glued(const cMagneticWnd& m, HWND h) {
  const auto& layout = m.Layout();
  return layout.Entries()[layout.IndexOfWindow(reinterpret_cast<magnetic::WindowId>(h))].Glued;
}

// A drag as a user makes it: the cursor on the window, a real button press (which the window
// turns into the platform's move loop), moves and release from another thread while this one
// runs the loop.
class UserDrag {
 public:
  // Drags by (dx, dy) in `steps` moves; false if the platform's move loop never ran.
  static bool Run(TestWindow& w, POINT grab, int dx, int dy, int steps) {
    SetForegroundWindow(w.hwnd());
    SetCursorPos(grab.x, grab.y);
    Pump();
    const int enteredBefore = w.enterSizeMove;
    const int exitedBefore = w.exitSizeMove;
    std::atomic<int> stage{0};
    std::thread user([&] {
      Send(MOUSEEVENTF_LEFTDOWN, 0, 0);
      // The press is read where it happened only if nothing moves before the loop has begun.
      for (int t = 0; t < 200 && w.enterSizeMove == enteredBefore; ++t) Sleep(10);
      for (int i = 1; i <= steps; ++i) {
        const int movingBefore = w.moving;
        Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, grab.x + dx * i / steps, grab.y + dy * i / steps);
        // One WM_MOVING per move; wait for it so that moves are not merged.
        for (int t = 0; t < 200 && w.moving == movingBefore; ++t) Sleep(10);
      }
      Send(MOUSEEVENTF_LEFTUP, 0, 0);
      stage = 1;
    });
    const bool ran = PumpUntil([&] { return stage == 1 && w.exitSizeMove > exitedBefore; });
    user.join();
    Pump();
    return ran && w.enterSizeMove > enteredBefore;
  }

 private:
  static void Send(DWORD flags, int x, int y) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
      // Normalised coordinates name the pixel whose range holds them: aim at the pixel's middle.
      const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
      in.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / cx);
      in.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / cy);
    }
    SendInput(1, &in, sizeof in);
  }
};

constexpr DWORD kShownPopup = WS_POPUP | WS_VISIBLE;

POINT Middle(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Real drags run in a fresh process each (a death-test child that must exit with 0): under Wine,
// once a window of the process has been destroyed, a later move loop or window destruction in that
// process can die of an X error (BadWindow from UnmapWindow). A scenario reports what failed on
// stderr.
class Scenario {
 public:
  void Check(bool ok, const std::string& what) {
    if (!ok) {
      std::fprintf(stderr, "failed: %s\n", what.c_str());
      failed_ = true;
    }
  }
  // Ends the process on the spot, windows and all: destroying a window after a move loop is what
  // upsets Wine's X11 driver.
  [[noreturn]] void Exit() const {
    std::fflush(stderr);
    ExitProcess(failed_ ? 1 : 0);
  }

 private:
  bool failed_ = false;
};

std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

class MagneticWndTest : public ::testing::Test {
 protected:
  void SetUp() override { blocksBefore = HookService::LiveBlocks(); }
  void TearDown() override {
    ReleaseCapture();
    EXPECT_EQ(HookService::LiveBlocks(), blocksBefore);
  }
  int blocksBefore = 0;
};

}  // namespace

TEST_F(MagneticWndTest, RegistersFiveMessagesInTheirPhasesOncePerWindow) {
  TestWindow w(Sized(300, 200, 300, 200));
  {
    cMagneticWnd magnetic;
    ASSERT_TRUE(magnetic.AddWindow(w.hwnd(), nullptr));
    EXPECT_FALSE(magnetic.AddWindow(w.hwnd(), nullptr));
    EXPECT_EQ(magnetic.Hooks().SlotCount(), 1);
    const auto slot = magnetic.Hooks().Slot(0);
    EXPECT_EQ(slot.BeforeTable, (std::vector<std::uint32_t>{WM_NCLBUTTONDOWN, WM_SYSCOMMAND}));
    EXPECT_EQ(slot.AfterTable, (std::vector<std::uint32_t>{WM_MOVING, WM_EXITSIZEMOVE, WM_COMMAND}));
    EXPECT_NE(ProcOf(w.hwnd()), TestWindow::OriginalProc());
    EXPECT_FALSE(magnetic.RemoveWindow(reinterpret_cast<HWND>(0x1234)));
    EXPECT_TRUE(magnetic.RemoveWindow(w.hwnd()));
    EXPECT_EQ(ProcOf(w.hwnd()), TestWindow::OriginalProc());
    EXPECT_FALSE(magnetic.RemoveWindow(w.hwnd()));
    EXPECT_TRUE(magnetic.AddWindow(w.hwnd(), nullptr));
    EXPECT_EQ(magnetic.Hooks().SlotCount(), 1) << "the slot is reused";
  }
  EXPECT_EQ(ProcOf(w.hwnd()), TestWindow::OriginalProc()) << "destruction unhooks";
}

TEST_F(MagneticWndTest, DestructionUnhooksEveryWindow) {
  TestWindow a(Sized(100, 100, 200, 200)), b(Sized(300, 100, 200, 200)), c(Sized(600, 100, 200, 200));
  auto magnetic = std::make_unique<cMagneticWnd>();
  magnetic->AddWindow(a.hwnd(), nullptr);
  magnetic->AddWindow(b.hwnd(), a.hwnd());
  magnetic->AddWindow(c.hwnd(), nullptr);
  EXPECT_EQ(HookService::LiveBlocks(), blocksBefore + 3);
  magnetic.reset();
  for (HWND h : {a.hwnd(), b.hwnd(), c.hwnd()}) EXPECT_EQ(ProcOf(h), TestWindow::OriginalProc());
}

TEST_F(MagneticWndTest, MovingMessagesComeBackSnappedToTheWorkArea) {
  const RECT work = WorkArea();
  TestWindow w(Sized(work.left + 200, work.top + 200, 300, 200));
  cMagneticWnd magnetic;
  magnetic.AddWindow(w.hwnd(), nullptr);
  // Pressed 50 right of the left edge and 10 below the top (not on the caption: no move loop).
  SetCursorPos(work.left + 250, work.top + 210);
  SendMessageW(w.hwnd(), WM_NCLBUTTONDOWN, HTNOWHERE, 0);
  struct Case {
    int cursorX;
    int expectedLeft;
  } cases[] = {{work.left + 59, work.left}, {work.left + 60, work.left + 10}, {work.left + 41, work.left}};
  for (const auto& c : cases) {
    SetCursorPos(c.cursorX, work.top + 210);
    RECT proposed = Sized(777, 555, 300, 200);  // replaced by the grabbed position under the cursor
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed)), 1);
    EXPECT_EQ(proposed.left, c.expectedLeft) << c.cursorX;
    EXPECT_EQ(proposed.top, work.top + 200);
    EXPECT_EQ(proposed.right - proposed.left, 300);
  }
  EXPECT_EQ(w.Count(WM_MOVING), 3) << "the window's own procedure still sees each";
}

[[noreturn]] static void RealDragNearTheEdge() {
  Scenario s;
  const RECT work = WorkArea();
  TestWindow w(Sized(work.left + 120, work.top + 200, 300, 200), kShownPopup, true);
  w.dragBySurface = true;
  cMagneticWnd magnetic;
  magnetic.AddWindow(w.hwnd(), nullptr);
  // 114 to the left: the window's left edge would come to 6 pixels from the work area's.
  s.Check(UserDrag::Run(w, Middle(w.hwnd()), -114, 30, 4), "the move loop ran");
  s.Check(w.moving > 0, "WM_MOVING arrived");
  const RECT r = w.Rect();
  s.Check(r.left == work.left && r.top == work.top + 230 && r.right - r.left == 300,
          "snapped flush to the work area's left edge: " + Text(r) + " in " + Text(work));
  s.Exit();
}

TEST(MagneticRealDrag, NearTheWorkAreaEdgeSnaps) {
  EXPECT_EXIT(RealDragNearTheEdge(), ::testing::ExitedWithCode(0), "");
}

[[noreturn]] static void RealDragWithAGluedWindow() {
  Scenario s;
  const RECT work = WorkArea();
  TestWindow parent(Sized(work.left + 300, work.top + 200, 300, 200), kShownPopup, true);
  TestWindow child(Sized(work.left + 600, work.top + 250, 150, 100), kShownPopup);
  TestWindow loose(Sized(work.left + 300, work.top + 500, 150, 100), kShownPopup);
  parent.dragBySurface = true;
  cMagneticWnd magnetic;
  magnetic.AddWindow(parent.hwnd(), nullptr);
  magnetic.AddWindow(child.hwnd(), parent.hwnd());
  magnetic.AddWindow(loose.hwnd(), parent.hwnd());
  s.Check(Glued(magnetic, child.hwnd()), "the child touching its parent is glued");
  s.Check(!Glued(magnetic, loose.hwnd()), "the loose one is not");

  const RECT parentBefore = parent.Rect();
  const RECT childBefore = child.Rect();
  const RECT looseBefore = loose.Rect();
  s.Check(UserDrag::Run(parent, Middle(parent.hwnd()), 60, -40, 3), "the move loop ran");
  const RECT p = parent.Rect();
  const RECT c = child.Rect();
  s.Check(p.left == parentBefore.left + 60 && p.top == parentBefore.top - 40, "the parent moved: " + Text(p));
  s.Check(c.left - p.left == childBefore.left - parentBefore.left &&
              c.top - p.top == childBefore.top - parentBefore.top,
          "the child kept its place beside it: " + Text(c));
  s.Check(loose.Rect().left == looseBefore.left && loose.Rect().top == looseBefore.top, "the loose one stayed");
  s.Check(Glued(magnetic, child.hwnd()), "glue checked again at the end of the drag");
  s.Exit();
}

TEST(MagneticRealDrag, AGluedWindowFollowsItsDraggedParent) {
  EXPECT_EXIT(RealDragWithAGluedWindow(), ::testing::ExitedWithCode(0), "");
}

TEST_F(MagneticWndTest, KeyboardMoveBecomesADragFromTheCaptionMiddle) {
  TestWindow w(Sized(201, 150, 301, 200));
  cMagneticWnd magnetic;
  magnetic.AddWindow(w.hwnd(), nullptr);
  SetCursorPos(5, 5);
  SendMessageW(w.hwnd(), WM_SYSCOMMAND, SC_MOVE, 0);
  POINT p = {};
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 352) << "201 + 150.5, half to even";
  EXPECT_EQ(p.y, 162);
  EXPECT_EQ(GetCapture(), w.hwnd());
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEALL));
  ASSERT_EQ(w.Count(WM_SYSCOMMAND), 1);
  EXPECT_EQ(w.log.back().msg, static_cast<UINT>(WM_SYSCOMMAND));
  EXPECT_EQ(w.log.back().wParam, 0u) << "the keyboard move loop must not start";
  ReleaseCapture();

  // A command carrying a hit-test code in its low bits is not the keyboard move.
  SetCursorPos(5, 5);
  SendMessageW(w.hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(w.log.back().wParam, static_cast<WPARAM>(SC_MOVE | HTCAPTION));
  EXPECT_NE(GetCapture(), w.hwnd());
}

TEST_F(MagneticWndTest, CloseCommandRunsTheUnloadPathBeforeTheWindowSeesIt) {
  TestWindow w(Sized(200, 150, 300, 200));
  std::vector<std::string> order;
  w.onMessage = [&](UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_SYSCOMMAND) order.push_back("window " + std::to_string(wParam));
  };
  cMagneticWnd magnetic;
  magnetic.AddWindow(w.hwnd(), nullptr, [&] { order.push_back("unload"); });
  SendMessageW(w.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(order, (std::vector<std::string>{"unload", "window " + std::to_string(SC_CLOSE)}));

  order.clear();
  SendMessageW(w.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(order, (std::vector<std::string>{"window " + std::to_string(SC_MINIMIZE)}));
}

TEST_F(MagneticWndTest, AnUnloadPathThatRemovesTheWindowOrEndsTheManagerIsSafe) {
  TestWindow w(Sized(200, 150, 300, 200));
  for (int i = 0; i < 300; ++i) {
    int seen = w.Count(WM_SYSCOMMAND);
    {
      cMagneticWnd magnetic;
      magnetic.AddWindow(w.hwnd(), nullptr, [&] { magnetic.RemoveWindow(w.hwnd()); });
      SendMessageW(w.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
      ASSERT_EQ(w.Count(WM_SYSCOMMAND), seen + 1);
      ASSERT_EQ(ProcOf(w.hwnd()), TestWindow::OriginalProc());
    }
    seen = w.Count(WM_SYSCOMMAND);
    auto* owned = new cMagneticWnd;
    owned->AddWindow(w.hwnd(), nullptr, [&] { delete owned; });
    SendMessageW(w.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(w.Count(WM_SYSCOMMAND), seen + 1);
    ASSERT_EQ(ProcOf(w.hwnd()), TestWindow::OriginalProc());
    ASSERT_EQ(HookService::LiveBlocks(), blocksBefore);
  }
}

TEST_F(MagneticWndTest, CommandsAndRestoreCheckTheGlueAgain) {
  TestWindow parent(Sized(300, 200, 300, 200));
  TestWindow child(Sized(700, 250, 150, 100), WS_POPUP);
  cMagneticWnd magnetic;
  magnetic.AddWindow(parent.hwnd(), nullptr);
  magnetic.AddWindow(child.hwnd(), parent.hwnd());
  EXPECT_FALSE(Glued(magnetic, child.hwnd()));

  MoveTo(child.hwnd(), parent.Rect().right, 250);
  EXPECT_FALSE(Glued(magnetic, child.hwnd())) << "moves alone do not recompute the glue";
  SendMessageW(child.hwnd(), WM_COMMAND, 0, 0);
  EXPECT_TRUE(Glued(magnetic, child.hwnd()));

  MoveTo(child.hwnd(), 900, 250);
  SendMessageW(parent.hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(Glued(magnetic, child.hwnd()));

  MoveTo(child.hwnd(), parent.Rect().right, 250);
  magnetic.RemoveWindow(parent.hwnd());
  EXPECT_EQ(magnetic.Layout().Entries()[1].hWndParent, 0u);
  EXPECT_FALSE(Glued(magnetic, child.hwnd()));
}
