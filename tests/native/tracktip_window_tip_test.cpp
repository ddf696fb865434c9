#include "controls/window_tip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr WindowId kBox = 10;
constexpr WindowId kDialog = 20;

// The path box at screen (100, 50)-(300, 70) with the tooltip windows the tracker makes.
class FakePlatform : public WindowTipPlatform {
 public:
  ScreenRect box{100, 50, 300, 70};
  WindowId windowAt = kBox;
  WindowId tipWindow = 0;
  WindowId nextTip = 900;
  bool tipVisible = false;
  Text tipText;
  ScreenPoint tipAt;
  std::vector<std::string> log;

  bool OwnerRect(WindowId owner, ScreenRect& rect) override {
    if (owner != kBox) return false;
    rect = box;
    return true;
  }
  WindowId WindowAt(ScreenPoint) override { return windowAt; }
  WindowId TipWindow() override { return tipWindow; }
  std::int32_t MeasureText(const Text& text) override { return static_cast<std::int32_t>(text.size()) * 9; }
  void ShowTip(const Text& text, WindowId, std::int32_t x, std::int32_t y) override {
    tipWindow = nextTip++;
    tipVisible = true;
    tipText = text;
    tipAt = {x, y};
    log.push_back("show");
  }
  void MoveTip(const Text& text, std::int32_t x, std::int32_t y) override {
    if (!text.empty()) tipText = text;
    tipAt = {x, y};
    log.push_back("move");
  }
  void HideTip() override {
    tipVisible = false;
    log.push_back("hide");
  }
};

class WindowTipTest : public ::testing::Test {
 protected:
  FakePlatform platform;
  TrackTipRecord state;
  void Update(WindowId owner, std::uint8_t button, const Text& text, std::int32_t x, std::int32_t y,
              bool refresh = false) {
    UpdateWindowTip(state, platform, owner, button, text, refresh, x, y);
  }
};

TEST_F(WindowTipTest, FirstInsideMoveShowsWithPlacement) {
  Update(kBox, 0, u"C:\\a.mp3", 20, 5);  // 8 units: width 72
  ASSERT_TRUE(platform.tipVisible);
  EXPECT_TRUE(state.Active);
  EXPECT_EQ(state.OwnerWnd, kBox);
  EXPECT_EQ(platform.tipAt.x, 100 + 20 + 15 - 36);
  EXPECT_EQ(platform.tipAt.y, 50 + 5 + 25);
  EXPECT_EQ(state.TipWnd, 900u);
}

TEST_F(WindowTipTest, OddWidthRoundsHalfToEven) {
  Update(kBox, 0, u"abc", 20, 5);  // width 27: 135 - 13.5 = 121.5 -> 122
  EXPECT_EQ(platform.tipAt.x, 122);
  Update(kBox, 0, u"abcde", 21, 5);  // width 45: 136 - 22.5 = 113.5 -> 114
  EXPECT_EQ(platform.tipAt.x, 114);
}

TEST_F(WindowTipTest, EmptyTextShowsTheHint) {
  Update(kBox, 0, u"", 20, 5);
  EXPECT_EQ(platform.tipText, u"경로를 지정해주세요");
}

TEST_F(WindowTipTest, SameTextAndPlaceDoesNothingOtherPlaceMoves) {
  Update(kBox, 0, u"x", 20, 5);
  Update(kBox, 0, u"x", 20, 5);
  // The first show hides the tracker's own (here: no) tip first.
  EXPECT_EQ(platform.log, (std::vector<std::string>{"hide", "show"}));
  Update(kBox, 0, u"x", 30, 6);
  EXPECT_EQ(platform.log.back(), "move");
  EXPECT_EQ(platform.tipAt.x, 140);  // 145 - 4.5 = 140.5 -> 140
  EXPECT_EQ(state.LastX, 30);
}

TEST_F(WindowTipTest, ChangedTextRemeasuresAndRefreshUsesLastPlace) {
  Update(kBox, 0, u"x", 20, 5);
  Update(kBox, 0, u"xyz", 40, 5);
  EXPECT_EQ(state.TextWidth, 27);
  EXPECT_EQ(platform.tipText, u"xyz");
  Update(kBox, 0, u"xyzw", 0, 0, true);  // refresh: position from LastX/LastY
  EXPECT_EQ(state.TextWidth, 36);
  EXPECT_EQ(platform.tipAt.x, 100 + 40 + 15 - 18);
  EXPECT_EQ(platform.tipAt.y, 80);
}

TEST_F(WindowTipTest, DeactivationRules) {
  struct Case { const char* name; WindowId at; std::int32_t x, y; } outside[] = {
      {"left of box", kBox, -1, 5},   {"above box", kBox, 5, -1},      {"right of box", kBox, 201, 5},
      {"below box", kBox, 5, 21},     {"covered", kDialog, 5, 5},
  };
  for (const auto& c : outside) {
    FakePlatform p;
    TrackTipRecord s;
    UpdateWindowTip(s, p, kBox, 0, u"t", false, 10, 5);
    p.windowAt = c.at;
    UpdateWindowTip(s, p, kBox, 0, u"t", false, c.x, c.y);
    EXPECT_FALSE(s.Active) << c.name;
    EXPECT_FALSE(p.tipVisible) << c.name;
    EXPECT_EQ(s.OwnerWnd, 0u) << c.name;
    EXPECT_TRUE(s.Text.empty()) << c.name;
  }
  // The edges themselves are inside (x = Right - Left, y = Bottom - Top).
  Update(kBox, 0, u"t", 200, 20);
  EXPECT_TRUE(state.Active);
  EXPECT_TRUE(platform.tipVisible);
}

TEST_F(WindowTipTest, PointerOnTheTipItselfKeepsIt) {
  Update(kBox, 0, u"t", 10, 5);
  platform.windowAt = platform.tipWindow;
  Update(kBox, 0, u"t", 12, 18);
  EXPECT_TRUE(state.Active);
  EXPECT_TRUE(platform.tipVisible);
}

TEST_F(WindowTipTest, ButtonPressHidesAndHeldMovesDoNotShowAgain) {
  Update(kBox, 0, u"t", 10, 5);
  Update(kBox, 1, u"t", 10, 5);
  EXPECT_FALSE(state.Active);
  EXPECT_FALSE(platform.tipVisible);
  Update(kBox, 1, u"t", 12, 5);
  EXPECT_FALSE(state.Active);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"hide", "show", "hide"}));
  Update(kBox, 0, u"t", 12, 5);  // buttons up again: shows anew
  EXPECT_TRUE(platform.tipVisible);
}

TEST_F(WindowTipTest, NullOwnerCallHidesOwnTip) {
  Update(kBox, 0, u"t", 10, 5);
  Update(0, 0, u"", 0, 0);  // the dialog's mouse-leave and mouse-down calls
  EXPECT_FALSE(state.Active);
  EXPECT_FALSE(platform.tipVisible);
  EXPECT_EQ(state.Left, 100);  // a null owner leaves the old rectangle
}

TEST_F(WindowTipTest, AnotherTipIsNotHidden) {
  Update(kBox, 0, u"t", 10, 5);
  platform.tipWindow = 777;  // a control showed its own tip since
  platform.tipVisible = true;
  Update(0, 0, u"", 0, 0);
  EXPECT_FALSE(state.Active);
  EXPECT_TRUE(platform.tipVisible);
}

TEST_F(WindowTipTest, RefreshOrButtonWhileInactiveChangesNothing) {
  Update(kBox, 0, u"t", 10, 5, true);
  Update(kBox, 2, u"t", 10, 5);
  EXPECT_EQ(state.OwnerWnd, 0u);
  EXPECT_FALSE(state.Active);
  EXPECT_TRUE(platform.log.empty());
}

TEST_F(WindowTipTest, OverflowEndsInactiveWithoutThrowing) {
  platform.box = {2147483600, 0, 2147483647, 20};
  EXPECT_NO_THROW(Update(kBox, 0, u"t", 40, 5));
  EXPECT_FALSE(state.Active);
  EXPECT_EQ(state.OwnerWnd, 0u);
}

}  // namespace
