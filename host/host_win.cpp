#include "host/host.h"

#include "base/system_win.h"
#include "base/wide.h"
#include "dialog/set_form.h"
#include "host/command_line.h"
#include "host/core_windows_win.h"
#include "msgbox/msgbox_service.h"
#include "settings/settings_store.h"
#include "ui/handles.h"
#include "ui/window_utils.h"

namespace {

constexpr DWORD kQueryAndSynchronize = PROCESS_QUERY_INFORMATION | SYNCHRONIZE;
constexpr DWORD kStandardAndSynchronize = STANDARD_RIGHTS_REQUIRED | SYNCHRONIZE;
constexpr UINT kCloseWaitMs = 5000;
constexpr ULONGLONG kIdleEventGraceMs = 2000;
constexpr int kFirstWindowGraceMs = 1000;

// Starts the core hidden, by its full path (no search), and returns its process id (0: failed).
// The creation handle is kept until the core is opened again, so that its id cannot be reused.
DWORD StartCore(const std::wstring& corePath, const Text& arguments, UniqueHandle& creation) {
  std::wstring commandLine = Wide(CoreCommandLine(FromWide(corePath), arguments));
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

// Asks the core's settings window to close (if it still is one) and ends the program.
[[noreturn]] void CloseCoreAndEnd(HWND coreSettingsWindow) {
  // Bounded: a core that stopped answering must not hang the program.
  if (IsWindow(coreSettingsWindow))
    SendMessageTimeoutW(coreSettingsWindow, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseWaitMs, nullptr);
  EndProgram();
}

}  // namespace

void EndProgram() { ExitProcess(0); }

void Main() {
  const std::wstring corePath = Wide(JoinPath(FromWide(ProgramFolder()), u"LumivaleCore.dll"));
  if (!Win32SettingsFileSystem().FileExists(FromWide(corePath))) {
    ShowMsgBox(L"LumivaleCore.dll 파일이 존재하지 않습니다.\r\n스크린 세이버를 구성할 수 없습니다.", MB_ICONERROR,
               L"런타임 에러", SettingsDialog().hwnd());
    EndProgram();
  }

  SettingsState& settings = ProgramSettings();
  settings.SettingsPath = SettingsFilePath();
  LoadSettings(settings);

  const Text arguments = ArgumentsOf(FromWide(GetCommandLineW()));
  UniqueHandle creation;
  const DWORD processId = StartCore(corePath, arguments, creation);
  if (processId == 0) {
    ShowMsgBox(L"PID값 추출 에러.\r\n스크린 세이버 자동화를 구성할 수 없습니다.", MB_ICONERROR, L"PID 추출 에러",
               SettingsDialog().hwnd());
    EndProgram();
  }
  UniqueHandle coreProcess;  // the core, for waiting; handed down to the dialog
  SupervisionResult supervision;
  {
    // Hooked before the core's first window; unhooked before the dialog exists.
    HookedCoreWindows core(processId);
    // The dialog's road: its dearest part is made ready while the core starts, not after "設定".
    if (ConfigureRoad(arguments)) PrepareSettingsDialog();
    WaitUntilIdle(processId);
    coreProcess.reset(OpenProcess(kStandardAndSynchronize, FALSE, processId));
    creation.reset();
    core.WatchProcess(coreProcess.get());
    supervision = SuperviseCore(core, kFirstWindowGraceMs);
  }
  // No window: the core runs on by itself. Ended: nothing is left to serve.
  if (supervision.outcome != Supervision::SettingsWindow) EndProgram();
  HWND coreSettingsWindow = ToHWND(supervision.window);
  SettingsDialog().ServeCore(std::move(coreProcess), coreSettingsWindow, [coreSettingsWindow](bool closeCoreWindow) {
    if (closeCoreWindow) CloseCoreAndEnd(coreSettingsWindow);
    EndProgram();
  });
  SettingsDialog().Show();
  SettingsDialog().SetWaitForProc(true);
}
