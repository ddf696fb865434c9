#pragma once
// Real windows and real input for the control tests: a topmost host form at a known place,
// mouse input through SendInput, message pumping with generous deadlines.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/win32/input_support.h"
#include "ui/picture.h"
#include "ui/window.h"

namespace test {

using input::MoveMouse;
using input::Press;
using input::Pump;
using input::PumpFor;
using input::SendMouse;
using input::WaitFor;

// Moves the pointer to (x, y) until the condition holds there. A window just shown may not yet be
// under the pointer for the display server, so the pointer nudges one pixel and back until the
// window sees it, as a user's hand would.
template <class Condition>
bool MoveMouseUntil(int x, int y, Condition condition, DWORD timeoutMs = 3000) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (int i = 0;; ++i) {
    const bool home = i % 2 == 0;
    MoveMouse(home ? x : x + 1, y);
    if (home && WaitFor(condition, 100)) return true;
    if (GetTickCount64() > end) return false;
  }
}

// A borderless topmost form at a fixed screen place, shown and active, as the dialogs are when
// the user works with them (Wine routes captured mouse input by the active window).
class HostForm : public Form {
 public:
  explicit HostForm(int x = 100, int y = 100, int w = 300, int h = 200, bool activate = true) {
    CreateForm(L"control test", x, y, w, h, nullptr, WS_EX_TOPMOST);
    ShowWindow(hwnd(), activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    if (activate) SetForegroundWindow(hwnd());
    UpdateWindow(hwnd());
    PumpFor(100);
  }
};

// A skin of three solid frames (normal, hover, pressed) of width x frameHeight pixels each.
inline Picture SolidSkin(int width, int frameHeight, const COLORREF (&colors)[3]) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * 3 * frameHeight);
  for (int row = 0; row < 3 * frameHeight; ++row) {
    const COLORREF c = colors[row / frameHeight];
    const std::uint32_t argb = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    for (int col = 0; col < width; ++col) pixels[static_cast<std::size_t>(row) * width + col] = argb;
  }
  return Picture::FromPixels(width, 3 * frameHeight, pixels.data());
}

// The colour of a pixel of a window as its paint gives it (WM_PRINTCLIENT into a memory DC).
inline COLORREF PaintedPixel(HWND window, int x, int y) {
  RECT r{};
  GetClientRect(window, &r);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return c;
}

inline COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

}  // namespace test
