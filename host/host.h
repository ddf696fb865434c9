#pragma once
// Start-up and supervision of the renderer core.
#include <windows.h>

// The entry procedure's whole course; returns only when the core's settings window was found and
// the settings dialog is showing.
void Main();

// Every end of the program is immediate: no window is asked, no close handler runs.
[[noreturn]] void EndProgram();
