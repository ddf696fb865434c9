// The host against a core that fails before the settings dialog shows: whatever the core does,
// the host ends by itself (exit code 0) once the core is gone, and shows no window meanwhile.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

struct Case {
  const char* name;
  const wchar_t* mode;
};
std::string Name(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }
// Test lists (and so CTest's names) show the mode rather than the bytes of the case.
void PrintTo(const Case& c, std::ostream* out) { *out << Utf8(c.mode); }

class CoreEndsEarly : public ProgramRun, public ::testing::WithParamInterface<Case> {};

// Each of these cores is gone within 0.3 s of its start.
TEST_P(CoreEndsEarly, HostEndsAtOnceWithoutAWindow) {
  Process host;
  const DWORD started = GetTickCount();
  ASSERT_TRUE(StartHost(host, L"/c", GetParam().mode));
  std::vector<ShownWindow> shown;
  ASSERT_TRUE(WatchUntilExit(host, kDeadline, shown));
  EXPECT_LT(GetTickCount() - started, 5000u);
  EXPECT_EQ(host.ExitCode(), 0u);
  EXPECT_TRUE(shown.empty()) << Describe(shown);
  EXPECT_NE(CorePid(), 0u);
  EXPECT_FALSE(CoreAlive());
}

INSTANTIATE_TEST_SUITE_P(
    Supervision, CoreEndsEarly,
    ::testing::Values(Case{"AtOnceBeforeIdle", L"abort:0"}, Case{"AfterAPauseBeforeIdle", L"abort:300"},
                      Case{"WhileTheScanWaitsForItsSettingsWindow", L"late:5000,crash:300"}),
    Name);

class CoreStuck : public ProgramRun, public ::testing::WithParamInterface<Case> {};

// The host lives as long as the core, however long it takes to show "設定", and shows nothing
// of its own meanwhile; once the core is gone it ends promptly (a scan pass is 100 ms).
TEST_P(CoreStuck, HostWaitsWithoutAWindowAndEndsWithTheCore) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/c", GetParam().mode));
  std::vector<ShownWindow> shown;
  EXPECT_FALSE(WatchUntilExit(host, 3500, shown));  // past every start-up grace of the host
  KillCore();
  const DWORD killed = GetTickCount();
  ASSERT_TRUE(WatchUntilExit(host, kDeadline, shown));
  EXPECT_LT(GetTickCount() - killed, 2000u);
  EXPECT_EQ(host.ExitCode(), 0u);
  EXPECT_TRUE(shown.empty()) << Describe(shown);
}

INSTANTIATE_TEST_SUITE_P(Supervision, CoreStuck,
                         ::testing::Values(Case{"BeforeItsFirstMessageQueue", L"stall"},
                                           Case{"WithAWindowButNoSettingsWindow", L"late:60000,hang:300"}),
                         Name);

using Supervision = ProgramRun;

// The core may end just before or just after the scan finds "設定": either the host ends by
// itself, or it shows the dialog and reports the loss, and OK ends it.
TEST_F(Supervision, CoreEndingAsItsSettingsWindowShowsNeverStrandsTheHost) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/c", L"crash:0"));
  std::vector<ShownWindow> shown;
  HWND box = nullptr;
  for (const DWORD until = GetTickCount() + kDeadline;
       !WatchUntilExit(host, 100, shown) && !(box = FindWindowW(nullptr, L"유지 불가"));)
    ASSERT_GT(static_cast<int>(until - GetTickCount()), 0) << "neither ended nor reported";
  if (box) {
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
    ASSERT_TRUE(WatchUntilExit(host, kDeadline, shown));
  }
  EXPECT_EQ(host.ExitCode(), 0u);
  // The dialog's tips count as the dialog.
  std::erase_if(shown, [](const ShownWindow& w) {
    return w.title == L"Lumivale! Screen Saver - Setting" || w.title == L"유지 불가" ||
           w.windowClass == L"tooltips_class32";
  });
  EXPECT_TRUE(shown.empty()) << Describe(shown);
}

}  // namespace
