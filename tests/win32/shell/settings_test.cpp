// The settings on real files and the settings dialog on real windows.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/system_win.h"
#include "dialog/set_form.h"
#include "settings/settings_store.h"
#include "tests/win32/support.h"
#include "ui/handles.h"
#include "base/wide.h"

namespace {

// Every disk call of a write counts; the call numbered g_failAt fails.
int g_calls = 0, g_failAt = -1;
bool Fails() {
  if (g_calls++ != g_failAt) return false;
  SetLastError(ERROR_ACCESS_DENIED);
  return true;
}
BOOL WINAPI Dir(LPCWSTR p, LPSECURITY_ATTRIBUTES s) { return !Fails() && CreateDirectoryW(p, s); }
HANDLE WINAPI Create(LPCWSTR p, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD d, DWORD f, HANDLE t) {
  return Fails() ? INVALID_HANDLE_VALUE : CreateFileW(p, a, s, sa, d, f, t);
}
BOOL WINAPI Write(HANDLE h, LPCVOID b, DWORD n, LPDWORD w, LPOVERLAPPED o) { return !Fails() && WriteFile(h, b, n, w, o); }
BOOL WINAPI Flush(HANDLE h) { return !Fails() && FlushFileBuffers(h); }
DWORD WINAPI GetAttr(LPCWSTR p) { return Fails() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(p); }
BOOL WINAPI SetAttr(LPCWSTR p, DWORD a) { return !Fails() && SetFileAttributesW(p, a); }
BOOL WINAPI Move(LPCWSTR f, LPCWSTR t, DWORD x) { return !Fails() && MoveFileExW(f, t, x); }
BOOL WINAPI Delete(LPCWSTR p) { return !Fails() && DeleteFileW(p); }

const SettingsDiskCalls kInjecting{ReadFile, Dir, Create, Write, Flush, GetAttr, SetAttr, Move, Delete};

std::string Read(const std::wstring& path) {
  Bytes bytes;
  return Win32SettingsFileSystem().ReadAll(FromWide(path), bytes) == IoResult::Ok ? std::string(bytes.begin(), bytes.end()) : "(none)";
}
// The file a save is to replace, with normal attributes (over any it had).
const std::string kOld = "old settings";
bool WriteOld(const std::wstring& path) {
  return Win32SettingsFileSystem().ReplaceContents(FromWide(path), Bytes(kOld.begin(), kOld.end())) == IoResult::Ok;
}

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return temp + std::wstring(name) + std::to_wstring(GetCurrentProcessId());
}

// The dialog, loaded but not shown; the program's end and the pages opened are recorded instead.
struct Dialog : ::testing::Test {
  std::wstring folder = TempFolder(L"lumivale-dialog-");
  std::unique_ptr<SetForm> form;
  std::vector<bool> ends;  // closeCoreWindow of each end
  std::vector<std::wstring> pages;  // each page opened
  void SetUp() override {
    CreateDirectoryW(folder.c_str(), nullptr);
    ProgramSettings().SettingsPath = folder + L"\\Lumivale!!.xml";
    Open({5, u"C:\\m\\song.mp3", false, false});
  }
  void Open(const SettingsRecord& stored) {
    form.reset();
    ProgramSettings().Settings = stored;
    form = std::make_unique<SetForm>();
    form->EndProgramAction = [this](bool closeCore) { ends.push_back(closeCore); };
    form->OpenPage = [this](const wchar_t* page) { pages.emplace_back(page); };
    ASSERT_TRUE(form->Load());
  }
  void TearDown() override {
    form.reset();
    DeleteFileW(ProgramSettings().SettingsPath.c_str());
    RemoveDirectoryW(folder.c_str());
  }
};

// The dialog opens with its big and its small icon, showing the stored choices, which stay as they
// were, saved.
TEST_F(Dialog, OpensWithItsIconsShowingTheStoredChoices) {
  for (const WPARAM which : {ICON_BIG, ICON_SMALL}) EXPECT_NE(SendMessageW(form->hwnd(), WM_GETICON, which, 0), 0) << which;
  for (const SettingsRecord& stored : {SettingsRecord{2, u"C:\\곡.mp3", true, false}, SettingsRecord{9, u"", false, true}}) {
    Open(stored);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(form->OpQuality(i).value(), i == stored.InterpolationMode) << i;
    EXPECT_EQ(form->Omake1().value() != 0, stored.Omake1);
    EXPECT_EQ(form->Omake2().value() != 0, stored.Omake2);
    EXPECT_EQ(form->PathText(), Wide(stored.BGMfile));
    EXPECT_EQ(ProgramSettings().Settings.InterpolationMode, stored.InterpolationMode);
    EXPECT_TRUE(ProgramSettings().SettingsSaved);
  }
}

TEST_F(Dialog, EachLinkOpensItsOwnPage) {
  // The video's link, then the team's, where they are at 96 DPI.
  for (const HWND link : {ChildWindowFromPoint(form->hwnd(), POINT{162, 170}), ChildWindowFromPoint(form->hwnd(), POINT{162, 186})}) {
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(link, WM_LBUTTONUP, 0, 0);
  }
  EXPECT_EQ(pages, (std::vector<std::wstring>{kPavoVideoPage, kOrvaneTeamPage}));
}

// Ctrl+A selects the whole path; an Enter pressed and released there saves.
TEST_F(Dialog, PathBoxKeys) {
  const HWND box = form->PathBox();
  SendMessageW(box, WM_CHAR, 1, 0);
  EXPECT_EQ(SendMessageW(box, EM_GETSEL, 0, 0), MAKELRESULT(0, 13));  // from the start to the end
  SendMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  SendMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
  EXPECT_EQ(ends, std::vector<bool>{true});
}

// A press where no control is starts the system's move of the dialog (seen, and stopped, on its way).
TEST_F(Dialog, APressOnTheBackgroundMovesIt) {
  test::HookSpy spy;
  WPARAM hit = HTNOWHERE;
  spy.act = [&hit](bool, bool& handled, LRESULT&, HWND, WPARAM& wParam) { hit = wParam; handled = true; };  // no move loop here
  ASSERT_GE(spy.service.HookWindow(form->hwnd()), 0);
  spy.service.HookMessage(form->hwnd(), WM_NCLBUTTONDOWN, kHookBefore);
  SendMessageW(form->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 20));
  EXPECT_EQ(hit, static_cast<WPARAM>(HTCAPTION));
}

// The file dialog's answer, given once it shows: Cancel changes nothing; a file chosen (a Hangul
// name) shows and is not saved yet. Every form is enabled again either way (the file dialog itself
// gives its owner back enabled under Wine: another form tells).
int g_answer = IDCANCEL;
std::wstring g_chosen;
void CALLBACK AnswerFileDialog(HWND, UINT, UINT_PTR id, DWORD) {
  const HWND files = FindWindowW(L"#32770", L"BGM 변경");
  if (!files || !IsWindowVisible(files)) return;
  KillTimer(nullptr, id);
  SetDlgItemTextW(files, 0x47C, g_chosen.c_str());
  PostMessageW(files, WM_COMMAND, static_cast<WPARAM>(g_answer), 0);
}
TEST_F(Dialog, FileDialogAnswers) {
  g_chosen = folder + L"\\음악 1.mp3";
  ASSERT_TRUE(UniqueHandle(CreateFileW(g_chosen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
  test::HostForm other;
  struct Row { int answer; std::wstring shown; bool saved; };
  for (const Row& r : {Row{IDCANCEL, L"C:\\m\\song.mp3", true}, Row{IDOK, g_chosen, false}}) {
    g_answer = r.answer;
    SetTimer(nullptr, 0, 50, AnswerFileDialog);
    form->FolderView().Click();
    EXPECT_TRUE(IsWindowEnabled(other.hwnd())) << r.answer;
    EXPECT_EQ(form->PathText(), r.shown) << r.answer;
    EXPECT_EQ(ProgramSettings().SettingsSaved, r.saved) << r.answer;
  }
  DeleteFileW(g_chosen.c_str());
}

// Each disk call of a save from the dialog fails in turn, over an old file that is read-only and
// hidden. The file is then either the old one whole, attributes too, and the failing call's error
// is shown, the dialog kept with its saved state (saved and unsaved in turn); or the new one whole
// with plain attributes and nothing shown. Nothing is left beside it. Without a path: that error.
TEST_F(Dialog, AFailedSaveIsReportedAndKeepsTheDialog) {
  std::vector<std::wstring> shown;
  form->ShowMessage = [&shown](const std::wstring& prompt, int style, const std::wstring& title) {
    shown.insert(shown.end(), {prompt, title, std::to_wstring(style)});
    return 1;
  };
  form->DiskCalls = kInjecting;
  const std::wstring file = ProgramSettings().SettingsPath;
  const Bytes fresh = SettingsFileBytes(ProgramSettings().Settings);
  constexpr DWORD kOldAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
  const auto save = [&](const std::wstring& path, int failAt, bool savedBefore) {
    ASSERT_TRUE(WriteOld(file));
    SetFileAttributesW(file.c_str(), kOldAttributes);
    shown.clear();
    ends.clear();
    ProgramSettings().SettingsPath = path;
    ProgramSettings().SettingsSaved = savedBefore;
    g_calls = 0;
    g_failAt = failAt;
    form->Save();
  };
  const auto report = [](const std::wstring& path, DWORD error) {
    return std::vector<std::wstring>{L"설정 파일을 저장하지 못했습니다.\r\n" + path + L"\r\n" + SystemErrorText(error),
                                     L"설정 저장 실패", L"16"};
  };
  int reported = 0;
  for (int k = 0; save(file, k, k % 2 == 0), g_calls > k; ++k) {  // until no call is left to fail
    SCOPED_TRACE("failing call " + std::to_string(k));
    EXPECT_EQ(GetFileAttributesW((file + L".new").c_str()), INVALID_FILE_ATTRIBUTES) << "a file left beside it";
    if (Read(file) != kOld) {  // a failure the writer gets past
      EXPECT_EQ(Read(file), std::string(fresh.begin(), fresh.end()));
      EXPECT_TRUE(Win32SettingsFileSystem().HasPlainAttributes(FromWide(file)));
      EXPECT_EQ(shown, std::vector<std::wstring>{});
      continue;
    }
    ++reported;
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & kOldAttributes, kOldAttributes);
    EXPECT_FALSE(Win32SettingsFileSystem().HasPlainAttributes(FromWide(file)));
    EXPECT_EQ(shown, report(file, ERROR_ACCESS_DENIED));
    EXPECT_EQ(ends, std::vector<bool>{}) << "the dialog stays";
    EXPECT_EQ(ProgramSettings().SettingsSaved, k % 2 == 0);
  }
  EXPECT_GE(reported, 4);  // the temporary file made, written, flushed, moved
  EXPECT_EQ(Read(file), std::string(fresh.begin(), fresh.end())) << "a save where no call failed";
  EXPECT_EQ(ends, std::vector<bool>{true});
  save(L"", -1, false);
  EXPECT_EQ(shown, report(L"", ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(ends, std::vector<bool>{}) << "the dialog stays";
  EXPECT_FALSE(ProgramSettings().SettingsSaved);
  ProgramSettings().SettingsPath = file;
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
