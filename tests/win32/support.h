#pragma once
// For the Win32 tests: message pumping with generous deadlines, a plain form, a hook that watches
// a window, a window's place and a font's height, a skin of three solid frames, and a window's
// painted pixel.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "base/geometry.h"
#include "ui/picture.h"
#include "ui/subclass_win.h"
#include "ui/window.h"

namespace test {

inline void Pump() {
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
}

// Modifiers as the thread's own key state (a Shift sent by SendInput is not always seen under Wine).
inline void SetModifiers(bool shift, bool ctrl, bool alt) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = shift ? 0x80 : 0;
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  state[VK_MENU] = alt ? 0x80 : 0;
  SetKeyboardState(state);
}

struct HostForm : Form {
  HostForm() { CreateForm(L"control test", 100, 100, 300, 200); }
};

// Sees the messages it hooks, counting them; `act` may change them.
struct HookSpy final : HookOwner {
  subclass::HookService service{*this};
  int calls = 0;
  std::function<void(bool before, bool& handled, LRESULT& result, HWND, WPARAM&)> act;
  void SubclassProc(bool before, bool& handled, LRESULT& result, HWND& hwnd, UINT&, WPARAM& w, LPARAM&) override {
    ++calls;
    if (auto a = act) a(before, handled, result, hwnd, w);  // a copy: the action may end the hook
  }
};

// A window's rectangle in its parent's client area (nullptr: on the screen).
inline Rect Placed(HWND window, HWND parent) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return Rect{r.left, r.top, r.right, r.bottom};
}

inline LONG FontHeightOf(HFONT font) { LOGFONTW f{}; return GetObjectW(font, sizeof f, &f) ? f.lfHeight : 0; }

// Frames (normal, hover, pressed) of width x frameHeight in the given colours.
inline Picture SolidSkin(int width, int frameHeight, const COLORREF (&colors)[3]) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * 3 * frameHeight);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const COLORREF c = colors[i / width / frameHeight];
    pixels[i] = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  return Picture::FromPixels(width, 3 * frameHeight, pixels.data());
}

// A pixel as the window's paint gives it (WM_PRINTCLIENT into a memory bitmap).
inline COLORREF PaintedPixel(HWND window, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, x + 1, y + 1);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return c;
}

}  // namespace test
