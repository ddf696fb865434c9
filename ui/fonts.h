#pragma once
// The program's fonts. The dialog font ("돋움", 9 pt, Hangul character set) is process-wide: the
// settings dialog draws with it and the tracking tooltip shows its text in it. The control font
// (8.25 pt) is what the skinned controls measure their tooltip texts with. Each is made for a DPI:
// a window asks for its own; without one, the screen's.
#include <windows.h>

#include "ui/gdi.h"

// The screen's vertical resolution (96 when it cannot be read).
int ScreenDpi();

// A "돋움" font of the Hangul character set at a point size and DPI (owned by the caller).
UniqueFont MakeHangulFont(double points, int weight = FW_NORMAL, int dpi = ScreenDpi());

HFONT DialogFont(int dpi = ScreenDpi());   // borrowed; lives until the process ends
HFONT ControlFont(int dpi = ScreenDpi());  // borrowed; lives until the process ends
