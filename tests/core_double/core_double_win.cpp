// The core's test double: a renderer core that honours the host's contract and misbehaves on cue.
// The tests copy it as LumivaleCore.dll into their program folders; it is never shipped.
//   /s            full screen until a key or a mouse move
//   /p <hwnd>     a child of the preview window, ending when that window goes
//   /c, /c:<hwnd> or nothing: a top-level window titled "設定" that ends the core when closed
// Either '/' or '-', either case; anything else ends quietly.
// LUMIVALE_CORE_MODE chooses a behaviour (comma-separated):
//   nowindow, third, late:<ms>, child, exit:<ms>, crash:<ms>
//   rename:<ms>  a window "Lumivale core" that takes the title "設定" <ms> after its start
//   abort:<ms>   ends abnormally <ms> after its start, before it has a message queue or a window
//   stall        never gets past its start: sleeps for ever before any queue or window
//   hang:<ms>    <ms> after its windows exist, stops taking messages for ever (a hung core)
//   close:<ms>   destroys its own settings window <ms> after showing it, as its own close would
//   stay         runs on when its settings window is destroyed (by default the core then ends)
// Timed tokens that find no window left to time them (after close:, with stay) do not fire.
// and LUMIVALE_CORE_LOG names a file that receives the command line, the settings file as it was
// found at start, and the messages the settings window receives.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "base/utf.h"

namespace {

constexpr UINT_PTR kExitTimer = 1, kCrashTimer = 2, kLateTimer = 3, kPreviewTimer = 4, kHangTimer = 5,
                   kCloseTimer = 6, kRenameTimer = 7;

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[2048];
  const DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
  return (n > 0 && n < 2048) ? std::wstring(buffer, n) : std::wstring();
}

void Log(const std::wstring& line) {
  static const std::wstring path = Env(L"LUMIVALE_CORE_LOG");
  if (path.empty()) return;
  HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  const Bytes utf8 = TextToUtf8(Text(line.begin(), line.end()) + u"\r\n");
  DWORD written;
  WriteFile(f, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(f);
}

// A mode token's number ("late:300" -> 300), or -1 when the token is absent.
long ModeValue(const std::wstring& mode, const std::wstring& token) {
  size_t at = 0;
  while ((at = mode.find(token, at)) != std::wstring::npos) {
    const bool starts = at == 0 || mode[at - 1] == L',';
    const size_t end = at + token.size();
    if (starts && (end == mode.size() || mode[end] == L',' || mode[end] == L':'))
      return (end < mode.size() && mode[end] == L':') ? std::wcstol(mode.c_str() + end + 1, nullptr, 10) : 0;
    at = end;
  }
  return -1;
}

// The first two arguments after the program name (blank-separated, quotes around the name).
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
}

std::wstring SettingsText() {
  const std::wstring appData = Env(L"APPDATA");
  const std::wstring path = appData + L"\\Lumivale!!\\Lumivale!!.xml";
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return L"";
  Bytes bytes(65536);
  DWORD got = 0;
  ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(f);
  bytes.resize(got);
  wchar_t hex[4];
  std::wstring logged = L"settings ";
  for (auto b : bytes) {
    swprintf(hex, 4, L"%02X", b);
    logged += hex;
  }
  Log(logged);
  const Text text = Utf8ToText(bytes);
  return std::wstring(text.begin(), text.end());
}

enum class Role { Settings, Saver, Preview, Other };
Role g_role = Role::Other;
std::wstring g_settingsText;
long g_closeAfter = -1;
bool g_stay = false;
POINT g_firstMouse{-1, -1};

const wchar_t* MessageName(UINT msg) {
  switch (msg) {
    case WM_CLOSE: return L"WM_CLOSE";
    case WM_DESTROY: return L"WM_DESTROY";
    case WM_SYSCOMMAND: return L"WM_SYSCOMMAND";
    case WM_QUERYENDSESSION: return L"WM_QUERYENDSESSION";
    default: return nullptr;
  }
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  if (g_role == Role::Saver || g_role == Role::Preview) {
    // A quiet night-sky gradient with the name in the middle.
    const int h = r.bottom > 0 ? r.bottom : 1;
    for (int y = 0; y < h; y += 4) {
      HBRUSH b = CreateSolidBrush(RGB(10, 10 + 40 * y / h, 40 + 80 * y / h));
      RECT band{0, y, r.right, y + 4};
      FillRect(dc, &band, b);
      DeleteObject(b);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(220, 230, 255));
    DrawTextW(dc, L"Lumivale", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  } else {
    FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    RECT text = r;
    InflateRect(&text, -8, -8);
    const std::wstring shown = L"Lumivale reference core\r\n\r\n" +
                               (g_settingsText.empty() ? std::wstring(L"(no settings file)") : g_settingsText);
    DrawTextW(dc, shown.c_str(), -1, &text, DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK CoreProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_role == Role::Settings)
    if (const wchar_t* name = MessageName(msg)) Log(std::wstring(L"message ") + name);
  switch (msg) {
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_TIMER:
      if (wParam == kExitTimer) PostQuitMessage(0);
      if (wParam == kCrashTimer) TerminateProcess(GetCurrentProcess(), 0xC0000005);
      if (wParam == kPreviewTimer && !IsWindow(GetParent(hwnd))) PostQuitMessage(0);
      if (wParam == kHangTimer) {
        Log(L"hang");
        Sleep(INFINITE);
      }
      if (wParam == kRenameTimer) {
        KillTimer(hwnd, kRenameTimer);
        g_role = Role::Settings;
        SetWindowTextW(hwnd, L"設定");
      }
      if (wParam == kCloseTimer) {
        KillTimer(hwnd, kCloseTimer);
        Log(L"close self");
        DestroyWindow(hwnd);
      }
      return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (g_role == Role::Saver) PostQuitMessage(0);
      break;
    case WM_MOUSEMOVE:
      if (g_role == Role::Saver) {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (g_firstMouse.x < 0) g_firstMouse = p;
        else if (std::abs(p.x - g_firstMouse.x) + std::abs(p.y - g_firstMouse.y) > 4) PostQuitMessage(0);
      }
      break;
    case WM_DESTROY:
      if (!g_stay) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakeWindow(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int w, int h, HWND parent) {
  return CreateWindowExW(exStyle, L"LumivaleReferenceCore", title, style, x, y, w, h, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

HWND MakeSettingsWindow() {
  g_role = Role::Settings;
  HWND w = MakeWindow(0, L"設定", WS_OVERLAPPEDWINDOW, 120, 120, 420, 240, nullptr);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  if (g_closeAfter >= 0) SetTimer(w, kCloseTimer, static_cast<UINT>(g_closeAfter), nullptr);
  return w;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  Log(std::wstring(L"cmdline ") + GetCommandLineW());
  Log(L"pid " + std::to_wstring(GetCurrentProcessId()));
  const std::wstring mode = Env(L"LUMIVALE_CORE_MODE");
  // The start-up failures come before anything that gives the process a message queue.
  if (const long abortAfter = ModeValue(mode, L"abort"); abortAfter >= 0) {
    Sleep(static_cast<DWORD>(abortAfter));
    TerminateProcess(GetCurrentProcess(), 0xC0000005);
  }
  if (ModeValue(mode, L"stall") >= 0) Sleep(INFINITE);
  g_closeAfter = ModeValue(mode, L"close");
  g_stay = ModeValue(mode, L"stay") >= 0;
  g_settingsText = SettingsText();

  WNDCLASSW wc{};
  wc.lpfnWndProc = CoreProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"LumivaleReferenceCore";
  RegisterClassW(&wc);

  std::wstring sw, next;
  SplitArguments(GetCommandLineW(), sw, next);
  for (auto& c : sw) c = static_cast<wchar_t>(towlower(c));
  if (!sw.empty() && sw[0] == L'-') sw[0] = L'/';

  HWND timerWindow = nullptr;
  if (ModeValue(mode, L"nowindow") >= 0) {
    // No window that the host can see: a message-only window keeps the timers.
    timerWindow = MakeWindow(0, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
  } else if (sw == L"/s") {
    g_role = Role::Saver;
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    timerWindow = MakeWindow(WS_EX_TOPMOST, L"Lumivale", WS_POPUP, x, y, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                             GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr);
    ShowWindow(timerWindow, SW_SHOW);
    ShowCursor(FALSE);
  } else if (sw == L"/p") {
    HWND parent = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(next.c_str(), nullptr, 10)));
    if (!IsWindow(parent)) return 0;
    g_role = Role::Preview;
    RECT r;
    GetClientRect(parent, &r);
    timerWindow = MakeWindow(0, L"Lumivale preview", WS_CHILD | WS_VISIBLE, 0, 0, r.right, r.bottom, parent);
    SetTimer(timerWindow, kPreviewTimer, 250, nullptr);
  } else if (sw.empty() || sw == L"/c" || sw.rfind(L"/c:", 0) == 0) {
    const long late = ModeValue(mode, L"late"), rename = ModeValue(mode, L"rename");
    if (ModeValue(mode, L"child") >= 0) {
      // A top-level window whose child carries the title: never the settings window.
      timerWindow = MakeWindow(0, L"Lumivale core", WS_OVERLAPPEDWINDOW, 60, 60, 300, 200, nullptr);
      MakeWindow(0, L"設定", WS_CHILD | WS_VISIBLE, 0, 0, 100, 50, timerWindow);
    } else if (rename >= 0) {
      timerWindow = MakeWindow(0, L"Lumivale core", WS_OVERLAPPEDWINDOW, 60, 60, 300, 200, nullptr);
      ShowWindow(timerWindow, SW_SHOWNOACTIVATE);
      SetTimer(timerWindow, kRenameTimer, static_cast<UINT>(rename), nullptr);
    } else if (late >= 0) {
      timerWindow = MakeWindow(0, L"Lumivale core", WS_OVERLAPPEDWINDOW, 60, 60, 300, 200, nullptr);
      SetTimer(timerWindow, kLateTimer, static_cast<UINT>(late), nullptr);
    } else if (ModeValue(mode, L"third") >= 0) {
      // The settings window first: later windows go above it, so it is the third in Z order.
      timerWindow = MakeSettingsWindow();
      MakeWindow(0, L"Lumivale core 2", WS_OVERLAPPEDWINDOW, 80, 80, 200, 100, nullptr);
      MakeWindow(0, L"Lumivale core 1", WS_OVERLAPPEDWINDOW, 90, 90, 200, 100, nullptr);
    } else {
      timerWindow = MakeSettingsWindow();
    }
  } else {
    return 0;
  }

  const long exitAfter = ModeValue(mode, L"exit"), crashAfter = ModeValue(mode, L"crash");
  if (exitAfter >= 0) SetTimer(timerWindow, kExitTimer, static_cast<UINT>(exitAfter), nullptr);
  if (crashAfter >= 0) SetTimer(timerWindow, kCrashTimer, static_cast<UINT>(crashAfter), nullptr);
  if (const long hangAfter = ModeValue(mode, L"hang"); hangAfter >= 0)
    SetTimer(timerWindow, kHangTimer, static_cast<UINT>(hangAfter), nullptr);

  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (m.message == WM_TIMER && m.wParam == kLateTimer && m.hwnd == timerWindow) {
      KillTimer(timerWindow, kLateTimer);
      MakeSettingsWindow();
      continue;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  Log(L"exit");
  return 0;
}
