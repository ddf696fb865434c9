#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "magnetic/magnetic_geometry.h"
#include "magnetic/message_filter.h"

using namespace magnetic;

namespace {

// A screen of rectangles: windows move when the batch moves them, like real ones.
class FakeScreen final : public MagneticPlatform {
 public:
  std::map<WindowId, Rect> windows;
  Rect workArea{0, 0, 1280, 760};
  Point cursor;
  std::vector<std::vector<WindowMove>> batches;
  bool failRects = false;
  int workAreaReads = 0;

  bool GetWindowRect(WindowId w, Rect& r) override {
    auto it = windows.find(w);
    if (failRects || it == windows.end()) return false;
    r = it->second;
    return true;
  }
  bool GetWorkArea(Rect& r) override {
    ++workAreaReads;
    r = workArea;
    return true;
  }
  bool GetCursorPos(Point& p) override {
    p = cursor;
    return true;
  }
  void MoveWindows(const std::vector<WindowMove>& moves) override {
    batches.push_back(moves);
    for (const auto& m : moves) {
      Rect& r = windows[m.hWnd];
      r = OffsetRect(r, std::int64_t{m.position.x} - r.left, std::int64_t{m.position.y} - r.top);
    }
  }
};

constexpr WindowId P = 0x100, C = 0x200, S = 0x300, X = 0x400;

Rect Sized(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  return {left, top, left + width, top + height};
}

struct MagneticLayoutTest : ::testing::Test {
  FakeScreen screen;
  MagneticLayout layout{screen};

  void Add(WindowId w, Rect r, WindowId parent = 0) {
    screen.windows[w] = r;
    ASSERT_TRUE(layout.AddEntry(w, parent));
    layout.CheckGlueing();
  }
  bool Glued(WindowId w) { return layout.Entries()[layout.IndexOfWindow(w)].Glued; }
  // A user drag: press with the cursor at `from`, one move to `to`; the snapped rectangle.
  Rect Drag(WindowId w, Point from, Point to) {
    screen.cursor = from;
    layout.DragStart(w);
    screen.cursor = to;
    // Where the platform proposes to put it does not matter; only its size is kept.
    Rect proposed = OffsetRect(screen.windows[w], 37, -23);
    layout.Moving(w, proposed);
    return proposed;
  }
};

}  // namespace

TEST(MagneticEdgeTest, SnapsOnlyWithinNinePixelsAndInTheStatedOrder) {
  struct Case {
    const char* name;
    Rect m;
    Rect target;
    std::int32_t dx, dy;  // from a start of 77, 77 (77 means untouched)
  };
  const Rect work{0, 0, 1280, 760};
  const Case cases[] = {
      {"left 9 px from the left edge snaps flush", Sized(9, 300, 100, 100), work, -9, 77},
      {"left 10 px away stays", Sized(10, 300, 100, 100), work, 77, 77},
      {"left 9 px outside snaps back", Sized(-9, 300, 100, 100), work, 9, 77},
      {"right edge to the right edge", Sized(1171, 300, 100, 100), work, 9, 77},
      {"top and left at once", Sized(3, 5, 100, 100), work, -3, -5},
      {"bottom to the bottom edge", Sized(300, 651, 100, 100), work, 77, 9},
      {"no sideways pull from a target far below", Sized(305, 100, 100, 100), Sized(300, 400, 200, 100), 77, 77},
      {"sideways pull when the extents come within 9", Sized(305, 291, 100, 100), Sized(300, 400, 200, 100), -5, 9},
      {"no sideways pull at exactly 10 apart", Sized(305, 290, 100, 100), Sized(300, 400, 200, 100), 77, 77},
      {"left/left before left/right", Sized(102, 0, 50, 50), Rect{100, 0, 105, 50}, -2, 0},
      {"right/left before right/right", Sized(53, 0, 50, 50), Rect{100, 0, 105, 50}, -3, 0},
      {"left/right when left/left is too far", Sized(112, 0, 50, 50), Rect{100, 0, 105, 50}, -7, 0},
      {"top/top before top/bottom", Rect{0, 102, 50, 152}, Rect{0, 100, 50, 105}, 0, -2},
      {"bottom/top before bottom/bottom", Rect{0, 53, 50, 103}, Rect{0, 100, 50, 105}, 0, -3},
      {"no vertical pull from a target far to the side", Sized(0, 5, 100, 100), Sized(500, 0, 100, 100), 77, 77},
  };
  for (const auto& c : cases) {
    std::int32_t dx = 77, dy = 77;
    EdgeTest(c.m, c.target, dx, dy);
    EXPECT_EQ(dx, c.dx) << c.name;
    EXPECT_EQ(dy, c.dy) << c.name;
  }
}

TEST(MagneticEdgeTest, ExtremeCoordinatesDoNotOverflow) {
  std::int32_t dx = 0, dy = 0;
  EdgeTest(Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, Rect{INT32_MAX - 5, 0, INT32_MAX, 5}, dx, dy);
  EXPECT_EQ(dx, -5);  // right/left, 5 apart, comes before right/right
  EXPECT_FALSE(IsTouching(Rect{INT32_MIN, 0, INT32_MAX, 1}, Rect{INT32_MIN, 5, INT32_MAX, 6}));
}

TEST(MagneticIsTouching, Cases) {
  const Rect a{0, 0, 100, 100};
  struct Case {
    const char* name;
    Rect b;
    bool touching;
  } cases[] = {
      {"side by side, overlapping vertically", Rect{100, 20, 200, 80}, true},
      {"side by side with a 1-pixel gap", Rect{101, 20, 201, 80}, false},
      {"overlapping without a common edge line", Rect{50, 50, 150, 150}, false},
      {"overlapping and sharing the top line", Rect{50, 0, 150, 150}, true},
      {"stacked, bottom on top", Rect{30, 100, 80, 150}, true},
      {"only the corners meet", Rect{100, 100, 200, 200}, true},
      {"same column, far below", Rect{0, 300, 100, 400}, false},
      {"the same rectangle", a, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsTouching(a, c.b), c.touching) << c.name;
    EXPECT_EQ(IsTouching(c.b, a), c.touching) << c.name << " (swapped)";
  }
}

TEST(MagneticMoveGrip, CentresWithHalvesToEvenAndSitsTwelveBelowTheTop) {
  EXPECT_EQ(MoveGripPoint(Rect{0, 40, 100, 90}), (Point{50, 52}));
  EXPECT_EQ(MoveGripPoint(Rect{0, 0, 101, 50}), (Point{50, 12}));   // 50.5 -> 50
  EXPECT_EQ(MoveGripPoint(Rect{1, 0, 102, 50}), (Point{52, 12}));   // 51.5 -> 52
  EXPECT_EQ(MoveGripPoint(Rect{-101, -20, 0, 0}), (Point{-50, -8}));  // -50.5 -> -50
}

TEST(MagneticMessageFilter, ListsEachMessageOnceAndAllMessagesStaysAll) {
  MessageFilter f;
  EXPECT_EQ(f.Count(), 0);
  EXPECT_FALSE(f.Matches(0x216));
  f.Add(0x216);
  f.Add(0x232);
  f.Add(0x216);
  EXPECT_EQ(f.Count(), 2);
  EXPECT_EQ(f.Table(), (std::vector<std::uint32_t>{0x216, 0x232}));
  EXPECT_TRUE(f.Matches(0x232));
  EXPECT_FALSE(f.Matches(0x233));
  f.Add(MessageFilter::kAllMessages);
  EXPECT_EQ(f.Count(), -1);
  f.Add(0x10);  // adding to "every message" must not narrow it
  EXPECT_EQ(f.Count(), -1);
  EXPECT_TRUE(f.Matches(0x12345));
  f.Clear();
  EXPECT_EQ(f.Count(), 0);
  EXPECT_FALSE(f.Matches(0x216));
}

TEST_F(MagneticLayoutTest, AddAndRemoveKeepTheListAndRectanglesInStep) {
  Add(P, Sized(100, 100, 200, 200));
  Add(C, Sized(300, 100, 100, 100), P);
  EXPECT_FALSE(layout.AddEntry(P, 0));
  EXPECT_EQ(layout.Count(), 2);
  EXPECT_EQ(layout.IndexOfWindow(C), 2);
  EXPECT_EQ(layout.IndexOfWindow(X), 0);
  EXPECT_FALSE(layout.RemoveEntry(X));
  EXPECT_EQ(layout.Count(), 2);

  EXPECT_TRUE(Glued(C));
  ASSERT_TRUE(layout.RemoveEntry(P));
  layout.CheckGlueing();
  ASSERT_EQ(layout.Count(), 1);
  ASSERT_EQ(layout.Entries().size(), 2u);
  ASSERT_EQ(layout.WindowRects().size(), 2u);
  EXPECT_EQ(layout.Entries()[1].hWnd, C);
  EXPECT_EQ(layout.Entries()[1].hWndParent, 0u) << "a removed parent is cleared";
  EXPECT_FALSE(layout.Entries()[1].Glued);
  EXPECT_EQ(layout.WindowRects()[1], screen.windows[C]) << "rectangles realigned by the glue check";
  EXPECT_EQ(layout.Entries()[0].hWnd, 0u);
}

TEST_F(MagneticLayoutTest, GlueSpreadsThroughTouchingSiblingsWhateverTheirOrder) {
  // A chain P | C1 | C2 | C3 registered from the far end, so that only repeated rounds reach it.
  const WindowId c1 = 0x11, c2 = 0x12, c3 = 0x13;
  Add(c3, Sized(500, 100, 100, 100), P);
  Add(c2, Sized(400, 100, 100, 100), P);
  Add(c1, Sized(300, 100, 100, 100), P);
  Add(S, Sized(700, 100, 100, 100), P);              // same parent, touches nobody
  Add(X, Sized(600, 100, 100, 100), /*parent*/ c3);  // touches c3 and S, other parent
  Add(P, Sized(100, 100, 200, 200));
  EXPECT_TRUE(Glued(c1));
  EXPECT_TRUE(Glued(c2));
  EXPECT_TRUE(Glued(c3));
  EXPECT_TRUE(Glued(X)) << "touches its own parent";
  EXPECT_FALSE(Glued(S)) << "touches X only, which has another parent";

  // A 1-pixel gap in the chain cuts off the rest.
  screen.windows[c2] = Sized(401, 100, 100, 100);
  layout.CheckGlueing();
  EXPECT_TRUE(Glued(c1));
  EXPECT_FALSE(Glued(c2));
  EXPECT_FALSE(Glued(c3)) << "it touches only c2, which is cut off";
}

TEST_F(MagneticLayoutTest, AParentNeverRegisteredIsStoodInForByTheWorkAreaEntry) {
  const WindowId stranger = 0xDEAD;
  Add(C, Sized(0, 0, 100, 100), stranger);
  Add(S, Sized(50, 50, 100, 100), stranger);
  Add(X, Sized(1180, 50, 100, 100), stranger);
  // Before the first drag start entry 0 is all zeros.
  EXPECT_TRUE(Glued(C));
  EXPECT_FALSE(Glued(S));
  EXPECT_FALSE(Glued(X));
  EXPECT_EQ(layout.WindowRects()[0], Rect{});
  screen.cursor = {10, 10};
  layout.DragStart(C);  // fetches the work area
  layout.CheckGlueing();
  EXPECT_EQ(layout.WindowRects()[0], screen.workArea);
  EXPECT_TRUE(Glued(C));
  EXPECT_FALSE(Glued(S));
  EXPECT_TRUE(Glued(X)) << "flush with the work area's right edge";
}

TEST_F(MagneticLayoutTest, DragSnapsToTheWorkAreaAtNinePixelsButNotTen) {
  Add(P, Sized(200, 200, 300, 200));
  // Grabbed 91 right of the left edge and 10 below the top.
  EXPECT_EQ(Drag(P, {291, 210}, {100, 210}), Sized(0, 200, 300, 200));
  EXPECT_EQ(layout.DragOffsetX(), -91);
  EXPECT_EQ(layout.DragOffsetY(), -10);
  EXPECT_EQ(layout.SnapCursor(), (Point{100, 210}));
  EXPECT_EQ(layout.MovingRect(), Sized(0, 200, 300, 200));
  EXPECT_EQ(Drag(P, {291, 210}, {101, 210}), Sized(10, 200, 300, 200));
  EXPECT_EQ(Drag(P, {291, 210}, {491, 561}), Sized(400, 560, 300, 200)) << "bottom 9 above 760";
}

TEST_F(MagneticLayoutTest, BeforeTheFirstDragStartOnlyTheOriginLinesAttract) {
  Add(P, Sized(5, 500, 100, 100));
  screen.cursor = {5, 500};
  Rect r = Sized(5, 500, 100, 100);
  layout.Moving(P, r);  // no drag start: offsets 0, entry 0 all zeros
  EXPECT_EQ(r, Sized(5, 500, 100, 100));
  screen.cursor = {5, 5};
  layout.Moving(P, r);
  EXPECT_EQ(r, Sized(0, 0, 100, 100));
  EXPECT_EQ(screen.workAreaReads, 0);
}

TEST_F(MagneticLayoutTest, TheHigherListIndexWinsAndTheWorkAreaLoses) {
  Add(P, Sized(200, 200, 100, 100));
  Add(S, Sized(-188, 150, 200, 200));  // right edge at 12
  // Left edge at 5: the work area says -5, S (index 2) says +7 and wins.
  EXPECT_EQ(Drag(P, {200, 200}, {5, 200}).left, 12);
  Add(X, Sized(-186, 150, 200, 200));  // right edge at 14, index 3
  EXPECT_EQ(Drag(P, {200, 200}, {5, 200}).left, 14);
}

TEST_F(MagneticLayoutTest, GluedWindowsTravelWithTheirParentAndDoNotAttractIt) {
  Add(P, Sized(300, 100, 200, 200));
  Add(C, Sized(500, 150, 100, 100), P);  // flush right of P
  Add(X, Sized(900, 100, 100, 100));     // unrelated
  ASSERT_TRUE(Glued(C));
  screen.batches.clear();
  // 5 px right: C's left edge would pull P's right edge back if C were a target.
  const Rect m = Drag(P, {400, 110}, {405, 110});
  EXPECT_EQ(m, Sized(305, 100, 200, 200));
  ASSERT_EQ(screen.batches.size(), 1u);
  EXPECT_EQ(screen.batches[0], (std::vector<WindowMove>{{C, {505, 150}}}));
  // Dragging the child alone does not move the parent.
  screen.batches.clear();
  Drag(C, {550, 160}, {560, 160});
  ASSERT_EQ(screen.batches.size(), 1u);
  EXPECT_TRUE(screen.batches[0].empty());
}

TEST_F(MagneticLayoutTest, AGluedWindowNearAnEdgePullsItsParent) {
  Add(P, Sized(200, 100, 200, 200));
  Add(C, Sized(100, 100, 100, 200), P);  // flush left of P
  ASSERT_TRUE(Glued(C));
  // 95 left: C would sit at 5, snaps to 0 and takes P with it.
  const Rect m = Drag(P, {300, 110}, {205, 110});
  EXPECT_EQ(m.left, 100);
  EXPECT_EQ(screen.windows[C].left, 0);
}

TEST_F(MagneticLayoutTest, ExitSizeMoveOnlyChecksGlueWhenTheWindowSitsWhereItSnapped) {
  Add(P, Sized(300, 100, 200, 200));
  Add(C, Sized(500, 150, 100, 100), P);
  const Rect m = Drag(P, {400, 110}, {420, 110});
  screen.windows[P] = m;  // the platform put it where the snap said
  screen.batches.clear();
  screen.cursor = {999, 999};
  layout.ExitSizeMove(P);
  EXPECT_TRUE(screen.batches.empty());
  EXPECT_EQ(layout.DragStartCursor(), (Point{400, 110})) << "no second drag start";
  EXPECT_TRUE(Glued(C));

  // The window ended elsewhere, 5 below the top of the work area: the snap of that spot is not
  // applied to the window, which stays, but its glued windows are placed for the snapped spot.
  const Rect landed = Sized(320, 5, 200, 200);
  screen.windows[P] = landed;
  screen.cursor = {430, 20};
  layout.ExitSizeMove(P);
  EXPECT_EQ(layout.DragStartCursor(), (Point{430, 20}));
  EXPECT_EQ(screen.windows[P], landed);
  EXPECT_EQ(screen.windows[C], Sized(520, 145, 100, 100));
  EXPECT_TRUE(Glued(C));
}

TEST_F(MagneticLayoutTest, ARectangleThatCannotBeReadKeepsItsPreviousValue) {
  Add(P, Sized(300, 100, 200, 200));
  screen.failRects = true;
  screen.windows[P] = Sized(0, 0, 1, 1);
  layout.CheckGlueing();
  EXPECT_EQ(layout.WindowRects()[1], Sized(300, 100, 200, 200));
}
