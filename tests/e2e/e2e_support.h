#pragma once
// Runs Lumivale.scr as Windows would, from a fresh program folder (a Korean name with a blank)
// beside a fresh APPDATA, with the core's test double as its core, and drives it with real input.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "base/handle_win.h"
#include "base/wide.h"
#include "settings/settings_file.h"

inline constexpr DWORD kDeadline = 30000;  // generous: only a fault waits this long

// Waits until condition() holds; false when it did not within ms.
template <class Condition>
bool WaitUntil(Condition condition, DWORD ms = kDeadline) {
  for (const DWORD until = GetTickCount() + ms; !condition(); Sleep(20))
    if (static_cast<int>(until - GetTickCount()) <= 0) return false;
  return true;
}

// Reads share everything: the file may be held open by the test or written by the program.
inline std::string ReadFileBytes(const std::wstring& path) {
  UniqueHandle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f) return {};
  std::string out(GetFileSize(f.get(), nullptr), '\0');
  DWORD got = 0;
  ReadFile(f.get(), out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
  return out.substr(0, got);
}
inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  UniqueHandle f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  if (f) WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return f && written == bytes.size();
}

inline std::string AsString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
inline std::string Utf8(const std::wstring& w) { return AsString(TextToUtf8(FromWide(w))); }
// The settings file the program writes for a record.
inline std::string FileOf(const SettingsRecord& settings) { return AsString(SettingsFileBytes(settings)); }

struct Process {
  PROCESS_INFORMATION pi{};
  ~Process() {
    if (pi.hProcess && !WaitExit(0)) TerminateProcess(pi.hProcess, 1);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    if (pi.hThread) CloseHandle(pi.hThread);
  }
  bool WaitExit(DWORD ms) { return pi.hProcess && WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
  }
};

// A named CALLBACK: a lambda does not convert to the stdcall WNDENUMPROC of the i686 build.
struct Watch {
  DWORD processId;
  std::string shown;  // "[title] " of each visible top-level window of the process, once each
};
inline BOOL CALLBACK CollectVisible(HWND w, LPARAM p) {
  auto& watch = *reinterpret_cast<Watch*>(p);
  DWORD owner = 0;
  wchar_t title[256] = {};
  GetWindowThreadProcessId(w, &owner);
  GetWindowTextW(w, title, 256);
  const std::string seen = "[" + Utf8(title) + "] ";
  if (owner == watch.processId && IsWindowVisible(w) && watch.shown.find(seen) == std::string::npos)
    watch.shown += seen;
  return TRUE;
}
// Waits up to ms for the process to end, noting the windows it shows meanwhile; true when it ended.
inline bool WatchUntilExit(Process& run, Watch& watch, DWORD ms = kDeadline) {
  watch.processId = run.pi.dwProcessId;
  return WaitUntil([&] { return EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&watch)) && run.WaitExit(0); },
                   ms);
}

inline HWND WaitForWindow(const wchar_t* title, const wchar_t* windowClass = nullptr) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowW(windowClass, title)) != nullptr; });
  return found;
}
// Input sent before a window has the keyboard (a box or the file dialog closing can take Wine a
// while to give it back) is lost: wait for the foreground, enabled, and a moment to settle.
inline bool WaitReady(HWND window) {
  // Shown too: Wine makes the dialog the foreground while it is still hidden, before it is placed.
  const bool ready = WaitUntil(
      [window] { return GetForegroundWindow() == window && IsWindowVisible(window) && IsWindowEnabled(window); });
  Sleep(200);
  return ready;
}
inline bool WaitGone(HWND window) {
  return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); });
}

inline void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  for (const DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    Sleep(50);
    mouse_event(button, 0, 0, 0, 0);
  }
  Sleep(50);
}
inline void Key(WORD vk, bool up) {
  keybd_event(static_cast<BYTE>(vk), static_cast<BYTE>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), up ? KEYEVENTF_KEYUP : 0, 0);
  Sleep(30);
}
inline void PressKey(WORD vk, bool alt = false) {
  if (alt) Key(VK_LMENU, false);
  Key(vk, false);
  Key(vk, true);
  if (alt) Key(VK_LMENU, true);
}

class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    for (int n = 0; !CreateDirectoryW(program.c_str(), nullptr); ++n)  // Wine reuses process ids
      program = path + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n) + L" 루미베일 세이버";
    appData = program + L" appdata";
    log = appData + L"\\core.log";
    ASSERT_TRUE(CreateDirectoryW(appData.c_str(), nullptr));
    binaries.assign(path, GetModuleFileNameW(nullptr, path, MAX_PATH)).resize(binaries.rfind(L'\\') + 1);
    ASSERT_TRUE(CopyFileW((binaries + L"Lumivale.scr").c_str(), (program + L"\\Lumivale.scr").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((binaries + L"LumivaleCoreDouble.exe").c_str(), (program + L"\\LumivaleCore.dll").c_str(),
                          FALSE));
  }
  void TearDown() override { EndCore(); }  // a core left running: the host never ends it
  ::testing::AssertionResult StartHost(Process& run, const std::wstring& arguments, const std::wstring& mode) {
    SetEnvironmentVariableW(L"APPDATA", appData.c_str());  // inherited by the host and its core
    SetEnvironmentVariableW(L"LUMIVALE_CORE_LOG", log.c_str());
    SetEnvironmentVariableW(L"LUMIVALE_CORE_MODE", mode.c_str());
    const std::wstring path = program + L"\\Lumivale.scr";
    std::wstring commandLine = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &run.pi))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the program did not start, error " << GetLastError();
  }
  std::wstring SettingsFile() const { return Wide(SettingsPathIn(FromWide(appData))); }
  // The first line of the core's log that starts with prefix, waited for up to ms; "" if none.
  std::string LogLine(const std::string& prefix, DWORD ms = kDeadline) const {
    std::string found;
    WaitUntil([&] {
      std::istringstream lines(ReadFileBytes(log));
      for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0) return !(found = line.substr(0, line.size() - 1)).empty();  // "\r\n"
      return false;
    }, ms);
    return found;
  }
  // The core this run started, or null. Wine reuses process ids at once: the logged id may belong
  // to another program once the core has ended.
  HANDLE OpenCore(DWORD access) const {
    const std::string pid = LogLine("pid ", 0);
    HANDLE h = pid.empty() ? nullptr
                           : OpenProcess(access | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                         std::strtoul(pid.c_str() + 4, nullptr, 10));
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    if (h && QueryFullProcessImageNameW(h, 0, image, &size) &&
        _wcsicmp(image, (program + L"\\LumivaleCore.dll").c_str()) == 0)
      return h;
    if (h) CloseHandle(h);
    return nullptr;
  }
  bool CoreAlive() const {
    HANDLE h = OpenCore(SYNCHRONIZE);
    const bool alive = h && WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    if (h) CloseHandle(h);
    return alive;
  }
  bool EndCore() const {
    HANDLE h = OpenCore(PROCESS_TERMINATE);
    if (h) TerminateProcess(h, 1);
    return h && CloseHandle(h);
  }
  void KillCore() const {
    ASSERT_FALSE(LogLine("pid ").empty());  // the core has started
    ASSERT_TRUE(EndCore());
  }

  std::wstring program, appData, log, binaries;  // binaries: the tests' own folder, with a trailing "\\"
};
