#pragma once
// Small window operations shared by the skinned windows and controls. None reports a result; a
// failing system call is ignored.
#include <windows.h>

#include <vector>

#include "base/geometry.h"
#include "ui/monitor_return.h"

// The platform's rectangle and the program's, edge for edge.
inline Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
// The platform's window handle and the number the portable logic knows it by.
inline WindowId FromHWND(HWND window) { return reinterpret_cast<WindowId>(window); }
inline HWND ToHWND(WindowId window) { return reinterpret_cast<HWND>(window); }

// Puts the window into the topmost band (true) or back into the normal band (false); only the
// Z order changes.
void SetTopmost(HWND window, bool topmost);

// Lets the user move a borderless window by dragging any part of it: the platform's caption move
// loop runs until the button is released. A capture held by a control is released first.
void StartWindowDrag(HWND window);

// The modifier keys held now as a mask: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState();
// The masks of a mouse message's key state: buttons (1 left, 2 right, 4 middle) and modifiers
// (1 Shift, 2 Ctrl, 4 Alt, the last one read from the keyboard).
int MouseButtons(WPARAM keys);
int MouseShift(WPARAM keys);

// Shows or hides the focus cues of a top-level window and its controls: kept on the form itself
// (Wine 8 keeps no interface state), then told to each control as the system's
// WM_UPDATEUISTATE, so that the one with the keyboard paints itself anew.
void ShowFocusCues(HWND form, bool shown);
// Whether the window's form shows focus cues now; ForgetFocusCues before the form goes.
bool FocusCuesShown(HWND window);
void ForgetFocusCues(HWND form);

// The arrow pointer (true) or the hand over something clickable (false).
void SetPointerShape(bool arrow);

// The DPI of the window's monitor, as the system scales it for this program (GetDpiForWindow where
// the system has it, else the screen's); 96 when nothing answers.
int WindowDpi(HWND window);

// The whole rectangle of the window's monitor, the primary one for no window; the primary screen's
// size when the system cannot say.
Rect MonitorAreaOf(HWND window);

// The work area of the monitor that holds the most of the rectangle, or of the nearest monitor when
// none holds any of it; false when the system cannot say.
bool WorkAreaOf(const Rect& r, Rect& area);

// Every monitor as it is now, each at its DPI (GetDpiForMonitor where the system has it, else the
// screen's).
std::vector<LiveMonitor> LiveMonitors();

// Moves the window onto the nearest monitor when a change of the monitors has left it on none
// (ReturnOntoMonitor); a monitor of another DPI lays it out anew through its WM_DPICHANGED.
void ReturnOntoLiveMonitor(HWND window);
