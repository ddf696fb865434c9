#include "host/host.h"

#include <algorithm>
#include <vector>

#include "base/wide.h"
#include "dialog/set_form.h"
#include "host/core_scan.h"
#include "msgbox/msgbox_service.h"
#include "settings/settings_store.h"
#include "ui/handles.h"

namespace {

UniqueHandle CoreProcess;           // the core, for waiting; handed down to the dialog
HWND CoreSettingsWindow = nullptr;  // the core's "設定" window, 0 until found

constexpr DWORD kQueryAndSynchronize = PROCESS_QUERY_INFORMATION | SYNCHRONIZE;  // 0x100400
constexpr DWORD kStandardAndSynchronize = 0x1F0000;
constexpr UINT kCloseWaitMs = 5000;
constexpr ULONGLONG kIdleEventGraceMs = 2000;
constexpr int kFirstWindowGraceMs = 1000;

// The core's windows as the system tells of them: creation (and, where the system sends it,
// rename) events of the core's process, heard out of context through the message queue, which
// Wait pumps while it waits on the core's handle. Nothing else of the program can run in that
// pump: no window of ours exists yet, and the event callback only notes the window. Where the
// events cannot be had, every look walks the desktop's top-level windows instead.
class HookedCoreWindows final : public CoreWindows {
 public:
  explicit HookedCoreWindows(DWORD processId)
      : processId_(processId), created_(Hook(EVENT_OBJECT_CREATE, processId)),
        renamed_(Hook(EVENT_OBJECT_NAMECHANGE, processId)) {
    listening_ = this;
    // Once after hooking, so that no window made before the hook is missed.
    WalkTopLevelWindows();
  }
  ~HookedCoreWindows() override {
    if (created_) UnhookWinEvent(created_);
    if (renamed_) UnhookWinEvent(renamed_);
    listening_ = nullptr;
  }
  HookedCoreWindows(const HookedCoreWindows&) = delete;
  HookedCoreWindows& operator=(const HookedCoreWindows&) = delete;

  CoreWake Wait(int ms) override {
    HANDLE process = CoreProcess.get();
    const DWORD r = MsgWaitForMultipleObjectsEx(1, &process, static_cast<DWORD>(ms < 0 ? 0 : ms), QS_ALLINPUT,
                                                MWMO_INPUTAVAILABLE);
    if (r == WAIT_TIMEOUT) return CoreWake::TimedOut;
    if (r != WAIT_OBJECT_0 + 1) return CoreWake::Ended;
    // Peeking runs the event callback. Nothing of the program posts to this thread yet, so
    // whatever else comes is let run (a quit message included: it is not ours).
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return CoreWake::News;
  }
  std::vector<WindowId> TakeNews() override {
    if (!created_) WalkTopLevelWindows();
    std::vector<WindowId> news;
    HWND desktop = GetDesktopWindow();
    for (HWND w : heard_) {
      const WindowId id = reinterpret_cast<WindowId>(w);
      if (std::find(news.begin(), news.end(), id) != news.end()) continue;
      // Only the core's top-level windows count: children and message-only windows never do.
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == processId_ && GetAncestor(w, GA_PARENT) == desktop) news.push_back(id);
    }
    heard_.clear();
    return news;
  }
  bool Title(WindowId window, Text& title) override {
    wchar_t buffer[255] = {};
    HWND w = reinterpret_cast<HWND>(window);
    if (GetWindowTextW(w, buffer, 255) == 0 && !IsWindow(w)) return false;
    title = FromWide(buffer);
    return true;
  }
  bool HasParent(WindowId window) override { return GetParent(reinterpret_cast<HWND>(window)) != nullptr; }
  // The system's default IME window, which a GUI thread may get at any moment, is not the core's.
  bool OwnsTopLevelWindow() override {
    for (HWND w = NextProcessWindow(processId_, nullptr); w; w = NextProcessWindow(processId_, w)) {
      wchar_t windowClass[8] = {};
      GetClassNameW(w, windowClass, 8);
      if (lstrcmpiW(windowClass, L"IME") != 0) return true;
    }
    return false;
  }
  std::int64_t NowMs() override { return static_cast<std::int64_t>(GetTickCount64()); }

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (!listening_ || !hwnd || object != OBJID_WINDOW || child != CHILDID_SELF) return;
    try {
      listening_->heard_.push_back(hwnd);
    } catch (...) {
      // Out of memory: the next pass still reads the titles of the windows already known.
    }
  }
  static HWINEVENTHOOK Hook(DWORD event, DWORD processId) {
    return SetWinEventHook(event, event, nullptr, OnEvent, processId, 0, WINEVENT_OUTOFCONTEXT);
  }
  void WalkTopLevelWindows() {
    for (HWND w = NextProcessWindow(processId_, nullptr); w; w = NextProcessWindow(processId_, w))
      heard_.push_back(w);
  }

  static inline HookedCoreWindows* listening_ = nullptr;  // the callback's target while hooked
  DWORD processId_;
  HWINEVENTHOOK created_ = nullptr, renamed_ = nullptr;
  std::vector<HWND> heard_;
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

}  // namespace

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
  SupervisionResult supervision;
  {
    // Hooked before the core's first window; unhooked before any window of ours exists.
    HookedCoreWindows core(processId);
    WaitUntilIdle(processId);
    CoreProcess.reset(OpenProcess(kStandardAndSynchronize, FALSE, processId));
    creation.reset();
    supervision = SuperviseCore(core, kFirstWindowGraceMs);
  }
  if (supervision.outcome == Supervision::NoWindow) EndProgram();  // the core runs on by itself
  if (supervision.outcome == Supervision::CoreEnded) {
    CoreProcess.reset();
    EndProgram();
  }
  CoreSettingsWindow = reinterpret_cast<HWND>(supervision.window);
  SettingsDialog().ServeCore(std::move(CoreProcess), [](bool closeCoreWindow) {
    if (closeCoreWindow) CloseCoreAndEnd();
    EndProgram();
  });
  SettingsDialog().Show();
  SettingsDialog().SetWaitForProc(true);
}
