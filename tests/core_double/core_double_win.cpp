// The core's test double: a core that honours the host's contract and misbehaves on cue. The tests
// and the bench copy it as LumivaleCore.dll into their program folders; it is never shipped.
//   /s                      a full-screen window
//   /c, /c:<hwnd> or none:  a top-level window titled "設定" that ends the core when closed
// Anything else ends quietly. LUMIVALE_CORE_MODE chooses a behaviour (comma-separated):
//   nowindow     no window at all (Wine may make even a message-only window a hidden top-level one)
//   late:<ms>    "設定" comes <ms> after a first window
//   rename:<ms>  a first window takes the title "設定" <ms> after it shows
//   decoys       no "設定" but a child titled so and a top-level window whose title starts so
//   exit:<ms>    ends normally <ms> after its windows exist
//   hang:<ms>    <ms> after its windows exist, stops taking messages for ever
//   abort:<ms>   ends abnormally <ms> after its start, before it has a message queue
//   stall        sleeps for ever before it has a message queue
//   x:<n>, y:<n> its windows' top-left corner (60, 60 without)
// LUMIVALE_CORE_LOG names a file that receives "cmdline ...", "pid ...", "message WM_CLOSE" (on
// "設定"), "hang" and "exit"; <log>.settings is the settings file as the core found it.
#include <windows.h>

#include <cwchar>
#include <string>

#include "base/handle_win.h"
#include "base/system_win.h"
#include "base/wide.h"
#include "settings/settings_store.h"

namespace {

constexpr UINT_PTR kExitTimer = 1, kLateTimer = 2, kRenameTimer = 3, kHangTimer = 4;

void Log(const std::wstring& line) {
  static const std::wstring path = EnvironmentText(L"LUMIVALE_CORE_LOG");
  if (path.empty()) return;
  const UniqueHandle f(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  const Bytes utf8 = TextToUtf8(FromWide(line + L"\r\n"));
  DWORD written;
  if (f) WriteFile(f.get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// A mode token's number ("late:300" -> 300), 0 for a bare token, -1 when the token is absent (no
// token is part of another).
long ModeValue(const std::wstring& mode, const std::wstring& token) {
  const size_t at = mode.find(token), end = at + token.size();
  if (at == std::wstring::npos) return -1;
  return (end < mode.size() && mode[end] == L':') ? std::wcstol(mode.c_str() + end + 1, nullptr, 10) : 0;
}

// The settings file as the core found it at its start, beside the log.
void KeepSettingsFile() {
  CopyFileW(SettingsFilePath().c_str(),
            (EnvironmentText(L"LUMIVALE_CORE_LOG") + L".settings").c_str(), FALSE);
}

HWND g_settings = nullptr;

LRESULT CALLBACK CoreProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE && hwnd == g_settings) Log(L"message WM_CLOSE");
  if (msg == WM_DESTROY && !GetParent(hwnd)) PostQuitMessage(0);
  if (msg != WM_TIMER) return DefWindowProcW(hwnd, msg, wParam, lParam);
  KillTimer(hwnd, wParam);
  if (wParam == kExitTimer) PostQuitMessage(0);
  if (wParam == kHangTimer) {
    Log(L"hang");
    Sleep(INFINITE);
  }
  if (wParam == kRenameTimer) SetWindowTextW(g_settings = hwnd, L"設定");
  return 0;
}

POINT g_corner{60, 60};  // the windows' top-left corner (x:, y:)

// Windows are shown without activation: the host's dialog keeps the keyboard.
HWND MakeWindow(const wchar_t* title, DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr) {
  HWND w = CreateWindowExW(0, L"LumivaleCoreDouble", title, style, g_corner.x, g_corner.y, 420, 240, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  return w;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  Log(std::wstring(L"cmdline ") + GetCommandLineW());
  Log(L"pid " + std::to_wstring(GetCurrentProcessId()));
  const std::wstring mode = EnvironmentText(L"LUMIVALE_CORE_MODE");
  // The start-up failures come before anything that gives the process a message queue.
  if (const long abortAfter = ModeValue(mode, L"abort"); abortAfter >= 0) {
    Sleep(static_cast<DWORD>(abortAfter));
    TerminateProcess(GetCurrentProcess(), 0xC0000005);
  }
  if (ModeValue(mode, L"stall") >= 0) Sleep(INFINITE);
  KeepSettingsFile();

  WNDCLASSW wc{};
  wc.lpfnWndProc = CoreProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"LumivaleCoreDouble";
  RegisterClassW(&wc);

  std::wstring sw;
  for (const wchar_t* p = arguments; *p && *p != L' ' && *p != L'\t'; ++p) sw += static_cast<wchar_t>(towlower(*p));
  if (!sw.empty() && sw[0] == L'-') sw[0] = L'/';

  const long late = ModeValue(mode, L"late"), rename = ModeValue(mode, L"rename");
  if (const long x = ModeValue(mode, L"x"); x >= 0) g_corner.x = x;
  if (const long y = ModeValue(mode, L"y"); y >= 0) g_corner.y = y;
  HWND first = nullptr;
  if (ModeValue(mode, L"nowindow") >= 0) {
    // Only a message queue; its one timer, a thread's, is the exit's.
  } else if (sw == L"/s") {
    first = CreateWindowExW(WS_EX_TOPMOST, L"LumivaleCoreDouble", L"Lumivale", WS_POPUP | WS_VISIBLE, 0, 0,
                            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                            instance, nullptr);
  } else if (!sw.empty() && sw != L"/c" && sw.rfind(L"/c:", 0) != 0) {
    return 0;
  } else if (ModeValue(mode, L"decoys") >= 0) {
    first = MakeWindow(L"Lumivale core");
    MakeWindow(L"設定", WS_CHILD, first);
    MakeWindow(L"設定 Lumivale");
  } else if (late >= 0 || rename >= 0) {
    first = MakeWindow(L"Lumivale core");
    SetTimer(first, late >= 0 ? kLateTimer : kRenameTimer, static_cast<UINT>(late >= 0 ? late : rename), nullptr);
  } else {
    first = g_settings = MakeWindow(L"設定");
  }
  if (const long exitAfter = ModeValue(mode, L"exit"); exitAfter >= 0)
    SetTimer(first, kExitTimer, static_cast<UINT>(exitAfter), nullptr);
  if (const long hangAfter = ModeValue(mode, L"hang"); hangAfter >= 0)
    SetTimer(first, kHangTimer, static_cast<UINT>(hangAfter), nullptr);

  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (m.message == WM_TIMER && !m.hwnd) break;
    if (m.message == WM_TIMER && m.wParam == kLateTimer) {  // the late window is made outside a handler
      KillTimer(m.hwnd, kLateTimer);
      g_settings = MakeWindow(L"設定");
      continue;
    }
    DispatchMessageW(&m);
  }
  Log(L"exit");
  return 0;
}
