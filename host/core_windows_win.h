#pragma once
// The core's windows as the system tells of them, for the supervision.
#include <windows.h>

#include <vector>

#include "host/supervision.h"

// The next parentless top-level window of the process after `after` in Z order (0: from the top).
HWND NextProcessWindow(DWORD processId, HWND after);

// Creation (and, where the system sends it, rename) events of the core's process, heard out of
// context through the message queue, which Wait pumps while it waits on the core's handle. Nothing
// else of the program can run in that pump: no window of ours exists yet, and the event callback
// only notes the window. Where the events cannot be had, every look walks the desktop's top-level
// windows instead. One at a time: the callback has no context of its own.
class HookedCoreWindows final : public CoreWindows {
 public:
  explicit HookedCoreWindows(DWORD processId);
  ~HookedCoreWindows() override;
  HookedCoreWindows(const HookedCoreWindows&) = delete;
  HookedCoreWindows& operator=(const HookedCoreWindows&) = delete;

  // The core's handle that Wait waits on (not owned).
  void WatchProcess(HANDLE process) { process_ = process; }

  CoreWake Wait(int ms) override;
  std::vector<WindowId> TakeNews() override;
  bool Title(WindowId window, Text& title) override;
  bool HasParent(WindowId window) override;
  bool OwnsTopLevelWindow() override;
  std::int64_t NowMs() override;

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD);
  void WalkTopLevelWindows();

  static inline HookedCoreWindows* listening_ = nullptr;  // the callback's target while hooked
  DWORD processId_;
  HANDLE process_ = nullptr;
  HWINEVENTHOOK created_ = nullptr, renamed_ = nullptr;
  std::vector<HWND> heard_;
};
