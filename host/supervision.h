#pragma once
// Supervision of the renderer core as an algorithm over a small platform interface, so that its
// decisions are tested natively. It sleeps until the core ends or news of the core's windows
// arrives; a new window is looked at as soon as its news comes, and every 100 ms a pass reads the
// titles of the core's known windows again, since not every platform tells of a rename.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "base/utf.h"

enum class CoreWake { Ended, News, TimedOut };

class CoreWindows {
 public:
  virtual ~CoreWindows() = default;
  // Waits at most `ms` for the core's end (or a failing wait: Ended) or for news of its windows.
  virtual CoreWake Wait(int ms) = 0;
  // The core's top-level windows created or renamed since the last call, as far as they are told.
  virtual std::vector<WindowId> TakeNews() = 0;
  // The window's title; false when the window is gone.
  virtual bool Title(WindowId window, Text& title) = 0;
  virtual bool HasParent(WindowId window) = 0;
  // Whether the core owns a top-level window without a parent at this moment (a fresh look, not
  // the windows told so far: a window may have been made and gone, or changed, since its news).
  virtual bool OwnsTopLevelWindow() = 0;
  virtual std::int64_t NowMs() = 0;
};

inline const Text kCoreSettingsTitle = u"設定";
constexpr int kPassIntervalMs = 100;

enum class Supervision {
  SettingsWindow,  // the core's settings window showed: `window`
  CoreEnded,       // the core ended, or waiting on it failed
  NoWindow,        // once idle the core owned no parentless top-level window
};
struct SupervisionResult {
  Supervision outcome = Supervision::CoreEnded;
  WindowId window = 0;
};

// Runs from the moment the core is idle for input until one of the outcomes. The core must own a
// parentless top-level window by then or within `firstWindowGraceMs` (a platform may call a core
// idle a moment before its first window exists).
SupervisionResult SuperviseCore(CoreWindows& core, int firstWindowGraceMs);
