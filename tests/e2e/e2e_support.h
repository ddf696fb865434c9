#pragma once
// Runs Lumivale.scr as Windows would, from a fresh program folder beside a fresh APPDATA.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

std::wstring BinFolder();
std::wstring MakeTempFolder(const std::wstring& hint);
// Copies a file of the build's bin folder into folder, under the name `as` when one is given.
bool CopyInto(const std::wstring& folder, const std::wstring& name, const std::wstring& as = L"");
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

struct Process {
  PROCESS_INFORMATION pi{};
  ~Process();
  // Waits for the process to end; false when it did not within the deadline.
  bool WaitExit(DWORD ms);
  DWORD ExitCode() const;
  DWORD Id() const { return pi.dwProcessId; }
};

struct ShownWindow {
  std::wstring title, windowClass;
  bool operator==(const ShownWindow&) const = default;
};
// The visible top-level windows that a process owns.
std::vector<ShownWindow> VisibleWindowsOf(DWORD processId);
// Waits up to `ms` for the process to end, collecting (once each) the visible top-level windows
// it shows meanwhile; true when it ended.
bool WatchUntilExit(Process& run, DWORD ms, std::vector<ShownWindow>& shown);
std::string Describe(const std::vector<ShownWindow>& windows);

// Starts `program arguments` with extra environment variables (NAME=value) added or replaced.
bool Start(Process& run, const std::wstring& program, const std::wstring& arguments,
           const std::vector<std::wstring>& environment);

// Waits until a top-level window with this exact title exists; 0 on time-out.
HWND WaitForWindow(const wchar_t* title, DWORD ms, const wchar_t* windowClass = nullptr);
// Waits until the core's log holds a line starting with prefix; returns that line or "".
std::string WaitForLogLine(const std::wstring& log, const std::string& prefix, DWORD ms);
std::string Hex(const std::string& bytes);

// Real input, as a user gives it: the pointer moved to a screen point and the left button
// pressed and released there; a key pressed and released with modifiers held around it.
void ClickAt(int x, int y);
void PressKey(WORD vk, bool shift = false, bool ctrl = false, bool alt = false);
// Waits until the window is gone (or no longer visible); false on time-out.
bool WaitGone(HWND window, DWORD ms);

inline constexpr DWORD kDeadline = 30000;
inline const std::string kBom = "\xEF\xBB\xBF";

inline std::string Template(const std::string& mode, const std::string& bgmLine, const std::string& o1,
                     const std::string& o2) {
  return kBom + "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<LumivaleScreenServer>\r\n\t<Setting>\r\n"
         "\t\t<InterpolationMode>" + mode + "</InterpolationMode>\r\n\t\t" + bgmLine +
         "\r\n\t\t<Omake1>" + o1 + "</Omake1>\r\n\t\t<Omake2>" + o2 +
         "</Omake2>\r\n\t</Setting>\r\n</LumivaleScreenServer>";
}

inline std::string Utf8(const std::wstring& w) {
  std::string out(WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  out.pop_back();
  return out;
}

class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    program = MakeTempFolder(L"루미베일 세이버");
    appData = MakeTempFolder(L"appdata");
    log = appData + L"\\core.log";
    ASSERT_TRUE(CopyInto(program, L"Lumivale.scr"));
    ASSERT_TRUE(CopyInto(program, L"LumivaleCoreDouble.exe", L"LumivaleCore.dll"));  // the scripted core
  }
  void TearDown() override {
    // A core left running by a test is ended here (the host itself never kills it).
    if (HANDLE h = OpenCore(PROCESS_TERMINATE)) {
      TerminateProcess(h, 1);
      CloseHandle(h);
    }
  }
  bool StartHost(Process& run, const std::wstring& arguments, const std::wstring& mode) {
    return Start(run, program + L"\\Lumivale.scr", arguments,
                 {L"APPDATA=" + appData, L"LUMIVALE_CORE_LOG=" + log, L"LUMIVALE_CORE_MODE=" + mode});
  }
  std::wstring SettingsFile() const { return appData + L"\\Lumivale!!\\Lumivale!!.xml"; }
  DWORD CorePid(DWORD ms = 0) const {
    const std::string pid = WaitForLogLine(log, "pid ", ms);
    return pid.empty() ? 0 : std::strtoul(pid.c_str() + 4, nullptr, 10);
  }
  void KillCore() {
    CorePid(kDeadline);
    HANDLE h = OpenCore(PROCESS_TERMINATE);
    ASSERT_NE(h, nullptr);
    TerminateProcess(h, 1);
    CloseHandle(h);
  }
  bool CoreAlive() const {
    HANDLE h = OpenCore(SYNCHRONIZE);
    if (!h) return false;
    const bool alive = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    CloseHandle(h);
    return alive;
  }
  // The core this run started, or null. Wine reuses process ids at once: the id in the log may
  // already belong to another program (Wine's own among them) once the core has ended.
  HANDLE OpenCore(DWORD access) const {
    const DWORD pid = CorePid();
    HANDLE h = pid ? OpenProcess(access | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid) : nullptr;
    if (!h) return nullptr;
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    const std::wstring core = program + L"\\LumivaleCore.dll";
    if (QueryFullProcessImageNameW(h, 0, image, &size) && _wcsicmp(image, core.c_str()) == 0) return h;
    CloseHandle(h);
    return nullptr;
  }

  std::wstring program, appData, log;
};

