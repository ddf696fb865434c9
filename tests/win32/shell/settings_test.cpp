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

struct Disk : Win32SettingsFileSystem {
  IoResult result = IoResult::Failed;
  Disk() : Win32SettingsFileSystem(kInjecting) {}
  IoResult ReplaceContents(const Text& path, const Bytes& content) override {
    return result = Win32SettingsFileSystem::ReplaceContents(path, content);
  }
};

std::string Read(const std::wstring& path) {
  Bytes bytes;
  if (Win32SettingsFileSystem().ReadAll(FromWide(path), bytes) != IoResult::Ok) return "(none)";
  return std::string(bytes.begin(), bytes.end());
}

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return temp + std::wstring(name) + std::to_wstring(GetCurrentProcessId());
}

// Each call of a save fails in turn: the file is then the old one whole (attributes too) or the
// new one whole, nothing is left beside it, and the save says Ok exactly when the new one is there.
TEST(SettingsDisk, EachCallOfASaveFailsInTurn) {
  const std::wstring folder = TempFolder(L"lumivale-disk-"), file = folder + L"\\Lumivale!!.xml";
  const std::string old = "old settings";
  const SettingsRecord saved{7, u"", false, true};
  const Bytes fresh = SettingsFileBytes(saved);
  const std::string expected(fresh.begin(), fresh.end());
  constexpr DWORD kOldAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
  int clean = -1;
  for (int k = -1; k < clean || k == -1; ++k) {
    SCOPED_TRACE("failing call " + std::to_string(k));
    CreateDirectoryW(folder.c_str(), nullptr);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    UniqueHandle f(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(f.get(), old.data(), static_cast<DWORD>(old.size()), &written, nullptr));
    f.reset();
    SetFileAttributesW(file.c_str(), kOldAttributes);
    g_calls = 0;
    g_failAt = k;
    Disk disk;
    SaveSettingsTo(disk, FromWide(file), saved);
    if (k == -1) clean = g_calls;
    const std::string now = Read(file);
    const DWORD attributes = GetFileAttributesW(file.c_str()) & kOldAttributes;
    EXPECT_TRUE((now == old && attributes == kOldAttributes) || (now == expected && attributes == 0)) << now;
    EXPECT_EQ(disk.result == IoResult::Ok, now == expected);
    EXPECT_EQ(disk.HasPlainAttributes(FromWide(file)), now == expected);
    EXPECT_EQ(GetFileAttributesW((file + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
  }
  EXPECT_GE(clean, 5);
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
}

// The dialog, loaded but not shown; the program's end is recorded instead of run.
struct Dialog : ::testing::Test {
  std::wstring folder = TempFolder(L"lumivale-dialog-");
  std::unique_ptr<SetForm> form;
  std::vector<bool> ends;  // closeCoreWindow of each end
  void SetUp() override {
    CreateDirectoryW(folder.c_str(), nullptr);
    ProgramSettings().SettingsPath = folder + L"\\Lumivale!!.xml";
    ProgramSettings().Settings = SettingsRecord{5, u"", false, false};
    form = std::make_unique<SetForm>();
    form->EndProgramAction = [this](bool closeCore) { ends.push_back(closeCore); };
    ASSERT_TRUE(form->Load());
  }
  void TearDown() override {
    form.reset();
    DeleteFileW(ProgramSettings().SettingsPath.c_str());
    RemoveDirectoryW(folder.c_str());
  }
};

// Each disk call of a save from the dialog fails in turn: a save that did not put the file in place
// shows the failing call's error and keeps the old file, the dialog and its saved state.
TEST_F(Dialog, AFailedSaveIsReportedAndKeepsTheDialog) {
  std::vector<std::wstring> shown;
  form->ShowMessage = [&shown](const std::wstring& prompt, int style, const std::wstring& title) {
    shown.insert(shown.end(), {prompt, title, std::to_wstring(style)});
    return 1;
  };
  form->DiskCalls = kInjecting;
  auto expectReported = [&](const std::wstring& path, DWORD error, bool savedBefore) {
    const std::vector<std::wstring> message{
        L"설정 파일을 저장하지 못했습니다.\r\n" + path + L"\r\n" + SystemErrorText(error), L"설정 저장 실패", L"16"};
    EXPECT_EQ(shown, message);
    EXPECT_TRUE(ends.empty());
    EXPECT_EQ(ProgramSettings().SettingsSaved, savedBefore);
  };
  const std::string old = "old settings";
  int reported = 0;
  for (int k = 0;; ++k) {
    SCOPED_TRACE("failing call " + std::to_string(k));
    UniqueHandle f(CreateFileW(ProgramSettings().SettingsPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(f.get(), old.data(), static_cast<DWORD>(old.size()), &written, nullptr));
    f.reset();
    shown.clear();
    ends.clear();
    ProgramSettings().SettingsSaved = k % 2 == 0;
    g_calls = 0;
    g_failAt = k;
    form->Save();
    if (g_calls <= k) break;  // every call has failed once
    if (Read(ProgramSettings().SettingsPath) != old) {  // a failure the writer gets past
      EXPECT_TRUE(shown.empty());
      EXPECT_EQ(ends.size(), 1u);
      continue;
    }
    ++reported;
    expectReported(ProgramSettings().SettingsPath, ERROR_ACCESS_DENIED, k % 2 == 0);
  }
  EXPECT_GE(reported, 4);  // the temporary file made, written, flushed, moved
  g_failAt = -1;
  const std::wstring path = ProgramSettings().SettingsPath;
  ProgramSettings().SettingsPath.clear();
  shown.clear();
  ends.clear();
  ProgramSettings().SettingsSaved = false;
  form->Save();
  expectReported(L"", ERROR_PATH_NOT_FOUND, false);
  ProgramSettings().SettingsPath = path;
}

}  // namespace
