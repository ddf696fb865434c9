#include "tools/reference-core/saver_window_win.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ui/window_utils.h"

namespace {
constexpr wchar_t kClassName[] = L"LumivaleReferenceCore";
constexpr double kStillSeconds = 5.0;  // the moment the settings window shows
constexpr long kJump = 200;             // pixels the pointer moves at once: see OnMouse
constexpr UINT_PTR kJumpTimer = 1;

// Every monitor's rectangle on the screen.
std::vector<Rect> Monitors() {
  std::vector<Rect> monitors;
  for (const LiveMonitor& m : LiveMonitors()) monitors.push_back(m.whole);
  return monitors;
}

Rect VirtualScreen() {
  return Box(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
             GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}
}  // namespace

bool SaverWindow::CreateSaver(const RECT& screen, const DesktopSnapshot* desktop) {
  GetCursorPos(&start_);
  if (!Create(kClassName, 0, WS_EX_TOPMOST, WS_POPUP, L"Lumivale", screen.left, screen.top,
              screen.right - screen.left, screen.bottom - screen.top, nullptr) ||
      !Prepare(Role::Saver, desktop))
    return false;
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  ShowCursor(FALSE);
  return true;
}

bool SaverWindow::CreatePreview(HWND parent, const DesktopSnapshot* desktop) {
  RECT area{};
  if (!IsWindow(parent) || !GetClientRect(parent, &area)) return false;
  parent_ = parent;
  return Create(kClassName, 0, 0, WS_CHILD | WS_VISIBLE, L"Lumivale preview", 0, 0, area.right, area.bottom,
                parent) &&
         Prepare(Role::Preview, desktop);
}

bool SaverWindow::CreateSettings(const DesktopSnapshot* desktop) {
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 320, 200};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  if (!Create(kClassName, 0, 0, style, L"設定", 120, 120, frame.right - frame.left, frame.bottom - frame.top,
              nullptr) ||
      !Prepare(Role::Settings, desktop))
    return false;
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  return true;
}

bool SaverWindow::Prepare(Role role, const DesktopSnapshot* desktop) {
  role_ = role;
  desktop_ = desktop;
  RECT client{};
  GetClientRect(hwnd(), &client);
  const POINT origin = [this] { POINT p{}; ClientToScreen(hwnd(), &p); return p; }();
  monitors_ = Monitors();
  const bool placed = role == Role::Saver
                          ? picture_.SetTarget(Box(origin.x, origin.y, client.right, client.bottom), desktop, monitors_)
                          : picture_.SetTarget(Box(0, 0, client.right, client.bottom), desktop);
  if (!placed) return false;
  startTicks_ = GetTickCount64();
  picture_.Render(role == Role::Settings ? kStillSeconds : 0.0);
  return true;
}

void SaverWindow::NextFrame() {
  if (!hwnd() || role_ == Role::Settings) return;
  if (role_ == Role::Preview && !IsWindow(parent_)) {
    End();
    return;
  }
  // Wine 8 sends no WM_DISPLAYCHANGE when the X server's monitors change: the saver also looks
  // at them twice a second.
  if (role_ == Role::Saver && frames_ % 16 == 15 && Monitors() != monitors_) {
    FollowDisplayChange();
    ++frames_;
    return;
  }
  picture_.Render(static_cast<double>(GetTickCount64() - startTicks_) / 1000.0);
  if (WindowDC dc(hwnd()); dc)
    for (const RECT& area : picture_.Changed()) picture_.CopyTo(dc.get(), area);
  ++frames_;
}

void SaverWindow::FollowDisplayChange() {
  // The new picture is made whole before the window takes its new place, and is copied at once:
  // nothing black shows in between.
  const Rect screen = VirtualScreen();
  monitors_ = Monitors();
  if (!picture_.SetTarget(screen, desktop_, monitors_)) return;
  picture_.Render(static_cast<double>(GetTickCount64() - startTicks_) / 1000.0);
  SetWindowPos(hwnd(), HWND_TOPMOST, screen.left, screen.top, static_cast<int>(Width(screen)),
               static_cast<int>(Height(screen)), SWP_NOACTIVATE | SWP_NOCOPYBITS);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  // Not the user's input: the pointer's new coordinates are where the saver starts again, and the
  // move the window's new place causes is its first.
  GetCursorPos(&start_);
  sawFirstMove_ = false;
}

void SaverWindow::End() {
  if (hwnd()) DestroyWindow(hwnd());
}

Window::Handled SaverWindow::OnOther(UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_PAINT: {
      PaintScope paint(hwnd());
      picture_.CopyTo(paint.dc(), paint.area());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case kFramesShownMessage:
      return frames_;
    case MM_MCINOTIFY:
      music_.OnNotify(wParam);
      return 0;
  }
  return {};
}

Window::Handled SaverWindow::OnSetCursor(UINT) {
  if (role_ != Role::Saver) return {};
  SetCursor(nullptr);
  return TRUE;
}

// The saver ends on a key or a button; the preview and the settings window take no input.
Window::Handled SaverWindow::OnKeyDown(UINT, bool) {
  if (role_ != Role::Saver) return {};
  End();
  return 0;
}

Window::Handled SaverWindow::OnMouseDown(MouseButton, WPARAM, POINT) {
  if (role_ != Role::Saver) return {};
  End();
  return 0;
}

void SaverWindow::OnDisplayChange() {
  if (role_ == Role::Saver) FollowDisplayChange();
}

Window::Handled SaverWindow::OnTimer(UINT_PTR id) {
  if (id != kJumpTimer) return {};
  const bool changed = Monitors() != monitors_;
  if (!changed && --jumpChecks_ > 0) return 0;
  KillTimer(hwnd(), kJumpTimer);
  jumpChecks_ = 0;
  POINT now{};
  GetCursorPos(&now);
  if (changed)
    FollowDisplayChange();
  else if (std::max(std::abs(now.x - start_.x), std::abs(now.y - start_.y)) > 4)
    End();
  return 0;
}

Window::Handled SaverWindow::OnMouseMove(WPARAM, POINT at) {
  if (role_ != Role::Saver) return {};
  // The first move comes when the window appears under a pointer that has not moved; after it, a
  // move of more than 4 pixels from where the pointer was at the start ends the saver.
  ClientToScreen(hwnd(), &at);
  const long away = std::max(std::abs(at.x - start_.x), std::abs(at.y - start_.y));
  if (Monitors() != monitors_) {
    FollowDisplayChange();  // the layout changed under a pointer that did not move
  } else if (!sawFirstMove_) {
    sawFirstMove_ = true;
  } else if (away > kJump) {
    // So far at once may be the layout changing before this process sees the new monitors:
    // decided within a second (further moves do not put the decision off).
    if (!jumpChecks_ && SetTimer(hwnd(), kJumpTimer, 200, nullptr)) jumpChecks_ = 5;
  } else if (away > 4) {
    End();
  }
  return 0;
}
