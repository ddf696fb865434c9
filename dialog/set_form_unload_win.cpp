// The settings dialog's ways out: saving (the save button, Enter), the unload path (the close
// button, the system's close, any other close) and the end of the core it serves.
#include "dialog/set_form.h"

#include "base/system_win.h"
#include "magnetic/magnetic_windows.h"
#include "msgbox/msgbox_service.h"
#include "ui/window_utils.h"

namespace {
constexpr UINT_PTR kWaitForProcTimer = 1;
}  // namespace

SetForm::~SetForm() {
  KillTimer(hwnd(), kWaitForProcTimer);
  magnetic_.reset();  // unhooks the window before it goes
}

void SetForm::Save() {
  if (const DWORD error = SaveSettings(settings_, DiskCalls); error != ERROR_SUCCESS) {
    ShowMessage(L"설정 파일을 저장하지 못했습니다.\r\n" + settings_.SettingsPath + L"\r\n" + SystemErrorText(error), MB_ICONERROR,
                L"설정 저장 실패");
    return;
  }
  settings_.SettingsSaved = true;
  Unload();
}

bool SetForm::Unload() {
  if (!settings_.SettingsSaved &&
      ShowMsgBox(L"설정이 저장되지 않습니다.\r\n종료하시겠습니까?", MB_YESNO | MB_ICONEXCLAMATION, L"설정 무시하고 닫기",
                 hwnd()) == IDNO)
    return false;
  if (magnetic_) magnetic_->RemoveWindow(hwnd());
  KillTimer(hwnd(), kWaitForProcTimer);
  EndProgramAction(true);
  return true;
}

void SetForm::OnSystemClose() {
  // The close command goes on to the window after this; its WM_CLOSE must not ask again.
  closeAskedBySystem_ = true;
  Unload();
}

Window::Handled SetForm::OnClose() {
  // Alt+F4 and the task bar arrive as the system close command, which has run the unload path
  // already; any other close runs it here. The window is never destroyed by a close.
  if (closeAskedBySystem_)
    closeAskedBySystem_ = false;
  else
    Unload();
  return 0;
}

void SetForm::ServeCore(UniqueHandle process, HWND coreWindow, std::function<void(bool closeCoreWindow)> endProgram) {
  coreProcess_ = std::move(process);
  EndProgramAction = std::move(endProgram);
  if (!hwnd() || !coreWindow) return;
  // On the core's window's monitor, at its DPI, centred in the monitor's work area.
  if (const int dpi = WindowDpi(coreWindow); dpi != dpi_) Arrange(dpi);
  RECT core{}, own{};
  Rect work;
  if (!GetWindowRect(coreWindow, &core) || !GetWindowRect(hwnd(), &own) ||
      !WorkAreaOf(FromRECT(core), work))
    return;
  const Point place = CentredIn(work, own.right - own.left, own.bottom - own.top);
  SetWindowPos(hwnd(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetForm::SetWaitForProc(bool on) {
  if (!hwnd()) return;
  if (on)
    SetTimer(hwnd(), kWaitForProcTimer, 1000, nullptr);
  else
    KillTimer(hwnd(), kWaitForProcTimer);
}

Window::Handled SetForm::OnTimer(UINT_PTR id) {
  if (id != kWaitForProcTimer) return SkinnedForm::OnTimer(id);
  OnWaitForProc();
  return 0;
}

void SetForm::OnWaitForProc() {
  if (WaitForSingleObject(coreProcess_.get(), 0) == WAIT_TIMEOUT) return;
  // Stopped first: the box's wait runs timers, and every further tick would stack another box.
  KillTimer(hwnd(), kWaitForProcTimer);
  coreProcess_.reset();
  ShowMsgBox(L"LumivaleCore.dll 미싱에러", MB_ICONERROR, L"유지 불가", hwnd());
  EndProgramAction(false);
}
