#pragma once
// The walk over the renderer core's top-level windows, pass after pass, until its settings
// window shows or the core ends. The platform is an interface so that passes are tested natively.
#include <cstdint>

#include "base/geometry.h"
#include "base/utf.h"

class CoreWindows {
 public:
  virtual ~CoreWindows() = default;
  virtual bool CoreExists() = 0;
  // Next parentless top-level window of the core after `after` in Z order (0: from the top).
  virtual WindowId NextWindow(WindowId after) = 0;
  virtual Text Title(WindowId window) = 0;
  // Waits on the core for at most `ms`; true when the wait timed out (the core still runs).
  virtual bool WaitTimedOut(int ms) = 0;
};

inline const Text kCoreSettingsTitle = u"設定";

struct ScanResult {
  bool found = false;       // false: the core ended (or its handle failed)
  WindowId window = 0;      // the core's settings window when found
};

ScanResult ScanCoreWindows(CoreWindows& core, WindowId first);

// The arguments of a command line as received: the program name (quoted or not) and the blanks
// after it removed, the rest unchanged.
Text ArgumentsOf(const Text& commandLine);
// What the core is started with: its quoted path, one blank, our own arguments.
Text CoreCommandLine(const Text& corePath, const Text& arguments);
