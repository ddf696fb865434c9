// A plain stand-in for the skinned settings dialog: it shows over the core's settings window,
// watches the core once a second, and on close asks the core's window to close and ends.
#include "host/settings_window.h"

#include <windows.h>

#include "host/host.h"
#include "msgbox/msgbox_service.h"

namespace {

constexpr UINT_PTR kWaitForProc = 1;

LRESULT CALLBACK StandInProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      if (wParam == kWaitForProc && WaitForSingleObject(CoreProcess.get(), 0) != WAIT_TIMEOUT) {
        // Stop first: the box's wait would otherwise run further ticks and stack boxes.
        KillTimer(hwnd, kWaitForProc);
        CoreProcess.reset();
        ShowMsgBox(L"LumivaleCore.dll 미싱에러", 16, L"유지 불가");
        EndProgram();
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      DrawTextW(dc, L"Lumivale! Screen Saver - Setting", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      CloseCoreAndEnd();
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void ShowSettingsWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = StandInProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"LumivaleSettingsStandIn";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Lumivale! Screen Saver - Setting",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                              386, 289, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  SetTimer(hwnd, kWaitForProc, 1000, nullptr);
}
