// The magnetic windows without windows: the snap of an edge, touching, glue and a drag.
#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "magnetic/magnetic_geometry.h"

using namespace magnetic;

namespace {

Rect Sized(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  return {left, top, left + width, top + height};
}

TEST(Magnetic, EdgeSnapRows) {
  struct Row { const char* name; Rect m, target; std::int32_t dx, dy; };  // 77: untouched
  const Rect work{0, 0, 1280, 760}, bar{100, 0, 105, 50};
  const Row rows[] = {
      {"9 px from the left snaps", Sized(9, 300, 100, 100), work, -9, 77},
      {"10 px stays", Sized(10, 300, 100, 100), work, 77, 77},
      {"9 px outside snaps back", Sized(-9, 300, 100, 100), work, 9, 77},
      {"right and bottom edges", Sized(1171, 651, 100, 100), work, 9, 9},
      {"sideways only within 9 of the extent", Sized(305, 291, 100, 100), Sized(300, 400, 200, 100), -5, 9},
      {"not at 10 of the extent", Sized(305, 290, 100, 100), Sized(300, 400, 200, 100), 77, 77},
      {"left/left before left/right", Sized(102, 0, 50, 50), bar, -2, 0},
      {"right/left before right/right", Sized(53, 0, 50, 50), bar, -3, 0},
      {"left/right when left/left is too far", Sized(112, 0, 50, 50), bar, -7, 0},
      {"extremes do not overflow", Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, Rect{INT32_MAX - 5, 0, INT32_MAX, 5}, -5, 77},
  };
  for (const Row& r : rows) {
    std::int32_t dx = 77, dy = 77;
    EdgeTest(r.m, r.target, dx, dy);
    EXPECT_EQ(dx, r.dx) << r.name;
    EXPECT_EQ(dy, r.dy) << r.name;
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

// A screen of rectangles that the batch moves.
struct Screen final : MagneticPlatform {
  std::map<WindowId, Rect> windows;
  Point cursor;
  std::vector<std::vector<WindowMove>> batches;
  bool GetWindowRect(WindowId w, Rect& r) override { return windows.count(w) && (r = windows[w], true); }
  bool GetWorkArea(Rect& r) override { return r = {0, 0, 1280, 760}, true; }
  bool GetCursorPos(Point& p) override { return p = cursor, true; }
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
  for (auto [w, r, parent] : {std::tuple{c2, Sized(500, 100, 100, 100), P}, std::tuple{c1, Sized(400, 100, 100, 100), P},
                              std::tuple{lone, Sized(700, 100, 100, 100), P}, std::tuple{P, Sized(200, 100, 200, 200), WindowId{0}}}) {
    screen.windows[w] = r;
    ASSERT_TRUE(layout.AddEntry(w, parent));
  }
  layout.CheckGlueing();
  const auto glued = [&](WindowId w) { return layout.Entries()[layout.IndexOfWindow(w)].Glued; };
  EXPECT_TRUE(glued(c1) && glued(c2));
  EXPECT_FALSE(glued(lone));
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

}  // namespace
