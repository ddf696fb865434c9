#include "ui/late_load.h"

#include <delayimp.h>

#include <string>

namespace {

// Kept for the delayed imports: the MinGW helper asks first, and loads by name only when refused.
FARPROC WINAPI LoadDelayedFromSystem32(unsigned notice, PDelayLoadInfo info) {
  if (notice != dliNotePreLoadLibrary || !info || !info->szDll) return nullptr;
  std::wstring name;
  for (const char* c = info->szDll; *c; ++c) name.push_back(static_cast<unsigned char>(*c));
  return reinterpret_cast<FARPROC>(LoadSystemLibrary(name.c_str()));
}

}  // namespace

void LoadLibrariesFromSystem32Only() {
  // Looked up: Windows 7 has it only with its update KB2533623.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    if (FARPROC found = GetProcAddress(kernel, "SetDefaultDllDirectories"))
      reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(found))(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  __pfnDliNotifyHook2 = LoadDelayedFromSystem32;
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  // By bare name, so that the manifest's redirection (common controls 6) still applies.
  if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  // A system without the search flags: the full path into System32.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

FARPROC LoadLateFunction(const wchar_t* library, const char* name) {
  HMODULE module = LoadSystemLibrary(library);
  return module ? GetProcAddress(module, name) : nullptr;
}

#ifdef __MINGW32__
// MinGW's C runtime start (crt2u.o: it calls wWinMain).
extern "C" int WinMainCRTStartup();

// The programs' entry point (cmake/system_libraries.cmake links it as such): the library search is
// narrowed before the C runtime runs a constructor or loads anything.
extern "C" __attribute__((force_align_arg_pointer)) int LumivaleEntry() {
  LoadLibrariesFromSystem32Only();
  return WinMainCRTStartup();
}
#endif
