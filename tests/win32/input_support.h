#pragma once
// Real input for the Win32 tests: message pumping with generous deadlines, and the mouse moved
// and pressed through SendInput as a user's hand would.
#include <windows.h>

namespace input {

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

inline void PumpFor(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  do {
    Pump();
    Sleep(1);
  } while (GetTickCount64() < end);
}

// Pumps until the condition holds or the deadline passes; returns the condition.
template <class Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 3000) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    Pump();
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    Sleep(2);
  }
}

inline void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = static_cast<LONG>((x * 65536LL + w - 1) / w);
    in.mi.dy = static_cast<LONG>((y * 65536LL + h - 1) / h);
  }
  SendInput(1, &in, sizeof in);
}

// Moves the pointer as the user would and waits until the system has it there.
inline bool MoveMouse(int x, int y) {
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
  const bool there = WaitFor([&] {
    POINT p{};
    GetCursorPos(&p);
    return p.x == x && p.y == y;
  });
  PumpFor(30);
  return there;
}

// A button event (MOUSEEVENTF_LEFTDOWN ...) where the pointer is.
inline void Press(DWORD downFlag) {
  SendMouse(downFlag);
  PumpFor(30);
}

// Modifiers held as the thread's own key state: a Shift sent through SendInput is not always seen
// by GetKeyState in the receiving thread under Wine.
inline void SetModifiers(bool shift, bool ctrl, bool alt) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = shift ? 0x80 : 0;
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  state[VK_MENU] = alt ? 0x80 : 0;
  SetKeyboardState(state);
}

}  // namespace input
