#include "host/host.h"

#include <tlhelp32.h>

#include "host/core_scan.h"
#include "msgbox/msgbox_service.h"
#include "dialog/set_form.h"
#include "settings/settings_store.h"
#include "base/wide.h"
#include "ui/handles.h"

namespace {

UniqueHandle CoreProcess;           // the core, for waiting; handed down to the dialog
HWND CoreSettingsWindow = nullptr;  // the core's "設定" window, 0 until found

constexpr DWORD kQueryAndSynchronize = PROCESS_QUERY_INFORMATION | SYNCHRONIZE;  // 0x100400
constexpr DWORD kStandardAndSynchronize = 0x1F0000;
constexpr UINT kCloseWaitMs = 5000;
constexpr ULONGLONG kIdleEventGraceMs = 2000;
constexpr ULONGLONG kFirstWindowGraceMs = 1000;

class Win32CoreWindows : public CoreWindows {
 public:
  explicit Win32CoreWindows(DWORD processId) : processId_(processId) {}

  // Answered from the held handle when there is one: no snapshot, and a reused id cannot fool it.
  bool CoreExists() override {
    if (CoreProcess) return WaitForSingleObject(CoreProcess.get(), 0) == WAIT_TIMEOUT;
    return ProcessExists(processId_);
  }
  WindowId NextWindow(WindowId after) override {
    return reinterpret_cast<WindowId>(NextProcessWindow(processId_, reinterpret_cast<HWND>(after)));
  }
  Text Title(WindowId window) override {
    wchar_t buffer[255] = {};
    if (window == 0) return Text();
    GetWindowTextW(reinterpret_cast<HWND>(window), buffer, 255);
    return FromWide(buffer);
  }
  bool WaitTimedOut(int ms) override {
    return WaitForSingleObject(CoreProcess.get(), static_cast<DWORD>(ms)) == WAIT_TIMEOUT;
  }

 private:
  DWORD processId_;
};

bool FileExists(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Environment(const wchar_t* name) {
  const DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return L"";
  std::wstring value(n, L'\0');
  const DWORD got = GetEnvironmentVariableW(name, value.data(), n);
  value.resize(got < n ? got : 0);
  return value;
}

// Starts the core hidden, by its full path (no search), and returns its process id (0: failed).
// The creation handle is kept until the core is opened again, so that its id cannot be reused.
DWORD StartCore(const std::wstring& corePath, UniqueHandle& creation) {
  std::wstring commandLine =
      Wide(CoreCommandLine(FromWide(corePath), ArgumentsOf(FromWide(GetCommandLineW()))));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(corePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi))
    return 0;
  CloseHandle(pi.hThread);
  creation.reset(pi.hProcess);
  return pi.dwProcessId;
}

// Waits until the core is idle for input. The core's end also ends the wait: a core that dies
// before it ever becomes idle must not hold the host forever. Right after its start a process may
// not have its input-idle event yet (Wine creates it during the process's own start-up), and the
// wait then fails at once: that failure is retried for a short while rather than taken as idle.
void WaitUntilIdle(DWORD processId) {
  UniqueHandle query(OpenProcess(kQueryAndSynchronize, FALSE, processId));
  if (!query) return;
  const ULONGLONG retryUntil = GetTickCount64() + kIdleEventGraceMs;
  for (;;) {
    const DWORD r = WaitForInputIdle(query.get(), 100);
    if (WaitForSingleObject(query.get(), 0) != WAIT_TIMEOUT) return;
    if (r == 0) return;
    if (r == WAIT_FAILED) {
      if (GetTickCount64() >= retryUntil) return;
      Sleep(10);
    }
  }
}

// The core's first parentless top-level window once it is idle. Wine reports a process idle as
// soon as its thread gets a message queue, which can be a moment before its first window exists:
// the window is looked for again for a short while, as long as the core runs.
WindowId FirstWindow(CoreWindows& core) {
  const ULONGLONG until = GetTickCount64() + kFirstWindowGraceMs;
  for (;;) {
    if (const WindowId first = core.NextWindow(0)) return first;
    if (GetTickCount64() >= until || !core.WaitTimedOut(10)) return 0;
  }
}

}  // namespace

bool ProcessExists(DWORD processId) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL ok = Process32FirstW(snapshot.get(), &entry); ok; ok = Process32NextW(snapshot.get(), &entry))
    if (entry.th32ProcessID == processId) found = true;
  return found;
}

HWND NextProcessWindow(DWORD processId, HWND after) {
  HWND w = after ? GetWindow(after, GW_HWNDNEXT) : GetTopWindow(nullptr);
  while (w) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (!GetParent(w) && owner == processId) return w;
    w = GetWindow(w, GW_HWNDNEXT);
  }
  return nullptr;
}

void EndProgram() { ExitProcess(0); }

namespace {

// Asks the core's settings window to close (if it still is one) and ends the program.
[[noreturn]] void CloseCoreAndEnd() {
  // Bounded: a core that stopped answering must not hang the program.
  if (IsWindow(CoreSettingsWindow))
    SendMessageTimeoutW(CoreSettingsWindow, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseWaitMs, nullptr);
  EndProgram();
}

}  // namespace

void Main() {
  const std::wstring corePath = Wide(JoinPath(FromWide(ProgramFolder()), u"LumivaleCore.dll"));
  if (!FileExists(corePath)) {
    ShowMsgBox(L"LumivaleCore.dll 파일이 존재하지 않습니다.\r\n스크린 세이버를 구성할 수 없습니다.", 16,
               L"런타임 에러", SettingsDialog().hwnd());
    EndProgram();
  }

  // No APPDATA would put the file at the drive's root: then there is no settings folder at all.
  const std::wstring appData = Environment(L"APPDATA");
  SettingsPath = appData.empty() ? L"" : appData + L"\\Lumivale!!\\Lumivale!!.xml";
  LoadSettings();

  UniqueHandle creation;
  const DWORD processId = StartCore(corePath, creation);
  if (processId == 0) {
    ShowMsgBox(L"PID값 추출 에러.\r\n스크린 세이버 자동화를 구성할 수 없습니다.", 16, L"PID 추출 에러",
               SettingsDialog().hwnd());
    EndProgram();
  }
  WaitUntilIdle(processId);
  CoreProcess.reset(OpenProcess(kStandardAndSynchronize, FALSE, processId));
  creation.reset();

  Win32CoreWindows core(processId);
  const WindowId first = FirstWindow(core);
  if (first == 0) EndProgram();  // the core runs on by itself

  const ScanResult scan = ScanCoreWindows(core, first);
  if (!scan.found) {
    CoreProcess.reset();
    EndProgram();
  }
  CoreSettingsWindow = reinterpret_cast<HWND>(scan.window);
  SettingsDialog().ServeCore(std::move(CoreProcess), [](bool closeCoreWindow) {
    if (closeCoreWindow) CloseCoreAndEnd();
    EndProgram();
  });
  SettingsDialog().Show();
  SettingsDialog().SetWaitForProc(true);
}
