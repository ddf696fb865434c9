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

// The core gets the host's arguments exactly, after its own quoted path, and the host lives until
// the core ends.
TEST_F(Host, ScreenSaverRoadHandsOnTheArgumentsAndEndsWithTheCore) {
  Process host;
  ASSERT_TRUE(StartHost(host, L" /p  1234 ", L"decoys,exit:300"));
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_EQ(LogLine("cmdline", 0), "cmdline \"" + Utf8(program) + "\\LumivaleCore.dll\" /p  1234 ");
  EXPECT_FALSE(CoreAlive());
}

// A core that is not there, or cannot be started, is reported; Enter ends the program.
TEST_F(Host, MissingCoreOrOneThatCannotStartIsReportedAndEnterEndsTheProgram) {
  struct Row { const char* core; const wchar_t* title; };  // the core file's bytes, or no file
  for (const Row& r : {Row{nullptr, L"런타임 에러"}, Row{"not a program", L"PID 추출 에러"}}) {
    SCOPED_TRACE(Utf8(r.title));
    DeleteFileW((program + L"\\LumivaleCore.dll").c_str());
    if (r.core) {
      ASSERT_TRUE(WriteFileBytes(program + L"\\LumivaleCore.dll", r.core));
    }
    Process host;
    ASSERT_TRUE(StartHost(host, L"/s", L""));
    HWND box = WaitForWindow(r.title);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(host.WaitExit(300));  // the program waits for the answer
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
    ASSERT_TRUE(host.WaitExit(kDeadline));
    EXPECT_EQ(host.ExitCode(), 0u);
    EXPECT_TRUE(ReadFileBytes(log).empty());
  }
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
    const std::string before = ReadFileBytes(SettingsFile());
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(host.WaitExit(kDeadline));
    EXPECT_EQ(LogLine("message WM_CLOSE"), "message WM_CLOSE");
    EXPECT_EQ(LogLine("exit"), "exit");
    EXPECT_EQ(ReadFileBytes(SettingsFile()), before);
  }
}

// Without the core's own top-level "設定" the host shows nothing and ends with the core (a child
// titled so and a title that only starts so are never taken), once the idle core has no window
// (the core runs on), when the core ends before it is idle, or, however long a core takes to get
// its first message queue, once it is gone (heldUntilKilled: still waiting past every grace).
TEST_F(Host, WithoutTheSettingsWindowNeverTakenTheHostEndsSilently) {
  struct Row { const wchar_t* mode; bool coreRunsOn, heldUntilKilled; };
  for (const Row& r : {Row{L"decoys,exit:1500", false, false}, Row{L"nowindow,exit:20000", true, false},
                       Row{L"abort:0", false, false}, Row{L"abort:300", false, false}, Row{L"stall", false, true}}) {
    SCOPED_TRACE(Utf8(r.mode));
    EndCore();
    DeleteFileW(log.c_str());
    Process host;
    ASSERT_TRUE(StartHost(host, L"/c", r.mode));
    Watch watch;
    if (r.heldUntilKilled) {
      EXPECT_FALSE(WatchUntilExit(host, watch, 3500));
      KillCore();
    }
    ASSERT_TRUE(WatchUntilExit(host, watch));
    EXPECT_EQ(host.ExitCode(), 0u);
    EXPECT_EQ(watch.shown, "");
    EXPECT_FALSE(LogLine("pid ", 0).empty());
    EXPECT_EQ(CoreAlive(), r.coreRunsOn);
  }
}

}  // namespace
