#include "controls/skinned_control.h"

#include <windowsx.h>

#include "controls/track_tip.h"
#include "ui/window_utils.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "base/wide.h"

namespace {

// Mouse-button and shift-key masks as the events carry them.
MouseMask ButtonsOf(WPARAM keys) { return static_cast<MouseMask>(MouseButtons(keys)); }
MouseMask ShiftOf(WPARAM keys) { return static_cast<MouseMask>(MouseShift(keys)); }

}  // namespace

SkinnedControl::SkinnedControl(TipStyle tipStyle) : model_(*this, tipStyle) {}

SkinnedControl::~SkinnedControl() { *alive_ = false; }

void SkinnedControl::SetDpi(int dpi) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  LoadForDpi();
  if (hwnd()) OnBufferResized();  // every control paints all of itself from there
}

bool SkinnedControl::CreateControl(const wchar_t* className, HWND parent, int x, int y, int width, int height) {
  dpi_ = WindowDpi(parent);
  LoadForDpi();
  if (!CreateChild(className, CS_DBLCLKS, parent, x, y, width, height)) return false;
  DrawPicture();
  return true;
}

Window::Handled SkinnedControl::OnMouse(UINT msg, WPARAM keys, LPARAM point) {
  const float x = static_cast<float>(GET_X_LPARAM(point));
  const float y = static_cast<float>(GET_Y_LPARAM(point));
  // Mouse handlers must not touch the object after the model returns: a form's handler may
  // have destroyed the control.
  switch (msg) {
    case WM_MOUSEMOVE:
      model_.MouseMove(ButtonsOf(keys), ShiftOf(keys), x, y);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      // As the toolkit does: the window pressed keeps the mouse until the release.
      if (GetCapture() != hwnd()) SetCapture(hwnd());
      const MouseMask button = (msg == WM_LBUTTONDOWN) ? 1 : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) ? 2 : 4;
      model_.MouseDown(button, ShiftOf(keys), x, y);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if (GetCapture() != hwnd()) SetCapture(hwnd());
      model_.DoubleClick();
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const MouseMask button = msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4;
      model_.MouseUp(button, ShiftOf(keys), x, y);
      return 0;
    }
  }
  return {};
}

Window::Handled SkinnedControl::OnOther(UINT msg, WPARAM, LPARAM lParam) {
  if (msg != WM_SETCURSOR || LOWORD(lParam) != HTCLIENT) return {};
  SetPointerShape(false);
  return TRUE;
}

bool SkinnedControl::CaptureIsOurs() { return GetCapture() == hwnd(); }
void SkinnedControl::TakeCapture() { SetCapture(hwnd()); }
// Only our own capture is given back; a capture another window holds is not ours to end.
void SkinnedControl::ReleaseCapture() {
  if (GetCapture() == hwnd()) ::ReleaseCapture();
}

Point SkinnedControl::CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

Rect SkinnedControl::WindowRect() {
  RECT r{};
  GetWindowRect(hwnd(), &r);
  return FromRECT(r);
}

WindowId SkinnedControl::WindowAt(Point p) { return FromHWND(WindowFromPoint(POINT{p.x, p.y})); }
WindowId SkinnedControl::OwnWindow() { return FromHWND(hwnd()); }
WindowId SkinnedControl::TipWindow() { return FromHWND(::TipWindow()); }

float SkinnedControl::InnerWidth() {
  RECT r{};
  GetClientRect(hwnd(), &r);
  return static_cast<float>(r.right);
}

float SkinnedControl::InnerHeight() {
  RECT r{};
  GetClientRect(hwnd(), &r);
  return static_cast<float>(r.bottom);
}

std::int32_t SkinnedControl::TextWidth(const Text& text) { return TextLineSize(ControlFont(dpi_), Wide(text)).cx; }
void SkinnedControl::SetHandPointer() { SetPointerShape(false); }

void SkinnedControl::FocusForm() {
  HWND form = GetAncestor(hwnd(), GA_ROOT);
  if (form && GetForegroundWindow() != form) SetForegroundWindow(form);
}

void SkinnedControl::ShowTip(const Text& text, std::int32_t x, std::int32_t y, bool trackOnly) {
  ShowTrackTip(text, hwnd(), x, y, trackOnly, false, dpi_);
}
void SkinnedControl::MoveTip(std::int32_t x, std::int32_t y) { MoveTrackTip(Text(), x, y); }
void SkinnedControl::HideTip() { HideTrackTip(); }

bool SkinnedControl::RaiseClick() {
  const std::shared_ptr<bool> alive = alive_;
  if (Click) {
    const std::function<void()> handler = Click;  // the handler may replace itself
    handler();
  }
  return *alive;
}

bool SkinnedControl::Raise(const MouseEvent& event, MouseMask& button, MouseMask& shift, float& x, float& y) {
  const std::shared_ptr<bool> alive = alive_;
  if (event) {
    const MouseEvent handler = event;
    handler(button, shift, x, y);
  }
  return *alive;
}

bool SkinnedControl::RaiseMouseDown(MouseMask& b, MouseMask& s, float& x, float& y) { return Raise(MouseDown, b, s, x, y); }
bool SkinnedControl::RaiseMouseMove(MouseMask& b, MouseMask& s, float& x, float& y) { return Raise(MouseMove, b, s, x, y); }
bool SkinnedControl::RaiseMouseUp(MouseMask& b, MouseMask& s, float& x, float& y) { return Raise(MouseUp, b, s, x, y); }
