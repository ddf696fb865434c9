#include "tools/reference-core/saver_window_win.h"

#include <mmsystem.h>

#include <cstdlib>

namespace {
constexpr wchar_t kClassName[] = L"LumivaleReferenceCore";
constexpr double kStillSeconds = 5.0;  // the moment the settings window shows
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
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (!picture_.SetTarget(client.right, client.bottom, desktop)) return false;
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
  picture_.Render(static_cast<double>(GetTickCount64() - startTicks_) / 1000.0);
  if (WindowDC dc(hwnd()); dc)
    for (const RECT& area : picture_.Changed()) picture_.CopyTo(dc.get(), area);
  ++frames_;
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

Window::Handled SaverWindow::OnMouseMove(WPARAM, POINT at) {
  if (role_ != Role::Saver) return {};
  // The first move comes when the window appears under a pointer that has not moved; after it, a
  // move of more than 4 pixels from where the pointer was at the start ends the saver.
  ClientToScreen(hwnd(), &at);
  if (!sawFirstMove_) {
    sawFirstMove_ = true;
  } else if (std::abs(at.x - start_.x) > 4 || std::abs(at.y - start_.y) > 4) {
    End();
  }
  return 0;
}
