// The configure road driven as a user drives it: real clicks at points of the settings dialog and
// real keys, with the core's "設定" window behind it.
#include <gtest/gtest.h>

#include "dialog/dialog_layout.h"
#include "e2e_support.h"

namespace {

const wchar_t* const kQuestion = L"설정 무시하고 닫기";

class Dialog : public ProgramRun {
 protected:
  void Open(const std::wstring& mode = L"") {
    ASSERT_TRUE(StartHost(host, L"/c", mode));
    dialog = WaitForWindow(L"Lumivale! Screen Saver - Setting");
    // The window exists, hidden, before it is placed on the core's monitor: clicks go where it shows.
    ASSERT_TRUE(WaitReady(dialog));
    GetWindowRect(dialog, &rect);
  }
  void Click(int x, int y) { ClickAt(rect.left + x, rect.top + y); }
  static Point Centre(const Place& p) { return {p.x + p.width / 2, p.y + p.height / 2}; }
  void ClickIn(const Place& p) { Click(Centre(p).x, Centre(p).y); }
  void ClickOption(int index) { Click(30, OptionPlace(index).y + 9); }  // on the glyph
  void ClickCheck(int which) { Click(166, kOmakePlaces[which].y + 9); }
  // The open-file dialog with path typed into its name box, ready for the key that closes it.
  HWND ClickFolder() {
    // The pointer first, until the button shows its tip: its moves reach the dialog, so will the click.
    SetCursorPos(rect.left + Centre(kFolderPlace).x, rect.top + Centre(kFolderPlace).y);
    WaitUntil([] { return IsWindowVisible(FindWindowW(L"tooltips_class32", nullptr)); }, 5000);
    ClickIn(kFolderPlace);
    return WaitForWindow(L"BGM 변경", L"#32770");
  }
  // A box of the host's own, answered with a key once it has the keyboard.
  void Answer(const wchar_t* title, WORD key) {
    HWND box = WaitForWindow(title);
    DWORD owner = 0;
    GetWindowThreadProcessId(box, &owner);
    EXPECT_EQ(owner, host.pi.dwProcessId);
    ASSERT_TRUE(WaitReady(box));
    PressKey(key);
    ASSERT_TRUE(WaitGone(box));
  }
  // The program ended with the file so and the core asked to close its window.
  void ExpectEnded(const std::string& file) {
    ASSERT_TRUE(host.WaitExit(kDeadline));
    EXPECT_EQ(ReadFileBytes(SettingsFile()), file);
    EXPECT_EQ(LogLine("message WM_CLOSE"), "message WM_CLOSE");
  }
  // The dialog stays, asks the core nothing, and the file is as it was.
  void ExpectKept(const std::string& file) {
    EXPECT_EQ(LogLine("message WM_CLOSE", 1000), "");
    EXPECT_TRUE(IsWindowVisible(dialog));  // a window of a program that ended is gone
    EXPECT_EQ(ReadFileBytes(SettingsFile()), file);
  }

  Process host;
  HWND dialog = nullptr;
  RECT rect{};
};

// The host puts the settings file in order before the core starts (the default music of the
// program folder, rounded numbers, normal attributes).
TEST_F(Dialog, ConfigureRoadNormalisesTheFileBeforeTheCoreStarts) {
  ASSERT_TRUE(WriteFileBytes(program + L"\\Lumivale BGM.mp3", "ID3"));
  CreateDirectoryW((appData + L"\\Lumivale!!").c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(SettingsFile(), "<lumivalescreenserver><INTERPOLATIONMODE>3.5</INTERPOLATIONMODE>"
                                             "<omake2>0.5</omake2><BGMfile>C:\\nowhere\\*.mp3</BGMfile>\n"));
  SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  Open();
  EXPECT_EQ(ReadFileBytes(log + L".settings"), FileOf({4, FromWide(program + L"\\Lumivale BGM.mp3"), false, true}));
  EXPECT_EQ(GetFileAttributesW(SettingsFile().c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
}

using Discard = Dialog;

// An unsaved change asks before closing; No keeps the dialog and every choice, saved afterwards.
TEST_F(Discard, NoKeepsTheDialogAndEveryChoice) {
  Open();
  const std::string before = ReadFileBytes(SettingsFile());
  ClickOption(1);
  ClickCheck(0);
  ClickIn(kUnloadPlace);
  Answer(kQuestion, VK_ESCAPE);
  ASSERT_TRUE(WaitReady(dialog));
  ExpectKept(before);
  PressKey(VK_RETURN);
  ExpectEnded(FileOf({1, u"", true, false}));
}

// A choice changed and changed back still asks (Alt+F4 as the close button); Yes leaves the file.
TEST_F(Discard, ChangedBackStillAsksAndYesLeavesTheFile) {
  Open();
  const std::string before = ReadFileBytes(SettingsFile());
  ClickOption(0);
  ClickOption(5);
  PressKey(VK_F4, /*alt=*/true);
  Answer(kQuestion, VK_RETURN);
  ExpectEnded(before);
}

// The core gone while the dialog is open is reported by the host on top of whatever is open; OK
// ends the program.
class CoreGone : public Dialog, public ::testing::WithParamInterface<std::string> {};
TEST_P(CoreGone, IsReportedOnTopOfWhatIsOpenAndOkEnds) {
  Open();
  if (GetParam() == "Question") {
    ClickOption(1);
    ClickIn(kUnloadPlace);
    ASSERT_NE(WaitForWindow(kQuestion), nullptr);
  } else if (GetParam() == "FileDialog") {
    ASSERT_NE(ClickFolder(), nullptr);
  }
  KillCore();
  Answer(L"유지 불가", VK_RETURN);
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_EQ(host.ExitCode(), 0u);
}
INSTANTIATE_TEST_SUITE_P(Dialog, CoreGone, ::testing::Values("DialogAlone", "Question", "FileDialog"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// The close waits a bounded time for a core that takes no messages, then ends all the same.
TEST_F(Dialog, HungCoreHoldsTheCloseOnlyForABoundedTime) {
  Open(L"hang:300");
  ASSERT_EQ(LogLine("hang"), "hang");
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_EQ(host.ExitCode(), 0u);
  EXPECT_TRUE(CoreAlive());
}

}  // namespace
