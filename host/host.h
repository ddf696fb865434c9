#pragma once
// Start-up and supervision of the renderer core.
#include <windows.h>

#include "ui/handles.h"

extern UniqueHandle CoreProcess;   // the core, for waiting; closed just before the end
extern HWND CoreSettingsWindow;    // the core's "設定" window, 0 until found

// The next parentless top-level window of the process after `after` in Z order (0: from the top).
HWND NextProcessWindow(DWORD processId, HWND after);

// The entry procedure's whole course; returns only when the core's settings window was found and
// the settings dialog is showing.
void Main();

// Every end of the program is immediate: no window is asked, no close handler runs.
[[noreturn]] void EndProgram();
// Asks the core's settings window to close (if it still is one) and ends the program.
[[noreturn]] void CloseCoreAndEnd();
