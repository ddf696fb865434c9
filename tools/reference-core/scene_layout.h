#pragma once
// Where the reference core's scene goes on a window over several monitors: on each monitor on its
// own (fitted to it, or at its own size), centred in it; the background everywhere else. No
// windows here, so that the placement is tested natively.
#include <vector>

#include "base/geometry.h"
#include "tools/reference-core/scene.h"

// The scene on one monitor, in the window's coordinates.
struct MonitorScene {
  Rect monitor;      // the monitor's part of the window: the scene is drawn only inside it
  Placement scene;   // where the frame goes (at its own size it may reach past a small monitor)
  int alignX, alignY;  // frame columns / rows that land on whole target pixels; 0: redrawn whole
  friend bool operator==(const MonitorScene&, const MonitorScene&) = default;
};

// `window` and `monitors` in screen coordinates. A monitor outside the window gives nothing, one
// partly outside only its part inside, a monitor shown twice (mirrored outputs) one scene. With no
// monitor inside the window the whole window is one.
std::vector<MonitorScene> PlaceOnMonitors(const Rect& window, const std::vector<Rect>& monitors, bool naturalSize);
