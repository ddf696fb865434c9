#pragma once
// Where one of the program's top-level windows goes when a change of the monitors has left it on
// none of them. Portable, so that the decision is tested without monitors.
#include <optional>
#include <vector>

#include "base/geometry.h"

// A monitor as it is now: its whole rectangle, its work area and its DPI.
struct LiveMonitor {
  Rect whole, work;
  int dpi;
};

// A window's new rectangle and the DPI of the monitor it is on.
struct ReturnPlace {
  Rect window;
  int dpi;
  friend bool operator==(const ReturnPlace&, const ReturnPlace&) = default;
};

// Nothing when some part of `window` is on a live monitor (it stays where it is). Else its new
// rectangle on the work area of the nearest monitor, at that monitor's DPI (its size scaled from
// `dpi`): as near to where it was as leaves it wholly inside the work area, its top-left corner in
// the work area where it is larger. Nothing without any monitor.
std::optional<ReturnPlace> ReturnOntoMonitor(const Rect& window, int dpi, const std::vector<LiveMonitor>& monitors);
