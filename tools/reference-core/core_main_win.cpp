// The reference renderer core, a small screen saver: a night scene that follows the settings file.
//   /s            full screen over every monitor until a key, a click or a move of the mouse
//   /p <hwnd>     inside the preview window, until that window goes
//   /c, /c:<hwnd> or nothing: the settings window "設定" with a still picture, until it is closed
// Either '/' or '-', either case; anything else ends quietly.
#include <windows.h>

#include <mmsystem.h>

#include <cwchar>
#include <cwctype>
#include <optional>
#include <string>

#include "tools/reference-core/core_settings_win.h"
#include "tools/reference-core/saver_window_win.h"
#include "ui/handles.h"
#include "ui/message_loop.h"
#include "base/wide.h"

namespace {

constexpr LONG kFrameMs = 32;  // a little over 30 frames a second

// The switch in lower case with '-' read as '/', and the argument after it.
void SplitArguments(const wchar_t* line, std::wstring& first, std::wstring& second) {
  const wchar_t* p = line;
  if (*p == L'"') {
    for (++p; *p && *p != L'"'; ++p) {}
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  std::wstring* out[2] = {&first, &second};
  for (auto* arg : out) {
    while (*p == L' ' || *p == L'\t') ++p;
    while (*p && *p != L' ' && *p != L'\t') arg->push_back(*p++);
  }
  for (auto& c : first) c = static_cast<wchar_t>(std::towlower(c));
  if (!first.empty() && first[0] == L'-') first[0] = L'/';
}

// A 1 ms system timer for the run, so that frames come at an even pace.
class TimerResolution {
 public:
  TimerResolution() : set_(timeBeginPeriod(1) == TIMERR_NOERROR) {}
  ~TimerResolution() {
    if (set_) timeEndPeriod(1);
  }
  TimerResolution(const TimerResolution&) = delete;
  TimerResolution& operator=(const TimerResolution&) = delete;

 private:
  bool set_;
};

// Messages until the window ends; the animation is driven by a periodic waitable timer, so the
// core sleeps between frames.
int Run(SaverWindow& window) {
  TimerResolution resolution;
  UniqueHandle timer(window.Animated() ? CreateWaitableTimerW(nullptr, FALSE, nullptr) : nullptr);
  LARGE_INTEGER due{};
  due.QuadPart = -10000LL * kFrameMs;
  if (timer) SetWaitableTimer(timer.get(), &due, kFrameMs, nullptr, nullptr, FALSE);
  HANDLE waits[1] = {timer.get()};
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjects(timer ? 1 : 0, waits, FALSE, INFINITE, QS_ALLINPUT);
    if (timer && woke == WAIT_OBJECT_0) window.NextFrame();
    if (!RunPendingMessages()) return 0;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::wstring sw, next;
  SplitArguments(GetCommandLineW(), sw, next);
  const bool saver = sw == L"/s", preview = sw == L"/p";
  const bool settingsWindow = sw.empty() || sw == L"/c" || sw.rfind(L"/c:", 0) == 0;
  if (!saver && !preview && !settingsWindow) return 0;

  const SettingsRecord settings = ReadCoreSettings();
  GdiplusSession gdiplus;
  // The desktop as it is before the saver covers it.
  std::optional<DesktopSnapshot> desktop;
  if (!settings.Omake2) desktop.emplace();
  const DesktopSnapshot* beneath = desktop ? &*desktop : nullptr;

  SaverWindow window(settings);
  if (saver) {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (!window.CreateSaver(screen, beneath)) return 0;
    window.music().Play(Wide(settings.BGMfile), window.hwnd());
  } else if (preview) {
    HWND parent = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(next.c_str(), nullptr, 10)));
    if (!window.CreatePreview(parent, beneath)) return 0;
  } else if (!window.CreateSettings(beneath)) {
    return 0;
  }
  return Run(window);
}
