// The magnetic manager on a real window: the drag reads the work area of the window's monitor and
// the snap distance at the window's DPI (one monitor and 96 DPI here: Wine shows Xvfb so).
#include <gtest/gtest.h>

#include "magnetic/magnetic_windows.h"
#include "ui/window_utils.h"
#include "tests/win32/support.h"

namespace {

TEST(Magnetic, DragSnapsToTheWorkAreaOfTheWindowsMonitor) {
  RECT w{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &w, 0));
  const Rect work{w.left, w.top, w.right, w.bottom};
  EXPECT_EQ(MonitorAreaOf(nullptr), Box(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));

  test::HostForm form;
  const HWND window = form.hwnd();
  SetWindowPos(window, nullptr, work.left + 200, work.top + 150, 120, 80, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(MonitorAreaOf(window), MonitorAreaOf(nullptr));
  MagneticWindows manager;
  ASSERT_TRUE(manager.AddWindow(window, nullptr));

  // Grabbed at its top-left corner, moved to 9 and then 10 pixels from the work area's left edge.
  SetCursorPos(work.left + 200, work.top + 150);
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCLIENT, 0);
  EXPECT_EQ(manager.Layout().WindowRects()[0], work);
  EXPECT_EQ(manager.Layout().SnapDistance(), 10);  // a program that is not DPI-aware sees 96
  for (const int gap : {9, 10}) {
    SetCursorPos(work.left + gap, work.top + 150);
    RECT proposed{0, 0, 120, 80};
    EXPECT_EQ(SendMessageW(window, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed)), 1);
    EXPECT_EQ(proposed.left, work.left + (gap == 9 ? 0 : 10)) << gap;
    EXPECT_EQ(proposed.top, work.top + 150) << gap;
  }
  manager.RemoveWindow(window);
}

}  // namespace
