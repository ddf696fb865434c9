// Saving from the settings dialog, driven with real keys and clicks: an Enter pressed in another
// window saves nothing when released on the dialog, and a save that cannot replace the file is
// reported and keeps the dialog with its choices.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

class DialogSave : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    ASSERT_TRUE(StartHost(host, L"/c", L""));
    dialog = WaitForWindow(L"Lumivale! Screen Saver - Setting", kDeadline);
    ASSERT_NE(dialog, nullptr);
    GetWindowRect(dialog, &rect);
    Sleep(300);  // the dialog paints and takes the keyboard
  }
  void Click(int x, int y) { ClickAt(rect.left + x, rect.top + y); }
  static void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
  }
  template <class Condition>
  static bool WaitUntil(Condition condition) {
    for (DWORD until = GetTickCount() + kDeadline; !condition();) {
      if (static_cast<int>(until - GetTickCount()) <= 0) return false;
      Sleep(20);
    }
    Sleep(200);
    return true;
  }
  static bool Foreground(HWND window) {
    return WaitUntil([window] { return GetForegroundWindow() == window; });
  }
  bool Enabled() const {
    return WaitUntil([this] { return IsWindowEnabled(dialog) != FALSE; });
  }
  std::wstring PathBoxText() const {
    wchar_t text[1024] = {};
    if (HWND box = FindWindowExW(dialog, nullptr, L"Edit", nullptr))
      SendMessageW(box, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // The dialog stays, asks the core nothing, and the file is as it was.
  void ExpectKept(const std::string& before) {
    EXPECT_EQ(WaitForLogLine(log, "message WM_CLOSE", 3000), "");
    EXPECT_FALSE(host.WaitExit(0));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(ReadFileBytes(SettingsFile()), before);
  }

  Process host;
  HWND dialog = nullptr;
  RECT rect{};
};

TEST_F(DialogSave, HangulPathChosenWithEnterInTheFileDialogSavesNothingUntilTheNextEnter) {
  ASSERT_TRUE(CreateDirectoryW((program + L"\\음악").c_str(), nullptr));
  const std::wstring music = program + L"\\음악\\곡 1.mp3";
  ASSERT_TRUE(WriteFileBytes(music, "ID3"));
  const std::string before = ReadFileBytes(SettingsFile());
  Click(330, 63);
  HWND files = WaitForWindow(L"BGM 변경", kDeadline, L"#32770");
  ASSERT_NE(files, nullptr);
  wchar_t typed[1024] = {};
  for (int i = 0; i < 100 && music != typed; ++i) {  // once the dialog has made its name box
    Sleep(50);
    SetDlgItemTextW(files, 0x47C, music.c_str());
    SendDlgItemMessageW(files, 0x47C, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(typed));
  }
  ASSERT_EQ(music, typed);
  PostMessageW(files, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(files, 0x47C)), TRUE);
  ASSERT_TRUE(Foreground(files));

  // The press closes the file dialog; the release comes once the dialog has the keyboard back.
  Key(VK_RETURN, false);
  ASSERT_TRUE(WaitGone(files, kDeadline));
  ASSERT_TRUE(Enabled());
  ASSERT_TRUE(Foreground(dialog));
  Key(VK_RETURN, true);
  ExpectKept(before);
  EXPECT_EQ(PathBoxText(), music);

  PressKey(VK_RETURN);
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_EQ(ReadFileBytes(SettingsFile()), Template("5", "<BGMfile>" + Utf8(music) + "</BGMfile>", "0", "0"));
}

TEST_F(DialogSave, SaveOverAFileHeldOpenIsReportedAndKeepsTheDialogAndItsChoices) {
  Click(30, 96 + 18 * 2 + 9);  // the third quality option
  const std::string before = ReadFileBytes(SettingsFile());
  // Another program reads the file and lets no one delete it: the new file cannot be moved over.
  HANDLE held = CreateFileW(SettingsFile().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Click(337, 227);  // the save button
  HWND box = WaitForWindow(L"설정 저장 실패", kDeadline);
  DWORD owner = 0;
  GetWindowThreadProcessId(box, &owner);
  EXPECT_EQ(owner, host.Id());
  ExpectKept(before);
  CloseHandle(held);
  ASSERT_NE(box, nullptr);

  PressKey(VK_RETURN);  // OK
  ASSERT_TRUE(WaitGone(box, kDeadline));
  ASSERT_TRUE(Enabled());
  ExpectKept(before);
  PressKey(VK_RETURN);  // the same choices, saved now that the file is free
  ASSERT_TRUE(host.WaitExit(kDeadline));
  EXPECT_EQ(ReadFileBytes(SettingsFile()), Template("2", "<BGMfile />", "0", "0"));
}

}  // namespace
