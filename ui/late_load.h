#pragma once
// Functions of the system libraries that only the settings dialog uses (the shell, the common
// dialogs, the common controls), loaded when first needed: a screen-saver run never shows the
// dialog and so never pays at its start for loading them.
#include <windows.h>

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
