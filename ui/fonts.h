#pragma once
// The program's fonts. The dialog font ("돋움", 9 pt, Hangul character set) is process-wide: the
// settings dialog draws with it and the tracking tooltip shows its text in it. The control font
// (8.25 pt) is what the skinned controls measure their tooltip texts with.
#include <windows.h>

#include "ui/gdi.h"

// A "돋움" font of the Hangul character set at a point size (owned by the caller).
UniqueFont MakeHangulFont(double points, int weight = FW_NORMAL);

HFONT DialogFont();   // borrowed; lives until the process ends
HFONT ControlFont();  // borrowed; lives until the process ends
