#pragma once
// System libraries, and only from System32. A screen saver is run from wherever it was unpacked (a
// Downloads folder), where a library named like a system one may lie beside it: the program's own
// folder and the current folder are never searched. The functions that only the settings dialog
// uses (the shell, the common dialogs, the common controls) load when first needed, so that a
// screen-saver run never pays at its start for loading them.
#include <windows.h>

// Narrows the process's library search to System32 and makes the delayed imports load from there.
// The programs' entry calls it before the C runtime's start, so before anything loads.
void LoadLibrariesFromSystem32Only();

// The system library `name` (a bare file name) from System32, or from the manifest's side-by-side
// assembly where it names one (common controls 6); null when it is missing.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The function `name` of the system library `library`, loading the library if need be; null when
// either is missing. The library stays loaded until the program ends.
FARPROC LoadLateFunction(const wchar_t* library, const char* name);

// The same, typed: LateFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW").
// Callers keep the result: the lookup is for the first use only.
template <typename Function>
Function* LateFunction(const wchar_t* library, const char* name) {
  // Through void(*)(), the function-pointer type that converts to any other without a warning.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(LoadLateFunction(library, name)));
}
