// The program on two monitors (the headless X server of scripts/xorg-two: the primary 1280x1024
// at 0,0, the second 1024x768 at 1280,128), the layout changed with xrandr while it runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "e2e_support.h"
#include "tools/reference-core/saver_picture_win.h"
#include "tools/reference-core/saver_window_win.h"

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

namespace {

const RECT kPrimary{0, 0, 1280, 1024}, kSecond{1280, 128, 2304, 896}, kLeft{-1024, 128, 0, 896};
const wchar_t kStart[] = L"--output DUMMY0 --primary --mode 1280x1024 --pos 0x0 "
                         L"--output DUMMY1 --mode second --pos 1280x128",
              kToTheLeft[] = L"--output DUMMY1 --pos -1024x128", kOff[] = L"--output DUMMY1 --off";

// A named CALLBACK: a lambda does not convert to the stdcall MONITORENUMPROC of the i686 build.
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM out) {
  return reinterpret_cast<std::vector<RECT>*>(out)->push_back(*r), TRUE;
}
RECT WindowRect(HWND w) {
  RECT r{};
  return GetWindowRect(w, &r), r;
}
// The window wholly on the area.
bool Inside(HWND w, const RECT& area) {
  RECT r = WindowRect(w), both{};
  return IntersectRect(&both, &r, &area) && both == r;
}

// xrandr on the X server Wine draws on (Wine starts a Unix program and hands back no process to
// wait for), then the monitors Wine reports, waited for. The dummy driver reports an output that
// has just been given a place as disconnected until the next probe (a plain xrandr query), and
// Wine leaves disconnected outputs out.
::testing::AssertionResult ChangeLayout(const std::wstring& outputs, const std::vector<RECT>& expected) {
  std::wstring line = L"Z:\\bin\\sh -c \"xrandr " + outputs + L" && xrandr >/dev/null\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    CloseHandle(pi.hThread), CloseHandle(pi.hProcess);
  std::vector<RECT> now;
  if (WaitUntil([&] {
        now.clear();
        return EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&now)) && now == expected;
      }))
    return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "Wine reports the monitors";
  for (const RECT& r : now) failure << " (" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
  return failure;
}

class TwoMonitors : public ProgramRun {
  void SetUp() override {
    ProgramRun::SetUp();
    ASSERT_TRUE(ChangeLayout(kStart, {kPrimary, kSecond})) << "not the two-monitor X server of scripts/xorg-two";
  }
  void TearDown() override { ProgramRun::TearDown(), ChangeLayout(kStart, {kPrimary, kSecond}); }
};

// The virtual screen, then the part of each monitor that is not white (the scene's).
std::vector<RECT> Shown(const std::vector<RECT>& monitors) {
  const DesktopSnapshot shot;
  const POINT o = shot.origin();
  const int w = shot.picture().width();
  std::vector<RECT> found{{o.x, o.y, o.x + w, o.y + shot.picture().height()}};
  for (const RECT& m : monitors) {
    RECT& f = found.emplace_back(RECT{m.right, m.bottom, m.left, m.top});
    for (LONG y = m.top; y < m.bottom; ++y)
      for (LONG x = m.left; x < m.right; ++x)
        if ((shot.picture().bits()[(y - o.y) * w + x - o.x] & 0xFFFFFF) != 0xFFFFFF)
          f = {std::min(f.left, x), std::min(f.top, y), std::max(f.right, x + 1), std::max(f.bottom, y + 1)};
  }
  return found;
}

TEST_F(TwoMonitors, SaverShowsTheWholeSceneOnEachMonitorThroughEveryLayout) {
  ASSERT_TRUE(CopyFileW((binaries + L"LumivaleCore.dll").c_str(), (program + L"\\LumivaleCore.dll").c_str(),
                        FALSE));  // the reference core
  CreateDirectoryW((appData + L"\\Lumivale!!").c_str(), nullptr);
  // Nearest pixel over white, and a broken music file, which does not stop the saver.
  ASSERT_TRUE(WriteFileBytes(program + L"\\broken.mp3", ""));
  ASSERT_TRUE(WriteFileBytes(SettingsFile(), FileOf({4, FromWide(program + L"\\broken.mp3"), false, true})));
  SetCursorPos(600, 500);
  Process run;
  ASSERT_TRUE(StartHost(run, L"/s", L""));
  HWND saver = WaitForWindow(L"Lumivale", L"LumivaleReferenceCore");
  DWORD_PTR frames = 0;  // the animation runs: the core's count of the frames it showed
  EXPECT_TRUE(WaitUntil([&] {
    return SendMessageTimeoutW(saver, kFramesShownMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &frames) && frames >= 10;
  }));
  // The window over the virtual screen; fitted and centred on each monitor: 1280x800, 1024x640.
  struct Row { const wchar_t* xrandr; std::vector<RECT> monitors, shown; } rows[] = {
      {kStart, {kPrimary, kSecond}, {{0, 0, 2304, 1024}, {0, 112, 1280, 912}, {1280, 192, 2304, 832}}},
      {kToTheLeft, {kPrimary, kLeft}, {{-1024, 0, 1280, 1024}, {0, 112, 1280, 912}, {-1024, 192, 0, 832}}},
      {kOff, {kPrimary}, {{0, 0, 1280, 1024}, {0, 112, 1280, 912}}},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(ChangeLayout(row.xrandr, row.monitors)) << row.xrandr;
    std::vector<RECT> seen;
    WaitUntil([&] { return (seen = Shown(row.monitors)) == row.shown && WindowRect(saver) == row.shown[0]; });
    EXPECT_EQ(seen, row.shown) << row.xrandr;
    EXPECT_EQ(WindowRect(saver), row.shown[0]) << row.xrandr;
    EXPECT_FALSE(run.WaitExit(0)) << "a change of the monitors ended the saver";
  }
  for (int i = 0; i < 100 && !run.WaitExit(100); ++i) SetCursorPos(640 + i % 2 * 20, 500);  // the user's move
  if (run.WaitExit(kDeadline)) return;
  ADD_FAILURE() << "the saver did not end on the user's move";
  DWORD core = 0;  // ended here: a saver left running would hold the test's output open
  GetWindowThreadProcessId(saver, &core);
  if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, core)) TerminateProcess(h, 1), CloseHandle(h);
}

// The rectangle of a window of that size centred on the second monitor.
RECT OnTheSecond(const RECT& r) {
  const LONG x = 1280 + (1024 - (r.right - r.left)) / 2, y = 128 + (768 - (r.bottom - r.top)) / 2;
  return {x, y, x + r.right - r.left, y + r.bottom - r.top};
}

TEST_F(TwoMonitors, DialogOnTheCoresMonitorSnapsThereAndComesBackOntoThePrimaryWhenItsMonitorGoes) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/c", L"x:1500,y:300"));  // the core's "設定" on the second monitor
  HWND dialog = WaitForWindow(L"Lumivale! Screen Saver - Setting");
  ASSERT_TRUE(WaitReady(dialog));  // shown, so placed
  const RECT r = WindowRect(dialog);
  EXPECT_EQ(r, OnTheSecond(r));

  // Dragged to 5 pixels above the second monitor's bottom, which the primary does not share: it snaps.
  ClickAt(r.left + 200, r.top + 30);  // the pointer's moves now reach the dialog
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  Sleep(500);  // the drag takes the pointer's place when the press arrives: not yet moved
  const LONG dy = 896 - 5 - r.bottom;
  for (int step = 1; step <= 10; ++step, Sleep(30)) SetCursorPos(r.left + 200, r.top + 30 + dy * step / 10);
  WaitUntil([&] {  // the move loop may lag behind the pointer: the last place again until it follows
    SetCursorPos(r.left + 201, r.top + 30 + dy), Sleep(30), SetCursorPos(r.left + 200, r.top + 30 + dy);
    return WindowRect(dialog).bottom > 896 - 9;
  }, 5000);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(dialog).bottom == 896; }, 5000));

  // A change, then the close: the question comes centred on the dialog's monitor; No keeps the dialog.
  ASSERT_TRUE(WaitReady(dialog));
  const RECT d = WindowRect(dialog);
  ClickAt(d.left + 30, d.top + 96 + 18 * 2 + 9), ClickAt(d.left + 346, d.top + 6);
  HWND box = WaitForWindow(L"설정 무시하고 닫기");
  ASSERT_TRUE(WaitReady(box));
  EXPECT_EQ(WindowRect(box), OnTheSecond(WindowRect(box)));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitGone(box));

  // The second monitor moves left of the primary: the dialog, now where no monitor is, comes
  // back wholly onto the nearest, the primary. Put on the second, which is then turned off: the same.
  ASSERT_TRUE(ChangeLayout(kToTheLeft, {kPrimary, kLeft}));
  EXPECT_TRUE(WaitUntil([&] { return Inside(dialog, kPrimary); }));
  SetWindowPos(dialog, nullptr, -800, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return Inside(dialog, kLeft); }));
  ASSERT_TRUE(ChangeLayout(kOff, {kPrimary}));
  EXPECT_TRUE(WaitUntil([&] { return Inside(dialog, kPrimary); }));
}

}  // namespace
