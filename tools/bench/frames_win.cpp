// The reference core's frame rate for scripts/bench: LumivaleFrames <seconds>
// Waits for the core's full-screen window, then counts the frames it shows over the given time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "tools/reference-core/saver_window_win.h"

namespace {
DWORD_PTR Frames(HWND window) {
  DWORD_PTR frames = 0;
  SendMessageTimeoutW(window, kFramesShownMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &frames);
  return frames;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  const double seconds = argc > 1 ? _wtof(argv[1]) : 10.0;
  HWND window = nullptr;
  for (int i = 0; i < 200 && !window; ++i, Sleep(50)) window = FindWindowW(L"LumivaleReferenceCore", L"Lumivale");
  if (!window) return 1;
  const DWORD_PTR first = Frames(window);
  const ULONGLONG start = GetTickCount64();
  Sleep(static_cast<DWORD>(seconds * 1000));
  const DWORD_PTR last = Frames(window);
  std::printf("%.1f\n", static_cast<double>(last - first) * 1000.0 / static_cast<double>(GetTickCount64() - start));
  return 0;
}
