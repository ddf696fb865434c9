// Lumivale.scr run as Windows runs it: the screen-saver road, the missing core, and how the host
// watches the core on the configure road: it takes only the core's own top-level "設定", however
// late it comes, and otherwise lives exactly as long as the core, showing nothing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e_support.h"

namespace {

using Host = ProgramRun;

TEST(CodePage, IsTheOneThisRunAskedFor) {
  // Wine takes the ANSI code page from LC_ALL; the text cases run once under each.
  const char* locale = std::getenv("LC_ALL");
  ASSERT_NE(locale, nullptr);
  EXPECT_EQ(GetACP(), std::string(locale).rfind("ko_KR", 0) == 0 ? 949u : 1252u) << locale;
}

// The core gets the host's arguments exactly, after its own quoted path (one blank when there are
// none), and the host lives until the core ends.
TEST_F(Host, ScreenSaverRoadHandsOnTheArgumentsAndEndsWithTheCore) {
  const struct {
    const wchar_t* arguments;
    const char* core;
  } rows[] = {{L"/s", " /s"}, {L" /p  1234 ", " /p  1234 "}, {L"", " "}};
  for (const auto& row : rows) {
    SCOPED_TRACE("arguments \"" + Utf8(row.arguments) + "\"");
    DeleteFileW(log.c_str());
    Process host;
    ASSERT_TRUE(StartHost(host, row.arguments, L"decoys,exit:300"));
    ASSERT_TRUE(host.WaitExit(kDeadline));
    EXPECT_EQ(LogLine("cmdline", 0), "cmdline \"" + Utf8(program) + "\\LumivaleCore.dll\"" + row.core);
    EXPECT_FALSE(CoreAlive());
  }
}

TEST_F(Host, MissingCoreIsReportedAndEnterEndsTheProgram) {
  DeleteFileW((program + L"\\LumivaleCore.dll").c_str());
  Process host;
  ASSERT_TRUE(StartHost(host, L"/s", L""));
  HWND box = WaitForWindow(L"런타임 에러");
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(host.WaitExit(300));  // the program waits for the answer
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_EQ(host.ExitCode(), 0u);
  EXPECT_TRUE(ReadFileBytes(log).empty());
}


// The dialog shows once "設定" is there; its close, untouched, asks nothing, writes nothing and
// closes the core's window.
TEST_F(Host, SettingsWindowFoundLateOrRenamedAfterCreation) {
  for (const wchar_t* mode : {L"late:1200", L"rename:1200"}) {
    SCOPED_TRACE(Utf8(mode));
    DeleteFileW(log.c_str());
    Process host;
    ASSERT_TRUE(StartHost(host, L"/c", mode));
    HWND dialog = WaitForWindow(L"Lumivale! Screen Saver - Setting");
    ASSERT_NE(dialog, nullptr);
    const std::string before = ReadFileBytes(SettingsFile());
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(host.WaitExit(kDeadline));
    EXPECT_EQ(LogLine("message WM_CLOSE"), "message WM_CLOSE");
    EXPECT_EQ(LogLine("exit"), "exit");
    EXPECT_EQ(ReadFileBytes(SettingsFile()), before);
  }
}

// A child titled "設定" and a top-level title that only starts so are not the settings window.
TEST_F(Host, ChildWindowAndLongerTitleAreNeverTaken) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/c", L"decoys,exit:1500"));
  Watch watch;
  ASSERT_TRUE(WatchUntilExit(host, watch)) << watch.shown;
  EXPECT_EQ(watch.shown, "");
  EXPECT_EQ(LogLine("exit", 0), "exit");
}

TEST_F(Host, CoreWithoutAWindowEndsTheHostSilentlyAndRunsOn) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/c", L"nowindow,exit:20000"));
  Watch watch;
  ASSERT_TRUE(WatchUntilExit(host, watch));
  EXPECT_EQ(host.ExitCode(), 0u);
  EXPECT_EQ(watch.shown, "");
  EXPECT_TRUE(CoreAlive());
}

// At once, or while the host waits for it to be idle.
TEST_F(Host, CoreEndingBeforeItIsIdleEndsTheHostWithoutAWindow) {
  for (const wchar_t* mode : {L"abort:0", L"abort:300"}) {
    SCOPED_TRACE(Utf8(mode));
    DeleteFileW(log.c_str());
    Process host;
    ASSERT_TRUE(StartHost(host, L"/c", mode));
    Watch watch;
    ASSERT_TRUE(WatchUntilExit(host, watch));
    EXPECT_EQ(host.ExitCode(), 0u);
    EXPECT_EQ(watch.shown, "");
    EXPECT_FALSE(LogLine("pid ", 0).empty());
    EXPECT_FALSE(CoreAlive());
  }
}

// However long the core takes to get a message queue, the host waits for it without a window of
// its own, and ends once the core is gone.
TEST_F(Host, CoreStuckBeforeItsFirstMessageQueueHoldsTheHostUntilItEnds) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/c", L"stall"));
  Watch watch;
  EXPECT_FALSE(WatchUntilExit(host, watch, 3500));  // past every start-up grace of the host
  KillCore();
  ASSERT_TRUE(WatchUntilExit(host, watch));
  EXPECT_EQ(host.ExitCode(), 0u);
  EXPECT_EQ(watch.shown, "");
}

}  // namespace
