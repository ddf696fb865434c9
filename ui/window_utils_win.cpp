#include "ui/window_utils.h"

#include "base/dpi.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/late_load.h"

namespace {

bool MonitorAreas(HMONITOR monitor, Rect* whole, Rect* work) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return false;
  if (whole) *whole = FromRECT(info.rcMonitor);
  if (work) *work = FromRECT(info.rcWork);
  return true;
}

}  // namespace

void SetTopmost(HWND window, bool topmost) {
  SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void StartWindowDrag(HWND window) {
  ReleaseCapture();
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void SetPointerShape(bool arrow) {
  SetCursor(LoadCursorW(nullptr, arrow ? IDC_ARROW : IDC_HAND));
}

namespace {
int AltMask() { return GetKeyState(VK_MENU) < 0 ? 4 : 0; }
}  // namespace

int ShiftState() { return ((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) | AltMask(); }

int MouseButtons(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0);
}

int MouseShift(WPARAM keys) {
  return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) | AltMask();
}

int WindowDpi(HWND window) {
  // Windows 10 1607 on; looked up, as older systems (and older MinGW headers) lack it.
  using GetDpiForWindowFn = UINT WINAPI(HWND);
  static GetDpiForWindowFn* const getDpiForWindow = LateFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

Rect MonitorAreaOf(HWND window) {
  const HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                                  : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  Rect whole;
  if (!MonitorAreas(monitor, &whole, nullptr))
    whole = Box(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return whole;
}

bool WorkAreaOf(const Rect& r, Rect& area) {
  const RECT rect = ToRECT(r);
  return MonitorAreas(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), nullptr, &area);
}

namespace {

constexpr wchar_t kHideFocusCues[] = L"LumivaleHideFocusCues";

BOOL CALLBACK TellUiState(HWND control, LPARAM wParam) {
  SendMessageW(control, WM_UPDATEUISTATE, static_cast<WPARAM>(wParam), 0);
  return TRUE;
}

}  // namespace

void ShowFocusCues(HWND form, bool shown) {
  if (shown) RemovePropW(form, kHideFocusCues);
  else SetPropW(form, kHideFocusCues, reinterpret_cast<HANDLE>(1));
  EnumChildWindows(form, TellUiState, MAKEWPARAM(shown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS));
}

bool FocusCuesShown(HWND window) {
  HWND form = GetAncestor(window, GA_ROOT);
  return GetPropW(form ? form : window, kHideFocusCues) == nullptr;
}

void ForgetFocusCues(HWND form) { RemovePropW(form, kHideFocusCues); }

namespace {
// A named CALLBACK: a lambda does not convert to the stdcall MONITORENUMPROC of the i686 build.
BOOL CALLBACK AddLiveMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM out) {
  // Windows 8.1 on; looked up, as older systems lack it. 0 is MDT_EFFECTIVE_DPI.
  using GetDpiForMonitorFn = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
  static GetDpiForMonitorFn* const getDpiForMonitor = LateFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  LiveMonitor m{{}, {}, ScreenDpi()};
  UINT dpiX = 0, dpiY = 0;
  if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, 0, &dpiX, &dpiY)) && dpiY > 0) m.dpi = static_cast<int>(dpiY);
  if (MonitorAreas(monitor, &m.whole, &m.work)) reinterpret_cast<std::vector<LiveMonitor>*>(out)->push_back(m);
  return TRUE;
}
}  // namespace

std::vector<LiveMonitor> LiveMonitors() {
  std::vector<LiveMonitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddLiveMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

void ReturnOntoLiveMonitor(HWND window) {
  RECT now{};
  if (!GetWindowRect(window, &now)) return;
  const int dpi = WindowDpi(window);
  const auto placed = ReturnOntoMonitor(FromRECT(now), dpi, LiveMonitors());
  if (!placed) return;
  if (placed->dpi != dpi) {
    RECT r = ToRECT(placed->window);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(placed->dpi, placed->dpi), reinterpret_cast<LPARAM>(&r));
    return;
  }
  SetWindowPos(window, nullptr, placed->window.left, placed->window.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
