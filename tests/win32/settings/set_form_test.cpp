// The settings dialog in process, with real windows and messages; the program's end and the core
// are replaced by recorders.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/set_form.h"
#include "settings/settings_store.h"
#include "tests/win32/input_support.h"
#include "ui/gdi.h"
#include "ui/picture.h"

namespace {

struct Ends {
  std::vector<bool> calls;  // closeCoreWindow of each end
};

class Dialog : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"lumivale-setform-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    SettingsPath = folder + L"\\Lumivale!!.xml";
    DeleteFileW(SettingsPath.c_str());
    Settings = SettingsRecord{5, u"", false, false};
    form = std::make_unique<SetForm>();
    form->EndProgramAction = [this](bool closeCore) { ends.calls.push_back(closeCore); };
    ASSERT_TRUE(form->Load());
  }
  void TearDown() override {
    form.reset();
    DeleteFileW(SettingsPath.c_str());
    RemoveDirectoryW(folder.c_str());
  }
  bool FileWritten() const { return GetFileAttributesW(SettingsPath.c_str()) != INVALID_FILE_ATTRIBUTES; }
  void KeyUp(HWND target, UINT vk, bool shift, bool ctrl, bool alt) {
    input::SetModifiers(shift, ctrl, alt);
    SendMessageW(target, WM_KEYUP, vk, 0xC0000001);
    input::SetModifiers(false, false, false);
  }

  std::wstring folder;
  std::unique_ptr<SetForm> form;
  Ends ends;
};

TEST_F(Dialog, EnterWithAModifierDoesNotSaveWhereverTheFocusIs) {
  for (HWND target : {form->hwnd(), form->PathBox()}) {
    KeyUp(target, VK_RETURN, true, false, false);
    KeyUp(target, VK_RETURN, false, true, false);
    KeyUp(target, VK_RETURN, false, false, true);
    EXPECT_FALSE(FileWritten());
    EXPECT_TRUE(ends.calls.empty());
  }
  SendMessageW(form->PathBox(), WM_KEYDOWN, VK_RETURN, 1);  // the path box has the keyboard
  KeyUp(form->PathBox(), VK_RETURN, false, false, false);
  EXPECT_TRUE(FileWritten());
  ASSERT_EQ(ends.calls.size(), 1u);
  EXPECT_TRUE(ends.calls[0]);  // the core's settings window is asked to close
}

TEST_F(Dialog, PathBoxSelectsAllSwallowsEnterAndTypedTextIsNeverTaken) {
  HWND box = form->PathBox();
  ASSERT_NE(box, nullptr);
  SetWindowTextW(box, L"C:\\음악\\a.mp3");
  SendMessageW(box, EM_SETSEL, 3, 3);
  SendMessageW(box, WM_CHAR, 1, 0);  // Ctrl+A
  DWORD start = 0, end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 11u);
  SendMessageW(box, WM_CHAR, 'x', 0);  // typed over the selection
  SendMessageW(box, WM_CHAR, VK_RETURN, 0);
  EXPECT_EQ(form->PathText(), L"x");  // Enter added nothing
  EXPECT_TRUE(Settings.BGMfile.empty());
  EXPECT_TRUE(form->SettingsSaved);
}

TEST_F(Dialog, ClosingAsksOnlyWithUnsavedChangesAndNoKeepsTheDialog) {
  EXPECT_TRUE(form->Unload());  // nothing changed: no question
  ASSERT_EQ(ends.calls.size(), 1u);

  form->SettingsSaved = false;
  static int questions = 0;
  questions = 0;
  struct Answer {
    static void CALLBACK No(HWND, UINT, UINT_PTR, DWORD) {
      if (HWND q = FindWindowW(nullptr, L"설정 무시하고 닫기")) {
        ++questions;
        PostMessageW(q, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(q, WM_KEYUP, VK_ESCAPE, 0xC0000001);
      }
    }
  };
  const UINT_PTR answer = SetTimer(nullptr, 0, 50, Answer::No);
  EXPECT_FALSE(form->Unload());
  // The system close command runs the same path once (not again for its WM_CLOSE).
  SendMessageW(form->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  KillTimer(nullptr, answer);
  EXPECT_EQ(questions, 2);
  EXPECT_EQ(ends.calls.size(), 1u);
  EXPECT_TRUE(IsWindow(form->hwnd()));
  EXPECT_FALSE(form->SettingsSaved);
}

TEST_F(Dialog, LoadedDialogIsRoundedTopmostAndSavedState) {
  RECT r;
  GetWindowRect(form->hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 370);
  EXPECT_EQ(r.bottom - r.top, 250);
  EXPECT_TRUE(GetWindowLongW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(form->hwnd(), rgn), COMPLEXREGION);
  DeleteObject(rgn);
  EXPECT_TRUE(form->SettingsSaved);
  EXPECT_FALSE(IsWindowVisible(form->hwnd()));  // loaded, not shown
  EXPECT_NE(SendMessageW(form->hwnd(), WM_GETICON, ICON_BIG, 0), 0);
}

TEST(DialogLoad, ShowsTheStoredChoicesAndStaysClean) {
  struct Row { std::uint8_t mode; bool omake1, omake2; };
  for (const Row r : {Row{7, true, false}, Row{3, false, true}, Row{0, true, true}, Row{255, false, false}}) {
    Settings = SettingsRecord{r.mode, u"C:\\m.mp3", r.omake1, r.omake2};
    SetForm form;
    form.EndProgramAction = [](bool) {};
    ASSERT_TRUE(form.Load());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(form.OpQuality(i).value(), i == r.mode) << int(r.mode) << " " << i;
    EXPECT_EQ(form.Omake1().value(), r.omake1 ? 1 : 0);
    EXPECT_EQ(form.Omake2().value(), r.omake2 ? 1 : 0);
    EXPECT_EQ(form.PathText(), L"C:\\m.mp3");
    EXPECT_TRUE(form.SettingsSaved);  // the load's own writes are no change
    EXPECT_EQ(Settings.InterpolationMode, r.mode);
  }
}

TEST(DialogChoices, AClickChangesTheSettingInMemoryOnly) {
  Settings = SettingsRecord{5, u"", false, false};
  SetForm form;
  form.EndProgramAction = [](bool) {};
  ASSERT_TRUE(form.Load());
  const auto click = [](HWND w) {
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  };
  click(form.OpQuality(4).hWnd());
  EXPECT_EQ(Settings.InterpolationMode, 4);
  EXPECT_FALSE(form.SettingsSaved);
  EXPECT_TRUE(form.OpQuality(4).value());
  EXPECT_FALSE(form.OpQuality(5).value());
  click(form.Omake2().hWnd());
  EXPECT_TRUE(Settings.Omake2);
  click(form.Omake2().hWnd());
  EXPECT_FALSE(Settings.Omake2);
}

TEST(DialogResources, HundredOpenCloseCyclesLeakNoGdiObject) {
  Settings = SettingsRecord{5, u"", false, false};
  {
    SetForm warm;  // process-wide fonts and classes are made once
    warm.Load();
  }
  const long gdiBefore = LiveGdiObjects();
  const int picturesBefore = LivePictureCount();
  std::vector<HWND> windows;
  for (int i = 0; i < 100; ++i) {
    SetForm form;
    form.EndProgramAction = [](bool) {};
    // Loaded in full (controls, pictures, region, icon, magnetic registration) but not shown:
    // under Xvfb every shown window costs Wine 2 s to take down again.
    ASSERT_TRUE(form.Load());
    windows.push_back(form.hwnd());
    form.Unload();
  }
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  EXPECT_EQ(LivePictureCount(), picturesBefore);
  for (HWND w : windows) EXPECT_FALSE(IsWindow(w));
}

}  // namespace
