// The real LumivaleCore.dll of the build, started as a program with its own settings folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tools/reference-core/saver_window_win.h"
#include "ui/handles.h"

namespace {

constexpr DWORD kDeadline = 20000;

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(f);
  return bytes;
}

class CoreProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    core_ = Folder(path) + L"\\LumivaleCore.dll";
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    appData_ = std::wstring(temp) + L"lumivale-core-run-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(appData_.c_str(), nullptr);
    CreateDirectoryW((appData_ + L"\\Lumivale!!").c_str(), nullptr);
  }
  void TearDown() override {
    if (process_.hProcess) {
      TerminateProcess(process_.hProcess, 1);  // only a core a failed test left behind
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
  }
  // The settings file as the core finds it; it must be left exactly so.
  void WriteSettings(const std::string& bytes) {
    settings_ = bytes;
    HANDLE f = CreateFileW(SettingsPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
  }
  std::wstring SettingsPath() const { return appData_ + L"\\Lumivale!!\\Lumivale!!.xml"; }
  void Start(const std::wstring& arguments) {
    SetEnvironmentVariableW(L"APPDATA", appData_.c_str());  // inherited by the core
    std::wstring line = L"\"" + core_ + L"\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    ASSERT_TRUE(CreateProcessW(core_.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                               &process_));
  }
  // The core's window of the class, once it is there (null after the deadline).
  HWND WaitForWindow(const wchar_t* title) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < kDeadline; Sleep(20)) {
      HWND found = nullptr;
      while ((found = FindWindowExW(nullptr, found, L"LumivaleReferenceCore", title)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(found, &pid);
        if (pid == process_.dwProcessId && IsWindowVisible(found)) return found;
      }
    }
    return nullptr;
  }
  bool Ended(DWORD ms = kDeadline) { return WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0; }
  void ExpectSettingsUntouched() { EXPECT_EQ(ReadBytes(SettingsPath()), settings_) << "the core wrote its settings"; }

  std::wstring core_, appData_;
  std::string settings_;
  PROCESS_INFORMATION process_{};
};

TEST_F(CoreProcess, SaverCoversTheScreenAnimatesAndEndsWhenThePointerMoves) {
  // A broken music file and a file the program would rewrite: neither stops the saver.
  const std::wstring broken = appData_ + L"\\broken.mp3";
  HANDLE f = CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(f);
  std::string path(broken.begin(), broken.end());
  WriteSettings("<LumivaleScreenServer><BGMfile>" + path + "</BGMfile><Omake2>1</Omake2>");
  SetCursorPos(300, 300);
  Start(L"/s");
  HWND saver = WaitForWindow(L"Lumivale");
  ASSERT_NE(saver, nullptr);
  RECT r{};
  GetWindowRect(saver, &r);
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  DWORD_PTR frames = 0;
  for (DWORD start = GetTickCount(); GetTickCount() - start < kDeadline && frames < 10; Sleep(50))
    SendMessageTimeoutW(saver, kFramesShownMessage, 0, 0, SMTO_ABORTIFHUNG, 1000, &frames);
  EXPECT_GE(frames, 10u) << "the animation does not run";
  // The pointer moves away (the first move message may be taken as the window's appearing).
  for (int i = 0; i < 100 && !Ended(0); ++i) {
    SetCursorPos(300 + 40 + i % 2 * 10, 300);
    Sleep(100);
  }
  EXPECT_TRUE(Ended());
  ExpectSettingsUntouched();
}

TEST_F(CoreProcess, PreviewDrawsInsideItsWindowAndEndsWhenThatWindowGoes) {
  WriteSettings("");
  UniqueWindow preview(CreateWindowW(L"STATIC", L"preview", WS_POPUP | WS_VISIBLE, 50, 50, 152, 112, nullptr,
                                     nullptr, nullptr, nullptr));
  HWND parent = preview.get();
  Start(L"/p " + std::to_wstring(reinterpret_cast<INT_PTR>(parent)));
  HWND child = nullptr;
  for (DWORD start = GetTickCount(); GetTickCount() - start < kDeadline && !child; Sleep(20))
    child = FindWindowExW(parent, nullptr, L"LumivaleReferenceCore", nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(Ended(0));
  preview.reset();
  EXPECT_TRUE(Ended());
}

TEST_F(CoreProcess, SettingsWindowShowsAStillPictureAndEndsTheCoreWhenClosed) {
  WriteSettings("\xEF\xBB\xBF<lumivalescreenserver><Omake1>1</Omake1>");
  Start(L"/c");
  HWND settings = WaitForWindow(L"設定");
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(GetParent(settings), nullptr);
  DWORD_PTR frames = 1;
  EXPECT_TRUE(SendMessageTimeoutW(settings, kFramesShownMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &frames));
  EXPECT_EQ(frames, 0u) << "the settings window's picture is still";
  EXPECT_TRUE(SendMessageTimeoutW(settings, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
  EXPECT_TRUE(Ended());
  ExpectSettingsUntouched();
}

}  // namespace
