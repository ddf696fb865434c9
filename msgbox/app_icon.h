#pragma once
// The program's own icon on a window.
#include <windows.h>

// Gives the window the icon group "APPICON" of the program as its large (32 x 32) and small
// (16 x 16) icon, large first. The icons are shared resources and are never freed; a size that
// cannot be loaded is skipped and the window keeps the icon it had.
void SetAppIcon(HWND window);
