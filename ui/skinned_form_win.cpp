#include "ui/skinned_form.h"

#include "ui/gdi.h"
#include "ui/window_utils.h"

namespace {
// Wine 8 sends no WM_DISPLAYCHANGE when the X server's monitors change: the window also looks
// twice a second whether it is still on one.
constexpr UINT_PTR kMonitorTimer = 0x4D4F;
}  // namespace

bool SkinnedForm::CreateSkinnedForm(const wchar_t* title, int x, int y, int width, int height, DWORD exStyle) {
  if (!CreateForm(title, x, y, width, height, nullptr, exStyle)) return false;
  SetTopmost(hwnd(), true);
  SetTimer(hwnd(), kMonitorTimer, 500, nullptr);
  return true;
}

void SkinnedForm::RoundCorners(int width, int height, int corner) {
  UniqueRegion region(CreateRoundRectRgn(0, 0, width + 1, height + 1, corner, corner));
  if (region && SetWindowRgn(hwnd(), region.get(), FALSE)) region.release();  // the window owns it now
}

Window::Handled SkinnedForm::OnMouse(UINT msg, WPARAM, LPARAM) {
  if (msg != WM_LBUTTONDOWN && msg != WM_RBUTTONDOWN && msg != WM_MBUTTONDOWN) return {};
  StartWindowDrag(hwnd());
  return 0;
}

bool SkinnedForm::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const bool tick = msg == WM_TIMER && wParam == kMonitorTimer;
  if (tick || msg == WM_DISPLAYCHANGE) ReturnOntoLiveMonitor(hwnd());
  if (!tick) return Form::OnMessage(msg, wParam, lParam, result);
  result = 0;
  return true;
}
