#include "magnetic/magnetic_geometry.h"

#include <algorithm>
#include <cstdlib>

#include "base/dpi.h"
#include "base/rounding.h"

namespace magnetic {
namespace {

// Coordinates wrap like the platform's 32-bit arithmetic instead of overflowing.
std::int32_t Wrap(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

bool Near(std::int32_t a, std::int32_t b, std::int32_t distance) { return std::llabs(std::int64_t{a} - b) < distance; }

// The first of the four edge pairs (near/near, near/far, far/near, far/far) that lie close gives
// the shift; false when none does.
bool EdgeShift(std::int32_t mNear, std::int32_t mFar, std::int32_t tNear, std::int32_t tFar,
               std::int32_t distance, std::int32_t& shift) {
  const std::int32_t pairs[4][2] = {{mNear, tNear}, {mNear, tFar}, {mFar, tNear}, {mFar, tFar}};
  for (const auto& p : pairs) {
    if (Near(p[0], p[1], distance)) {
      shift = Wrap(std::int64_t{p[1]} - p[0]);
      return true;
    }
  }
  return false;
}

}  // namespace

Rect OffsetRect(const Rect& r, std::int64_t dx, std::int64_t dy) {
  return {Wrap(r.left + dx), Wrap(r.top + dy), Wrap(r.right + dx), Wrap(r.bottom + dy)};
}

Rect UnionRect(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool IsTouching(const Rect& a, const Rect& b) {
  const Rect u = UnionRect(a, b);
  if (Height(u) > Height(a) + Height(b) || Width(u) > Width(a) + Width(b)) return false;
  return a.left == b.left || a.left == b.right || a.right == b.left || a.right == b.right ||
         a.top == b.top || a.top == b.bottom || a.bottom == b.top || a.bottom == b.bottom;
}

void EdgeTest(const Rect& m, const Rect& t, std::int32_t& dx, std::int32_t& dy, std::int32_t distance) {
  // Sideways snapping needs the vertical extents to overlap or come close, and the other way round.
  if (m.bottom > std::int64_t{t.top} - distance && m.top < std::int64_t{t.bottom} + distance) {
    EdgeShift(m.left, m.right, t.left, t.right, distance, dx);
  }
  if (m.right > std::int64_t{t.left} - distance && m.left < std::int64_t{t.right} + distance) {
    EdgeShift(m.top, m.bottom, t.top, t.bottom, distance, dy);
  }
}

Point MoveGripPoint(const Rect& r) {
  // The middle of two 32-bit edges always fits.
  return {*RoundHalfEven(static_cast<double>(r.left) + static_cast<double>(Width(r)) / 2.0), Wrap(std::int64_t{r.top} + 12)};
}

MagneticLayout::MagneticLayout(MagneticPlatform& platform) : platform_(platform) {}

bool MagneticLayout::AddEntry(WindowId hWnd, WindowId hWndParent) {
  if (IndexOfWindow(hWnd) != 0) return false;
  entries_.push_back({hWnd, hWndParent, false});
  rects_.emplace_back();
  return true;
}

bool MagneticLayout::RemoveEntry(WindowId hWnd) {
  const int i = IndexOfWindow(hWnd);
  if (i == 0) return false;
  entries_.erase(entries_.begin() + i);
  // Only shortened: the glue check that follows reads every survivor's rectangle again.
  rects_.pop_back();
  for (auto& e : entries_) {
    if (e.hWndParent == hWnd) e.hWndParent = 0;
  }
  return true;
}

int MagneticLayout::IndexOfWindow(WindowId hWnd) const {
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    if (entries_[i].hWnd == hWnd) return static_cast<int>(i);
  }
  return 0;
}

void MagneticLayout::CheckGlueing() {
  const std::size_t n = entries_.size() - 1;
  for (std::size_t i = 1; i <= n; ++i) {
    platform_.WindowRect(entries_[i].hWnd, rects_[i]);
    entries_[i].Glued = false;
  }
  for (std::size_t i = 1; i <= n; ++i) {
    if (entries_[i].hWndParent == 0) continue;
    // A parent that is not registered is stood in for by entry 0, the work area.
    const int k = IndexOfWindow(entries_[i].hWndParent);
    entries_[i].Glued = IsTouching(rects_[k], rects_[i]);
  }
  // Glue spreads along chains of touching siblings; n rounds reach the end of any chain.
  for (std::size_t round = 0; round < n; ++round) {
    for (std::size_t i = 1; i <= n; ++i) {
      if (!entries_[i].Glued) continue;
      for (std::size_t k = 1; k <= n; ++k) {
        if (k == i || entries_[k].hWndParent != entries_[i].hWndParent || entries_[k].Glued) continue;
        entries_[k].Glued = IsTouching(rects_[i], rects_[k]);
      }
    }
  }
}

void MagneticLayout::DragStart(WindowId hWnd) {
  // The edges of the dragged window's own monitor, so that no edge sits between two monitors.
  Rect window = rects_[IndexOfWindow(hWnd)];
  platform_.WindowRect(hWnd, window);
  platform_.WorkArea(window, rects_[0]);
  snapDistance_ = Scale(kSnapDistance, platform_.WindowDpiOf(hWnd));
  platform_.Cursor(dragStartCursor_);
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    if (entries_[i].hWnd != hWnd) continue;
    platform_.WindowRect(hWnd, rects_[i]);
    dragOffsetX_ = Wrap(std::int64_t{rects_[i].left} - dragStartCursor_.x);
    dragOffsetY_ = Wrap(std::int64_t{rects_[i].top} - dragStartCursor_.y);
  }
}

void MagneticLayout::Moving(WindowId hWnd, Rect& proposed) {
  movingRect_ = proposed;
  SnapStep(hWnd, movingRect_);
  proposed = movingRect_;
}

void MagneticLayout::ExitSizeMove(WindowId hWnd) {
  Rect r = movingRect_;  // a rectangle that cannot be read counts as where the last snap left it
  platform_.WindowRect(hWnd, r);
  if (r.left != movingRect_.left || r.top != movingRect_.top) {
    // The window ended elsewhere than snapped: bring its glued windows to where it is.
    DragStart(hWnd);
    SnapStep(hWnd, r);
  }
  CheckGlueing();
}

void MagneticLayout::SnapStep(WindowId w, Rect& m) {
  const std::size_t n = entries_.size() - 1;
  platform_.Cursor(snapCursor_);
  // Keep the point at which the user grabbed the window under the cursor.
  m = OffsetRect(m, std::int64_t{snapCursor_.x} + dragOffsetX_ - m.left,
                 std::int64_t{snapCursor_.y} + dragOffsetY_ - m.top);

  std::int32_t dx = 0;
  std::int32_t dy = 0;
  auto gluedTo = [&](std::size_t i) { return entries_[i].Glued && entries_[i].hWndParent == w; };

  // The dragged window against the work area and every window that does not travel with it.
  for (std::size_t i = 0; i <= n; ++i) {
    if (entries_[i].hWnd == w || gluedTo(i)) continue;
    EdgeTest(m, rects_[i], dx, dy, snapDistance_);
  }
  // The windows travelling with it, at the place the cursor takes them, against the same.
  for (std::size_t i = 1; i <= n; ++i) {
    if (!gluedTo(i)) continue;
    // cppcheck-suppress cppcheckError ; cppcheck 2.10 gives up here ("cyclic reverse analysis"): no finding
    const Rect t = OffsetRect(rects_[i], std::int64_t{snapCursor_.x} - dragStartCursor_.x,
                              std::int64_t{snapCursor_.y} - dragStartCursor_.y);
    for (std::size_t j = 0; j <= n; ++j) {
      if (j == i || entries_[j].Glued || entries_[j].hWnd == w) continue;
      EdgeTest(t, rects_[j], dx, dy, snapDistance_);
    }
  }
  m = OffsetRect(m, dx, dy);

  std::vector<WindowMove> moves;
  const int k = IndexOfWindow(w);
  for (std::size_t i = 1; i <= n; ++i) {
    if (!gluedTo(i)) continue;
    moves.push_back({entries_[i].hWnd,
                     {Wrap(std::int64_t{rects_[i].left} - rects_[k].left + m.left),
                      Wrap(std::int64_t{rects_[i].top} - rects_[k].top + m.top)}});
  }
  platform_.MoveWindows(moves);
}

}  // namespace magnetic
