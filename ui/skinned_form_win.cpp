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
  // Focus cues hide until the keyboard is used (the system's "always show" setting is not read:
  // Wine 8 reports it on, and a mouse-only user must see the skin unchanged).
  ShowFocusCues(hwnd(), false);
  SetTimer(hwnd(), kMonitorTimer, 500, nullptr);
  return true;
}

void SkinnedForm::RoundCorners(int width, int height, int corner) {
  UniqueRegion region(CreateRoundRectRgn(0, 0, width + 1, height + 1, corner, corner));
  if (region && SetWindowRgn(hwnd(), region.get(), FALSE)) region.release();  // the window owns it now
}

Window::Handled SkinnedForm::OnMouseDown(MouseButton button, WPARAM, POINT) {
  if (button == MouseButton::X) return {};
  StartWindowDrag(hwnd());
  return 0;
}

void SkinnedForm::OnDestroy() { ForgetFocusCues(hwnd()); }

Window::Handled SkinnedForm::OnTimer(UINT_PTR id) {
  if (id != kMonitorTimer) return Form::OnTimer(id);
  ReturnOntoLiveMonitor(hwnd());
  return 0;
}

void SkinnedForm::OnDisplayChange() { ReturnOntoLiveMonitor(hwnd()); }
