#include "controls/skinned_control.h"

#include "controls/track_tip.h"
#include "ui/gdi.h"
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

// Mouse handlers must not touch the object after the model returns: a form's handler may have
// destroyed the control.
Window::Handled SkinnedControl::OnMouseMove(WPARAM keys, POINT at) {
  model_.MouseMove(ButtonsOf(keys), ShiftOf(keys), static_cast<float>(at.x), static_cast<float>(at.y));
  return 0;
}

Window::Handled SkinnedControl::OnMouseDown(MouseButton button, WPARAM keys, POINT at) {
  if (button == MouseButton::X) return {};
  // As the toolkit does: the window pressed keeps the mouse until the release.
  if (GetCapture() != hwnd()) SetCapture(hwnd());
  model_.MouseDown(static_cast<MouseMask>(button), ShiftOf(keys), static_cast<float>(at.x), static_cast<float>(at.y));
  return 0;
}

// A second left press presses the control again; the other buttons' second press is a press.
Window::Handled SkinnedControl::OnMouseDoubleClick(MouseButton button, WPARAM keys, POINT at) {
  if (button != MouseButton::Left) return OnMouseDown(button, keys, at);
  if (GetCapture() != hwnd()) SetCapture(hwnd());
  model_.DoubleClick();
  return 0;
}

Window::Handled SkinnedControl::OnMouseUp(MouseButton button, WPARAM keys, POINT at) {
  if (button == MouseButton::X) return {};
  model_.MouseUp(static_cast<MouseMask>(button), ShiftOf(keys), static_cast<float>(at.x), static_cast<float>(at.y));
  return 0;
}

Window::Handled SkinnedControl::OnSetCursor(UINT hitTest) {
  if (hitTest != HTCLIENT) return {};
  SetPointerShape(false);
  return TRUE;
}

void SkinnedControl::ClickByKey() {
  const std::shared_ptr<bool> alive = alive_;
  ClickChangesValue();
  if (RaiseClick() && *alive && hwnd()) NotifyStateChange(hwnd());
}

bool SkinnedControl::ShowsFocusCue() const {
  return hwnd() && GetFocus() == hwnd() && FocusCuesShown(hwnd());
}

void SkinnedControl::DrawFocusCue(HDC dc, RECT box, COLORREF color) const {
  if (!ShowsFocusCue()) return;
  const int dot = ScaleLine(1, dpi_);
  // Dots one line apart, along each edge, starting at the corners.
  for (int x = box.left; x < box.right; x += 2 * dot) {
    FillSolid(dc, RECT{x, box.top, x + dot, box.top + dot}, color);
    FillSolid(dc, RECT{x, box.bottom - dot, x + dot, box.bottom}, color);
  }
  for (int y = box.top; y < box.bottom; y += 2 * dot) {
    FillSolid(dc, RECT{box.left, y, box.left + dot, y + dot}, color);
    FillSolid(dc, RECT{box.right - dot, y, box.right, y + dot}, color);
  }
}

Window::Handled SkinnedControl::OnKeyDown(UINT key, bool system) {
  if (!system && ActsOnKey(key) && ShiftState() == 0) {
    keyArmed_ = key;
    return 0;
  }
  keyArmed_ = 0;
  if (HWND form = GetAncestor(hwnd(), GA_ROOT); form && form != hwnd()) return ForwardMessage(form);
  return {};
}

Window::Handled SkinnedControl::OnKeyUp(UINT key, bool system) {
  if (!system && key == keyArmed_ && keyArmed_ != 0) {
    keyArmed_ = 0;
    if (ShiftState() == 0) ClickByKey();  // last: the click may destroy the control
    return 0;
  }
  if (HWND form = GetAncestor(hwnd(), GA_ROOT); form && form != hwnd()) return ForwardMessage(form);
  return {};
}

void SkinnedControl::OnSetFocus() {
  RepaintFocus();
  NotifyFocus(hwnd());
}

AccessibleFacts SkinnedControl::Describe(LONG) {
  AccessibleFacts facts;
  facts.name = Wide(ReaderName());
  facts.role = ReaderRole();
  facts.state = STATE_SYSTEM_FOCUSABLE;
  if (GetFocus() == hwnd()) facts.state |= STATE_SYSTEM_FOCUSED;
  if (Checked()) facts.state |= STATE_SYSTEM_CHECKED;
  if (Hover()) facts.state |= STATE_SYSTEM_HOTTRACKED;
  if (Pressed()) facts.state |= STATE_SYSTEM_PRESSED;
  if (!IsWindowEnabled(hwnd())) facts.state |= STATE_SYSTEM_UNAVAILABLE;
  facts.defaultAction = ReaderAction();
  return facts;
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
