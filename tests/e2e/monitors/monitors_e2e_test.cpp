// The program on two monitors (the headless X server of scripts/xorg-two: the primary 1280x1024
// at 0,0, the second 1024x768 at 1280,128), with the layout changed by xrandr while it runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace {

const RECT kPrimary{0, 0, 1280, 1024}, kSecond{1280, 128, 2304, 896};

// A named CALLBACK: a lambda does not convert to the stdcall MONITORENUMPROC of the i686 build.
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM out) {
  reinterpret_cast<std::vector<RECT>*>(out)->push_back(*r);
  return TRUE;
}
std::vector<RECT> Monitors() {
  std::vector<RECT> out;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&out));
  return out;
}
bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}
std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," + std::to_string(r.bottom);
}
RECT WindowRect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

// xrandr on the X server Wine draws on (Wine starts a Unix program directly; it hands back no
// process to wait for), then the layout Wine reports, waited for.
bool ChangeLayout(const std::wstring& outputs, const std::vector<RECT>& expected) {
  std::wstring line = L"Z:\\usr\\bin\\xrandr " + outputs;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
  return WaitUntil([&] {
    const auto now = Monitors();
    return now.size() == expected.size() && std::equal(now.begin(), now.end(), expected.begin(), SameRect);
  });
}
const wchar_t* const kStartLayout = L"--output DUMMY0 --primary --mode 1280x1024 --pos 0x0 --output DUMMY1 --mode second --pos 1280x128";
const wchar_t* const kSecondOnTheLeft = L"--output DUMMY1 --pos -1024x128";
const RECT kSecondLeft{-1024, 128, 0, 896};

class TwoMonitors : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    ASSERT_TRUE(ChangeLayout(kStartLayout, {kPrimary, kSecond})) << "not the two-monitor X server of scripts/xorg-two";
  }
  void TearDown() override {
    ProgramRun::TearDown();
    ChangeLayout(kStartLayout, {kPrimary, kSecond});
  }
};

// The parts of the screen that differ from white, within each monitor: the scene's rectangles.
std::vector<RECT> ScenesOnScreen(const std::vector<RECT>& monitors) {
  const int x0 = GetSystemMetrics(SM_XVIRTUALSCREEN), y0 = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, x0, y0, SRCCOPY);
  GdiFlush();
  std::vector<RECT> scenes;
  for (const RECT& m : monitors) {
    RECT found{m.right, m.bottom, m.left, m.top};
    for (int y = m.top; y < m.bottom; ++y)
      for (int x = m.left; x < m.right; ++x)
        if ((static_cast<const std::uint32_t*>(bits)[(y - y0) * w + (x - x0)] & 0xFFFFFF) != 0xFFFFFF) {
          found.left = std::min<LONG>(found.left, x), found.top = std::min<LONG>(found.top, y);
          found.right = std::max<LONG>(found.right, x + 1), found.bottom = std::max<LONG>(found.bottom, y + 1);
        }
    scenes.push_back(found);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return scenes;
}

// The saver's window covers the virtual screen, with the whole scene fitted on each monitor.
::testing::AssertionResult SaverShows(HWND saver, const std::vector<RECT>& monitors, const std::vector<RECT>& scenes) {
  const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  std::vector<RECT> seen;
  const bool shown = WaitUntil([&] {
    seen = ScenesOnScreen(monitors);
    return SameRect(WindowRect(saver), screen) && std::equal(seen.begin(), seen.end(), scenes.begin(), SameRect);
  });
  if (shown) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "window " << Text(WindowRect(saver)) << " for screen " << Text(screen);
  for (const RECT& r : seen) failure << "; scene " << Text(r);
  return failure;
}

TEST_F(TwoMonitors, SaverShowsTheWholeSceneOnEachMonitorThroughEveryLayout) {
  wchar_t path[MAX_PATH];
  const std::wstring bin(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  ASSERT_TRUE(CopyFileW((bin.substr(0, bin.rfind(L'\\') + 1) + L"LumivaleCore.dll").c_str(),
                        (program + L"\\LumivaleCore.dll").c_str(), FALSE));
  CreateDirectoryW((appData + L"\\Lumivale!!").c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(SettingsFile(), Template("4", "<BGMfile />", "0", "255")));  // nearest pixel, white
  SetCursorPos(600, 500);
  Process run;
  ASSERT_TRUE(StartHost(run, L"/s", L""));
  HWND saver = WaitForWindow(L"Lumivale", L"LumivaleReferenceCore");
  ASSERT_NE(saver, nullptr);
  // Fitted: 1280x800 on the primary, 1024x640 on the second, each centred; white round them.
  EXPECT_TRUE(SaverShows(saver, {kPrimary, kSecond}, {{0, 112, 1280, 912}, {1280, 192, 2304, 832}}));
  ASSERT_TRUE(ChangeLayout(kSecondOnTheLeft, {kPrimary, kSecondLeft}));
  EXPECT_TRUE(SaverShows(saver, {kPrimary, kSecondLeft}, {{0, 112, 1280, 912}, {-1024, 192, 0, 832}}));
  ASSERT_TRUE(ChangeLayout(L"--output DUMMY1 --off", {kPrimary}));
  EXPECT_TRUE(SaverShows(saver, {kPrimary}, {{0, 112, 1280, 912}}));
  EXPECT_FALSE(run.WaitExit(0)) << "a change of the monitors ended the saver";
  for (int i = 0; i < 100 && !run.WaitExit(100); ++i) SetCursorPos(640 + i % 2 * 20, 500);  // the user's move
  EXPECT_TRUE(run.WaitExit(kDeadline));
}

TEST_F(TwoMonitors, DialogAndItsQuestionOnTheSecondMonitorAndBackOntoThePrimaryWhenItGoes) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/c", L"x:1500,y:300"));  // the core's "設定" on the second monitor
  HWND dialog = WaitForWindow(L"Lumivale! Screen Saver - Setting");
  ASSERT_NE(dialog, nullptr);
  // Under Wine the dialog, still hidden at the primary's centre, can be the foreground window
  // before it is placed: its place is read once it shows.
  ASSERT_TRUE(WaitUntil([dialog] { return IsWindowVisible(dialog) != FALSE; }));
  ASSERT_TRUE(WaitReady(dialog));
  RECT r = WindowRect(dialog);
  const LONG w = r.right - r.left, h = r.bottom - r.top;
  EXPECT_TRUE(SameRect(r, RECT{1280 + (1024 - w) / 2, 128 + (768 - h) / 2, 1280 + (1024 + w) / 2, 128 + (768 + h) / 2}))
      << "centred on the core's monitor: " << Text(r) << "; the core's window: "
      << Text(WindowRect(FindWindowW(L"LumivaleCoreDouble", L"設定")));

  // Dragged to 5 pixels above the second monitor's bottom, which the primary does not share: it snaps.
  ClickAt(r.left + 200, r.top + 30);  // the pointer's moves now reach the dialog
  SetCursorPos(r.left + 200, r.top + 30);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  const LONG dy = 896 - 5 - r.bottom;
  for (int step = 1; step <= 10; ++step, Sleep(30)) SetCursorPos(r.left + 200, r.top + 30 + dy * step / 10);
  WaitUntil([&] {  // the move loop may lag behind the pointer: the last place again until it follows
    SetCursorPos(r.left + 200 + 1, r.top + 30 + dy), Sleep(30), SetCursorPos(r.left + 200, r.top + 30 + dy);
    return WindowRect(dialog).bottom > 896 - 9;
  }, 5000);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(dialog).bottom == 896; }, 5000)) << Text(WindowRect(dialog));

  // A change, then the close: the question comes on the dialog's monitor; No keeps the dialog.
  ASSERT_TRUE(WaitReady(dialog));
  r = WindowRect(dialog);
  ClickAt(r.left + 30, r.top + 96 + 18 * 2 + 9);
  ClickAt(r.left + 346, r.top + 6);
  HWND box = WaitForWindow(L"설정 무시하고 닫기");
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(WaitReady(box));
  const RECT b = WindowRect(box);
  EXPECT_EQ(b.left, kSecond.left + (1024 - (b.right - b.left)) / 2) << "centred on the dialog's monitor: " << Text(b);
  EXPECT_EQ(b.top, kSecond.top + (768 - (b.bottom - b.top)) / 2) << "centred on the dialog's monitor: " << Text(b);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitGone(box));

  // The second monitor moves to the left of the primary: the dialog, left where no monitor is,
  // comes back wholly onto the nearest one, the primary.
  ASSERT_TRUE(ChangeLayout(kSecondOnTheLeft, {kPrimary, kSecondLeft}));
  EXPECT_TRUE(WaitUntil([&] { return Inside(WindowRect(dialog), kPrimary); })) << Text(WindowRect(dialog));
  // Put on the second monitor, which is then turned off: back onto the primary, wholly.
  SetWindowPos(dialog, nullptr, -800, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return Inside(WindowRect(dialog), kSecondLeft); })) << Text(WindowRect(dialog));
  ASSERT_TRUE(ChangeLayout(L"--output DUMMY1 --off", {kPrimary}));
  EXPECT_TRUE(WaitUntil([&] { return Inside(WindowRect(dialog), kPrimary); })) << Text(WindowRect(dialog));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_FALSE(host.WaitExit(0));
}

}  // namespace
