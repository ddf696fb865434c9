// The screen-saver host run as Windows runs it: Lumivale.scr beside the reference core, in a
// program folder with a Korean name, with APPDATA pointing at a fresh folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e_support.h"

namespace {

using Host = ProgramRun;

TEST(CodePage, IsTheOneThisRunAskedFor) {
  // Wine takes the ANSI code page from LC_ALL; these tests run once under each.
  const char* locale = std::getenv("LC_ALL");
  ASSERT_NE(locale, nullptr);
  EXPECT_EQ(GetACP(), std::string(locale).rfind("ko_KR", 0) == 0 ? 949u : 1252u) << locale;
}

TEST_F(Host, ScreenSaverRunEndsWhenTheCoreEnds) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/s", L"exit:300"));
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_EQ(WaitForLogLine(log, "cmdline", 0), "cmdline \"" + Utf8(program) + "\\LumivaleCore.dll\" /s");
  EXPECT_EQ(WaitForLogLine(log, "exit", 0), "exit") << ReadFileBytes(log);
}

TEST_F(Host, CoreReceivesArgumentsExactlyAndOneBlankWithoutAny) {
  {
    Process host;
    ASSERT_TRUE(StartHost(host, L" /p  1234 ", L"exit:100"));
    ASSERT_TRUE(host.WaitExit(kDeadline));
    EXPECT_EQ(WaitForLogLine(log, "cmdline", 0), "cmdline \"" + Utf8(program) + "\\LumivaleCore.dll\" /p  1234 ");
  }
  DeleteFileW(log.c_str());
  Process host;
  ASSERT_TRUE(StartHost(host, L"", L"child,exit:300"));
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_EQ(WaitForLogLine(log, "cmdline", 0), "cmdline \"" + Utf8(program) + "\\LumivaleCore.dll\" ");
}

TEST_F(Host, SettingsFileIsCreatedBeforeTheCoreStarts) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/s", L"exit:100"));
  ASSERT_TRUE(host.WaitExit(kDeadline));
  const std::string expected = Template("5", "<BGMfile />", "0", "0");
  EXPECT_EQ(WaitForLogLine(log, "settings", 0), "settings " + Hex(expected));
  EXPECT_EQ(ReadFileBytes(SettingsFile()), expected);
}

TEST_F(Host, SettingsFileIsNormalisedWithTheDefaultMusicAndNormalAttributes) {
  ASSERT_TRUE(WriteFileBytes(program + L"\\Lumivale BGM.mp3", "ID3"));
  CreateDirectoryW((appData + L"\\Lumivale!!").c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(SettingsFile(),
                             "<lumivalescreenserver><INTERPOLATIONMODE>3.5</INTERPOLATIONMODE>"
                             "<omake2>0.5</omake2><BGMfile>C:\\nowhere\\*.mp3</BGMfile>\n"));
  SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  Process host;
  ASSERT_TRUE(StartHost(host, L"/s", L"exit:100"));
  ASSERT_TRUE(host.WaitExit(kDeadline));
  const std::string expected =
      Template("4", "<BGMfile>" + Utf8(program) + "\\Lumivale BGM.mp3</BGMfile>", "0", "255");
  EXPECT_EQ(WaitForLogLine(log, "settings", 0), "settings " + Hex(expected));
  EXPECT_EQ(ReadFileBytes(SettingsFile()), expected);
  EXPECT_EQ(GetFileAttributesW(SettingsFile().c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
}

TEST_F(Host, AppDataPointingNowhereWritesNothingAndTheCoreStillStarts) {
  for (const std::wstring& value : {appData + L"\\missing\\deeper", std::wstring()}) {
    DeleteFileW(log.c_str());
    Process host;
    ASSERT_TRUE(Start(host, program + L"\\Lumivale.scr", L"/s",
                      {L"APPDATA=" + value, L"LUMIVALE_CORE_LOG=" + log, L"LUMIVALE_CORE_MODE=exit:100"}));
    ASSERT_TRUE(host.WaitExit(kDeadline));
    EXPECT_FALSE(WaitForLogLine(log, "cmdline", 0).empty());
    EXPECT_EQ(GetFileAttributesW((appData + L"\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(L"C:\\Lumivale!!"), INVALID_FILE_ATTRIBUTES);
  }
}

TEST_F(Host, MissingCoreIsReportedAndEnterEndsTheProgram) {
  DeleteFileW((program + L"\\LumivaleCore.dll").c_str());
  Process host;
  ASSERT_TRUE(StartHost(host, L"/s", L""));
  HWND box = WaitForWindow(L"런타임 에러", kDeadline);
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(host.WaitExit(300));  // the program waits for the answer
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_TRUE(ReadFileBytes(log).empty());
}

TEST_F(Host, CoreWithoutWindowsEndsTheHostSilentlyAndRunsOn) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/s", L"nowindow,exit:20000"));
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_TRUE(CoreAlive());
}

TEST_F(Host, ChildWindowTitledLikeTheSettingsWindowIsNeverTaken) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/c", L"child,exit:1500"));
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_EQ(FindWindowW(nullptr, L"Lumivale! Screen Saver - Setting"), nullptr);
}

TEST_F(Host, ConfigureRoadShowsTheSettingsWindowAndClosesTheCoresOnClose) {
  for (const wchar_t* mode : {L"", L"third", L"late:1200", L"rename:1200"}) {
    DeleteFileW(log.c_str());
    Process host;
    ASSERT_TRUE(StartHost(host, L"/c", mode));
    HWND dialog = WaitForWindow(L"Lumivale! Screen Saver - Setting", kDeadline);
    ASSERT_NE(dialog, nullptr) << "mode " << Utf8(mode);
    EXPECT_TRUE(CoreAlive());
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(host.WaitExit(kDeadline));
    EXPECT_EQ(WaitForLogLine(log, "message WM_CLOSE", kDeadline), "message WM_CLOSE");
    EXPECT_EQ(WaitForLogLine(log, "exit", kDeadline), "exit");
  }
}

TEST_F(Host, CoreGoneWhileTheSettingsWindowIsOpenIsReported) {
  Process host;
  ASSERT_TRUE(StartHost(host, L"/c", L"crash:1500"));
  ASSERT_NE(WaitForWindow(L"Lumivale! Screen Saver - Setting", kDeadline), nullptr);
  HWND box = WaitForWindow(L"유지 불가", kDeadline);
  ASSERT_NE(box, nullptr);
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
  ASSERT_TRUE(host.WaitExit(kDeadline));
}

}  // namespace
