#include "host/core_windows_win.h"

#include <algorithm>

#include "base/wide.h"
#include "ui/message_loop.h"
#include "ui/window_utils.h"

namespace {

HWINEVENTHOOK Hook(DWORD event, DWORD processId, WINEVENTPROC callback) {
  return SetWinEventHook(event, event, nullptr, callback, processId, 0, WINEVENT_OUTOFCONTEXT);
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

HookedCoreWindows::HookedCoreWindows(DWORD processId)
    : processId_(processId), created_(Hook(EVENT_OBJECT_CREATE, processId, OnEvent)),
      renamed_(Hook(EVENT_OBJECT_NAMECHANGE, processId, OnEvent)) {
  listening_ = this;
  // Once after hooking, so that no window made before the hook is missed.
  WalkTopLevelWindows();
}

HookedCoreWindows::~HookedCoreWindows() {
  if (created_) UnhookWinEvent(created_);
  if (renamed_) UnhookWinEvent(renamed_);
  listening_ = nullptr;
}

CoreWake HookedCoreWindows::Wait(int ms) {
  const DWORD r = MsgWaitForMultipleObjectsEx(1, &process_, static_cast<DWORD>(ms < 0 ? 0 : ms), QS_ALLINPUT,
                                              MWMO_INPUTAVAILABLE);
  if (r == WAIT_TIMEOUT) return CoreWake::TimedOut;
  if (r != WAIT_OBJECT_0 + 1) return CoreWake::Ended;
  // Peeking runs the event callback. Nothing of the program posts to this thread yet, so
  // whatever else comes is let run (a quit message included: it is not ours).
  RunPendingMessages(false);
  return CoreWake::News;
}

std::vector<WindowId> HookedCoreWindows::TakeNews() {
  if (!created_) WalkTopLevelWindows();
  std::vector<WindowId> news;
  HWND desktop = GetDesktopWindow();
  for (HWND w : heard_) {
    const WindowId id = FromHWND(w);
    if (std::find(news.begin(), news.end(), id) != news.end()) continue;
    // Only the core's top-level windows count: children and message-only windows never do.
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId_ && GetAncestor(w, GA_PARENT) == desktop) news.push_back(id);
  }
  heard_.clear();
  return news;
}

bool HookedCoreWindows::Title(WindowId window, Text& title) {
  wchar_t buffer[255] = {};
  HWND w = ToHWND(window);
  if (GetWindowTextW(w, buffer, 255) == 0 && !IsWindow(w)) return false;
  title = FromWide(buffer);
  return true;
}

bool HookedCoreWindows::HasParent(WindowId window) { return GetParent(ToHWND(window)) != nullptr; }

// The system's default IME window, which a GUI thread may get at any moment, is not the core's.
bool HookedCoreWindows::OwnsTopLevelWindow() {
  for (HWND w = NextProcessWindow(processId_, nullptr); w; w = NextProcessWindow(processId_, w)) {
    wchar_t windowClass[8] = {};
    GetClassNameW(w, windowClass, 8);
    if (lstrcmpiW(windowClass, L"IME") != 0) return true;
  }
  return false;
}

std::int64_t HookedCoreWindows::NowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

void CALLBACK HookedCoreWindows::OnEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (!listening_ || !hwnd || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  try {
    listening_->heard_.push_back(hwnd);
  } catch (...) {
    // Out of memory: the next pass still reads the titles of the windows already known.
  }
}

void HookedCoreWindows::WalkTopLevelWindows() {
  for (HWND w = NextProcessWindow(processId_, nullptr); w; w = NextProcessWindow(processId_, w))
    heard_.push_back(w);
}
