#include "ui/late_load.h"

FARPROC LoadLateFunction(const wchar_t* library, const char* name) {
  // By name, as the loader resolves an import: the manifest's common controls 6 included.
  HMODULE module = LoadLibraryW(library);
  return module ? GetProcAddress(module, name) : nullptr;
}
