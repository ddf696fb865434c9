// The magnetic windows without windows: the snap of an edge, touching, glue and a drag.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "magnetic/magnetic_geometry.h"
#include "tests/geometry_print.h"

using namespace magnetic;

namespace {

Rect Sized(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  return {left, top, left + width, top + height};
}

TEST(Magnetic, EdgeSnapRows) {
  constexpr std::int32_t kNoSnap = 77;  // a move EdgeTest leaves as it was given
  struct Row { const char* name; Rect moving, target; std::int32_t dx, dy; };
  const Rect work{0, 0, 1280, 760}, bar{100, 0, 105, 50};
  const Row rows[] = {
      {"9 px from the left snaps", Sized(9, 300, 100, 100), work, -9, kNoSnap},
      {"10 px stays", Sized(10, 300, 100, 100), work, kNoSnap, kNoSnap},
      {"9 px outside snaps back", Sized(-9, 300, 100, 100), work, 9, kNoSnap},
      {"right and bottom edges", Sized(1171, 651, 100, 100), work, 9, 9},
      {"sideways only within 9 of the extent", Sized(305, 291, 100, 100), Sized(300, 400, 200, 100), -5, 9},
      {"not at 10 of the extent", Sized(305, 290, 100, 100), Sized(300, 400, 200, 100), kNoSnap, kNoSnap},
      {"left/left before left/right", Sized(102, 0, 50, 50), bar, -2, 0},
      {"right/left before right/right", Sized(53, 0, 50, 50), bar, -3, 0},
      {"left/right when left/left is too far", Sized(112, 0, 50, 50), bar, -7, 0},
      {"extremes do not overflow", Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, Rect{INT32_MAX - 5, 0, INT32_MAX, 5},
       -5, kNoSnap},
  };
  for (const Row& r : rows) {
    std::int32_t dx = kNoSnap, dy = kNoSnap;
    EdgeTest(r.moving, r.target, dx, dy);
    EXPECT_EQ((Point{dx, dy}), (Point{r.dx, r.dy})) << r.name;
  }
}

TEST(Magnetic, TouchingRowsAndGrip) {
  struct Row { const char* name; Rect b; bool touching; };
  for (const Row& r : {Row{"side by side", {100, 20, 200, 80}, true}, Row{"1 px gap", {101, 20, 201, 80}, false},
                       Row{"overlap, no common line", {50, 50, 150, 150}, false}, Row{"corners", {100, 100, 200, 200}, true}}) {
    EXPECT_EQ(IsTouching({0, 0, 100, 100}, r.b), r.touching) << r.name;
    EXPECT_EQ(IsTouching(r.b, {0, 0, 100, 100}), r.touching) << r.name;
  }
  EXPECT_EQ(MoveGripPoint(Rect{0, 40, 101, 90}), (Point{50, 52}));  // 50.5 to even, 12 below the top
  EXPECT_EQ(MoveGripPoint(Rect{1, 0, 102, 50}), (Point{52, 12}));
}

struct Monitor { Rect whole, work; };

// A desktop of monitors and of window rectangles that the batch moves.
struct Screen final : MagneticPlatform {
  std::vector<Monitor> monitors{{{0, 0, 1280, 800}, {0, 0, 1280, 760}}};
  int dpi = 96;
  std::map<WindowId, Rect> windows;
  Point cursor;
  std::vector<std::vector<WindowMove>> batches;
  bool WindowRect(WindowId w, Rect& r) override { return windows.count(w) && (r = windows[w], true); }
  // As the system picks the monitor of a rectangle: the largest overlap (the first of equals), else
  // the least squared distance between the rectangles.
  bool WorkArea(const Rect& w, Rect& area) override {
    std::int64_t best = -1, nearest = INT64_MAX;
    for (const Monitor& m : monitors) {
      const std::int64_t x = std::max<std::int64_t>({0, std::int64_t{m.whole.left} - w.right, std::int64_t{w.left} - m.whole.right});
      const std::int64_t y = std::max<std::int64_t>({0, std::int64_t{m.whole.top} - w.bottom, std::int64_t{w.top} - m.whole.bottom});
      const std::int64_t overlap = Width(Rect{std::max(w.left, m.whole.left), 0, std::min(w.right, m.whole.right), 0}) *
                                   Height(Rect{0, std::max(w.top, m.whole.top), 0, std::min(w.bottom, m.whole.bottom)});
      if (x == 0 && y == 0 && overlap > 0 && overlap > best) best = overlap, area = m.work;
      if (best < 0 && x * x + y * y < nearest) nearest = x * x + y * y, area = m.work;
    }
    return !monitors.empty();
  }
  int WindowDpiOf(WindowId) override { return dpi; }
  bool Cursor(Point& p) override { return p = cursor, true; }
  void MoveWindows(const std::vector<WindowMove>& moves) override {
    batches.push_back(moves);
    for (const WindowMove& m : moves) windows[m.hWnd] = Sized(m.position.x, m.position.y, 100, 100);
  }
};

TEST(Magnetic, GlueChainsAndTravelsWithTheParent) {
  Screen screen;
  MagneticLayout layout(screen);
  const WindowId P = 1, c1 = 2, c2 = 3, lone = 4;
  // Registered from the far end of the chain P | c1 | c2, so that only repeated rounds reach it.
  struct Window { WindowId id; Rect rect; WindowId parent; };
  for (const Window& w : {Window{c2, Sized(500, 100, 100, 100), P}, Window{c1, Sized(400, 100, 100, 100), P},
                          Window{lone, Sized(700, 100, 100, 100), P}, Window{P, Sized(200, 100, 200, 200), 0}}) {
    screen.windows[w.id] = w.rect;
    ASSERT_TRUE(layout.AddEntry(w.id, w.parent));
  }
  layout.CheckGlueing();
  const auto glued = [&](WindowId w) { return layout.Entries()[layout.IndexOfWindow(w)].Glued; };
  EXPECT_EQ((std::vector{glued(c1), glued(c2), glued(lone)}), (std::vector{true, true, false})) << "c1, c2, lone";
  // Grabbed at (300, 110), dropped 195 left: P would sit at 5 and snaps to 0; c1 and c2 follow.
  screen.cursor = {300, 110};
  layout.DragStart(P);
  screen.cursor = {105, 110};
  Rect proposed = screen.windows[P];
  layout.Moving(P, proposed);
  EXPECT_EQ(proposed, Sized(0, 100, 200, 200));
  ASSERT_EQ(screen.batches.size(), 1u);
  EXPECT_EQ(screen.batches[0], (std::vector<WindowMove>{{c2, {300, 100}}, {c1, {200, 100}}}));
}

// The work area snapped to is the one of the monitor the window is on when the drag starts.
TEST(Magnetic, SnapsToTheWorkAreaOfItsMonitorAtItsDpi) {
  const Monitor A{{0, 0, 1280, 1024}, {0, 0, 1280, 984}};            // primary, task bar below
  const Monitor B{{1280, 0, 3200, 1080}, {1280, 0, 3200, 1040}};     // on its right, taller
  const Monitor above{{0, -1080, 1920, 0}, {0, -1080, 1920, 0}};
  const Monitor left{{-1280, 100, 0, 1124}, {-1280, 100, 0, 1124}};  // on the left, lower
  struct Row { const char* name; std::vector<Monitor> monitors; int dpi; Point start, drop, snapped; };
  const Row rows[] = {  // a window of 200 x 100, grabbed at its top-left corner
      {"right: its own bottom", {A, B}, 96, {1500, 500}, {1500, 938}, {1500, 940}},
      {"right: no edge at the primary's task bar", {A, B}, 96, {1300, 500}, {1285, 886}, {1280, 886}},
      {"primary: its task bar", {A, B}, 96, {500, 500}, {500, 886}, {500, 884}},
      {"above: its top", {A, above}, 96, {300, -600}, {300, -1075}, {300, -1080}},
      {"left, negative: its left and top", {A, left}, 96, {-900, 500}, {-1275, 106}, {-1280, 100}},
      {"straddling, more on the right", {A, B}, 96, {1200, 500}, {1200, 937}, {1200, 940}},
      {"straddling, more on the left", {A, B}, 96, {1150, 500}, {1150, 887}, {1150, 884}},
      {"off both: the nearest, not the lowest", {A, B}, 96, {500, 1100}, {500, 887}, {500, 884}},
      {"off both, beside the right one", {A, B}, 96, {3300, 500}, {3005, 500}, {3000, 500}},
      {"144 DPI: 14 pixels snap", {A}, 144, {500, 500}, {14, 500}, {0, 500}},
      {"120 DPI: 12 pixels snap", {A}, 120, {500, 500}, {12, 500}, {0, 500}},
      {"120 DPI: 13 pixels stay", {A}, 120, {500, 500}, {13, 500}, {13, 500}},
  };
  for (const Row& r : rows) {
    Screen screen;
    screen.monitors = r.monitors;
    screen.dpi = r.dpi;
    MagneticLayout layout(screen);
    screen.windows[1] = Sized(r.start.x, r.start.y, 200, 100);
    layout.AddEntry(1, 0);
    screen.cursor = r.start;
    layout.DragStart(1);
    screen.cursor = r.drop;
    Rect proposed = screen.windows[1];
    layout.Moving(1, proposed);
    EXPECT_EQ(proposed, Sized(r.snapped.x, r.snapped.y, 200, 100)) << r.name;
  }
}

}  // namespace
