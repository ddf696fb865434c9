#pragma once
// The magnetic windows' decisions: where a dragged window snaps, which windows are glued to their
// parent and where they go when it moves. Only rectangles, points and the window list; the platform
// (window rectangles, work area, cursor, the batch move) comes in through MagneticPlatform.
#include <cstdint>
#include <vector>

#include "base/geometry.h"

namespace magnetic {

struct WindowEntry {
  WindowId hWnd = 0;
  WindowId hWndParent = 0;  // the window this one sticks to, 0 for none
  bool Glued = false;       // touches its parent, directly or through glued siblings
};

// A window to move in the batch that follows a snap: its new top-left corner.
struct WindowMove {
  WindowId hWnd = 0;
  Point position;
  friend bool operator==(const WindowMove&, const WindowMove&) = default;
};

class MagneticPlatform {
 public:
  virtual ~MagneticPlatform() = default;
  // Each returns false when the platform could not answer; the caller keeps its previous value.
  virtual bool WindowRect(WindowId window, Rect& rect) = 0;
  // The work area of the monitor that holds the most of `window` (the nearest one when none does).
  virtual bool WorkArea(const Rect& window, Rect& area) = 0;
  // The DPI of the window's monitor (96 where the system cannot tell).
  virtual int WindowDpiOf(WindowId window) = 0;
  virtual bool Cursor(Point& point) = 0;
  // Moves the windows at once, without resizing, reordering or activating them.
  virtual void MoveWindows(const std::vector<WindowMove>& moves) = 0;
};

// Edges closer than this many pixels snap together (so at most 9 pixels of travel).
inline constexpr std::int32_t kSnapDistance = 10;

Rect OffsetRect(const Rect& r, std::int64_t dx, std::int64_t dy);
// The smallest rectangle that holds both.
Rect UnionRect(const Rect& a, const Rect& b);
// Whether two rectangles lie against each other: not apart, and sharing at least one edge line.
bool IsTouching(const Rect& a, const Rect& b);
// Updates dx and dy when an edge of `m` comes closer than `distance` to one of `target`; untouched
// otherwise.
void EdgeTest(const Rect& m, const Rect& target, std::int32_t& dx, std::int32_t& dy,
              std::int32_t distance = kSnapDistance);
// Where the keyboard move puts the pointer: centred (half to even) and 12 pixels below the top.
Point MoveGripPoint(const Rect& r);

// The registered windows and the state of the current drag. Entry 0 of the list is never a window;
// entry 0 of WindowRects is the work area of the dragged window's monitor as fetched at the latest
// drag start, and the snap distance is the one at that window's DPI.
class MagneticLayout {
 public:
  explicit MagneticLayout(MagneticPlatform& platform);

  // Appends a window (false, and no change, if it is already registered). No glue check.
  bool AddEntry(WindowId hWnd, WindowId hWndParent);
  // Takes a window out and clears it as a parent of the others (false if it is not registered).
  // The caller runs the glue check afterwards, which re-reads the rectangles of the survivors.
  bool RemoveEntry(WindowId hWnd);

  void CheckGlueing();
  // The first entry 1..n holding the window, 0 if none.
  int IndexOfWindow(WindowId hWnd) const;

  // The three steps of a drag, as the window's messages bring them.
  void DragStart(WindowId hWnd);
  void Moving(WindowId hWnd, Rect& proposed);
  void ExitSizeMove(WindowId hWnd);
  // Replaces `m` by the grabbed position under the cursor, snaps it, and moves the glued windows.
  void SnapStep(WindowId hWnd, Rect& m);

  int Count() const { return static_cast<int>(entries_.size()) - 1; }
  const std::vector<WindowEntry>& Entries() const { return entries_; }
  const std::vector<Rect>& WindowRects() const { return rects_; }
  std::int32_t SnapDistance() const { return snapDistance_; }

 private:
  MagneticPlatform& platform_;
  std::vector<WindowEntry> entries_{1};
  std::vector<Rect> rects_{1};
  Point dragStartCursor_;
  std::int32_t dragOffsetX_ = 0;
  std::int32_t dragOffsetY_ = 0;
  Point snapCursor_;
  Rect movingRect_;
  std::int32_t snapDistance_ = kSnapDistance;
};

}  // namespace magnetic
