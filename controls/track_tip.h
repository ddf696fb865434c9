#pragma once
// The one tracking tooltip of the process, placed by the program at screen points,
// and UpdateWindowTip, the tracker that drives it for a plain window (the path box).
#include <windows.h>

#include <cstdint>

#include "controls/window_tip.h"
#include "base/utf.h"

// Creates the tooltip (replacing whatever tip was shown before, whoever showed it) and shows it
// with its left edge 3 pixels left of x (never left of 0) and its top at y. trackOnly lets the
// platform keep the tip on screen; false places it exactly. A y outside the 16-bit range stops
// the show before the tip is placed and activated: false. The margin and the font are those of
// dpi (0: the owner window's), kept for the moves of this tip.
bool ShowTrackTip(const Text& text, HWND owner, int x, int y, bool trackOnly = true, bool multiline = false,
                  int dpi = 0);
// Changes the shown tip's text (empty: keeps it) and moves it; nothing when no tip is shown.
// False when the y is outside the 16-bit range (the tip is not moved).
bool MoveTrackTip(const Text& text, int x, int y);
// Hides the shown tip; the window stays until the next show replaces it.
void HideTrackTip();
void DestroyTrackTip();

HWND TipWindow();        // the tooltip window, 0 when there is none

// The path-box tracker's record, one per process.
TrackTipRecord& TrackTipState();

// The path box's pointer event: x, y relative to the owner's window rectangle; all zero hides the
// tracker's tip. Never throws.
void UpdateWindowTip(HWND owner, std::uint8_t button, const Text& text, bool refresh, int x, int y);
