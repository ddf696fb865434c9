#include "controls/control_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr WindowId kOwn = 100;
constexpr WindowId kOther = 200;

// A control 40 x 20 pixels at screen (300, 200), recording what the model tells it to do.
class FakeControl : public ControlHost {
 public:
  bool capture = false;
  ScreenPoint cursor{310, 205};
  ScreenRect rect{300, 200, 340, 220};
  WindowId windowAtCursor = kOwn;
  WindowId tipWindow = 0;
  WindowId nextTip = 500;
  std::vector<std::string> log;
  std::function<void()> onClick;
  std::function<void(MouseMask&, MouseMask&, float&, float&)> onMouseMove;
  bool clickChangesValue = false;

  bool CaptureIsOurs() override { return capture; }
  void TakeCapture() override { capture = true; log.push_back("take"); }
  void ReleaseCapture() override { capture = false; log.push_back("release"); }
  ScreenPoint CursorPos() override { return cursor; }
  ScreenRect WindowRect() override { return rect; }
  WindowId WindowAt(ScreenPoint p) override {
    log.push_back("at " + std::to_string(p.x) + "," + std::to_string(p.y));
    return windowAtCursor;
  }
  WindowId OwnWindow() override { return kOwn; }
  WindowId TipWindow() override { return tipWindow; }
  float InnerWidth() override { return 40; }
  float InnerHeight() override { return 20; }
  std::int32_t TextWidth(const Text& text) override { return static_cast<std::int32_t>(text.size()) * 7; }
  void SetHandPointer() override { log.push_back("hand"); }
  void FocusForm() override { log.push_back("focus"); }
  void ShowTip(const Text& text, std::int32_t x, std::int32_t y, bool trackOnly) override {
    tipWindow = nextTip++;
    log.push_back("show " + std::to_string(text.size()) + " " + std::to_string(x) + "," + std::to_string(y) +
                  (trackOnly ? " track" : " absolute"));
  }
  void MoveTip(std::int32_t x, std::int32_t y) override {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void HideTip() override { log.push_back("hide"); }
  void Redraw() override { log.push_back("redraw"); }
  void ClickChangesValue() override {
    if (clickChangesValue) log.push_back("value");
  }
  bool destroyedByClick = false;
  bool RaiseClick() override {
    log.push_back("Click");
    if (onClick) onClick();
    return !destroyedByClick;
  }
  bool RaiseMouseDown(MouseMask& b, MouseMask&, float&, float&) override {
    log.push_back("MouseDown " + std::to_string(b));
    return true;
  }
  bool RaiseMouseMove(MouseMask& b, MouseMask& s, float& x, float& y) override {
    log.push_back("MouseMove");
    if (onMouseMove) onMouseMove(b, s, x, y);
    return true;
  }
  bool RaiseMouseUp(MouseMask& b, MouseMask&, float&, float&) override {
    log.push_back("MouseUp " + std::to_string(b));
    return true;
  }

  std::vector<std::string> Take() { return std::exchange(log, {}); }
  int Count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : log) n += e == entry;
    return n;
  }
};

using Log = std::vector<std::string>;

class ButtonModelTest : public ::testing::Test {
 protected:
  FakeControl host;
  ControlModel model{host, TipStyle::FollowCursor};

  void Hover() {
    model.MouseMove(0, 0, 10, 5);
    host.Take();
  }
};

TEST(SkinFrameTest, FrameForEachState) {
  EXPECT_EQ(FrameFor(false, false), SkinFrame::Normal);
  EXPECT_EQ(FrameFor(false, true), SkinFrame::Hover);
  EXPECT_EQ(FrameFor(true, false), SkinFrame::Hover);  // pressed, pointer dragged off
  EXPECT_EQ(FrameFor(true, true), SkinFrame::Pressed);
}

TEST_F(ButtonModelTest, EnteringTakesCaptureShowsTipAndHovers) {
  model.SetTrackTipText(u"저장");  // 2 units: width 14, half 7
  model.MouseMove(0, 0, 10, 5);
  EXPECT_EQ(host.Take(), (Log{"MouseMove", "take", "hand", "at 310,205", "show 2 318,230 track", "redraw", "take"}));
  EXPECT_TRUE(model.Hover());
  EXPECT_FALSE(model.Pressed());
  EXPECT_EQ(model.HalfTipWidth(), 7);
  EXPECT_EQ(model.Frame(), SkinFrame::Hover);

  host.cursor = {320, 210};  // the tip follows the cursor with the same text
  model.MouseMove(0, 0, 20, 10);
  EXPECT_EQ(host.Take(), (Log{"MouseMove", "hand", "at 320,210", "move 328,235", "take"}));
}

TEST_F(ButtonModelTest, HalfTipWidthRoundsHalfToEven) {
  // Widths 7 * n: 21 -> 10.5 -> 10; 35 -> 17.5 -> 18.
  model.SetTrackTipText(u"abc");
  model.MouseMove(0, 0, 10, 5);
  EXPECT_EQ(model.HalfTipWidth(), 10);
  model.MouseMove(0, 0, 50, 5);
  model.SetTrackTipText(u"abcde");
  model.MouseMove(0, 0, 10, 5);
  EXPECT_EQ(model.HalfTipWidth(), 18);
}

TEST_F(ButtonModelTest, InsideIsStrict) {
  struct Case { float x, y; bool inside; } cases[] = {
      {0, 0, true}, {-0.5f, 0, true}, {-1, 0, false}, {39.9f, 19.9f, true}, {40, 5, false}, {5, 20, false}, {5, -1, false}};
  for (const auto& c : cases) {
    ControlModel m(host, TipStyle::FollowCursor);
    m.MouseMove(0, 0, c.x, c.y);
    EXPECT_EQ(m.Hover(), c.inside) << c.x << "," << c.y;
  }
}

TEST_F(ButtonModelTest, LeftClickInsideRaisesOneClickBeforeMouseUp) {
  model.SetTrackTipText(u"tip");
  Hover();
  model.MouseDown(1, 0, 10, 5);
  EXPECT_EQ(host.Take(), (Log{"redraw", "focus", "hide", "MouseDown 1"}));
  EXPECT_EQ(model.Frame(), SkinFrame::Pressed);
  model.MouseUp(1, 0, 10, 5);
  EXPECT_EQ(host.Take(), (Log{"redraw", "Click", "MouseUp 1"}));
  EXPECT_EQ(model.Frame(), SkinFrame::Normal);  // until the next move brings the hover back
}

TEST_F(ButtonModelTest, DragOffAndBackOn) {
  model.SetTrackTipText(u"tip");
  Hover();
  model.MouseDown(1, 0, 10, 5);
  host.Take();

  model.MouseMove(1, 0, 50, 5);  // off: hover frame, capture and tip untouched
  EXPECT_EQ(host.Take(), (Log{"MouseMove", "redraw"}));
  EXPECT_TRUE(model.Pressed());
  EXPECT_EQ(model.Frame(), SkinFrame::Hover);

  model.MouseMove(1, 0, 10, 5);  // back on: pressed frame, no tip while pressed
  EXPECT_EQ(host.Take(), (Log{"MouseMove", "hand", "at 310,205", "redraw", "take"}));
  EXPECT_EQ(model.Frame(), SkinFrame::Pressed);

  model.MouseMove(1, 0, 10, 6);  // moving on it while pressed does not move a tip
  EXPECT_EQ(host.Count("move 318,230"), 0);
  model.MouseUp(1, 0, 10, 6);
  EXPECT_EQ(host.Count("Click"), 1);
}

TEST_F(ButtonModelTest, ReleaseOutsideDoesNotClick) {
  Hover();
  model.MouseDown(1, 0, 10, 5);
  model.MouseMove(1, 0, 50, 5);
  host.Take();
  model.MouseUp(1, 0, 50, 5);
  EXPECT_EQ(host.Take(), (Log{"redraw", "MouseUp 1"}));
  EXPECT_FALSE(model.Pressed());
  EXPECT_FALSE(model.Hover());
  // The capture still held is given back by the next move outside.
  model.MouseMove(0, 0, 50, 5);
  EXPECT_FALSE(host.capture);
}

TEST_F(ButtonModelTest, RightButtonNeverClicks) {
  Hover();
  model.MouseDown(2, 0, 10, 5);
  EXPECT_FALSE(model.Pressed());
  EXPECT_TRUE(model.Hover());
  EXPECT_EQ(host.Take(), (Log{"focus", "hide", "MouseDown 2"}));
  model.MouseUp(2, 0, 10, 5);
  EXPECT_EQ(host.Take(), (Log{"redraw", "MouseUp 2"}));
  EXPECT_FALSE(model.Hover());
  EXPECT_EQ(model.Frame(), SkinFrame::Normal);
  EXPECT_EQ(model.LastButton(), 2);
}

TEST_F(ButtonModelTest, DoubleClickGivesTwoMouseDownsAndTwoClicks) {
  Hover();
  model.MouseDown(1, 2, 10, 5);
  model.MouseUp(1, 2, 10, 5);
  model.DoubleClick();
  EXPECT_TRUE(model.Pressed());
  EXPECT_EQ(model.LastShift(), 2);
  model.MouseUp(1, 2, 10, 5);
  EXPECT_EQ(host.Count("MouseDown 1"), 2);
  EXPECT_EQ(host.Count("Click"), 2);
}

TEST_F(ButtonModelTest, CoveredPartCountsAsLeaving) {
  model.SetTrackTipText(u"tip");
  Hover();
  host.windowAtCursor = kOther;
  model.MouseMove(0, 0, 20, 5);
  EXPECT_EQ(host.Take(), (Log{"MouseMove", "hand", "at 310,205", "hide", "release", "redraw"}));
  EXPECT_FALSE(model.Hover());
  EXPECT_FALSE(host.capture);
}

TEST_F(ButtonModelTest, DragBegunElsewhereChangesNothing) {
  model.SetTrackTipText(u"tip");
  model.MouseMove(1, 0, 10, 5);
  EXPECT_EQ(host.Take(), (Log{"MouseMove"}));
  EXPECT_FALSE(model.Hover());
  EXPECT_FALSE(host.capture);
  model.MouseUp(1, 0, 10, 5);
  EXPECT_EQ(host.Count("Click"), 0);
}

TEST_F(ButtonModelTest, LostCaptureLosesThePress) {
  Hover();
  model.MouseDown(1, 0, 10, 5);
  host.capture = false;  // another window took it
  model.MouseMove(1, 0, 10, 5);
  EXPECT_FALSE(model.Pressed());
  model.MouseUp(1, 0, 10, 5);
  EXPECT_EQ(host.Count("Click"), 0);
}

TEST_F(ButtonModelTest, ButtonsReleasedUnseenClearPressed) {
  Hover();
  model.MouseDown(1, 0, 10, 5);
  model.MouseMove(0, 0, 10, 5);
  EXPECT_FALSE(model.Pressed());
  EXPECT_TRUE(model.Hover());
}

TEST_F(ButtonModelTest, ClickThatTakesTheCaptureAwayLeavesIdle) {
  model.SetTrackTipText(u"tip");
  Hover();
  model.MouseDown(1, 0, 10, 5);
  host.onClick = [&] { host.capture = false; };  // the form opens a message box
  host.Take();
  model.MouseUp(1, 0, 10, 5);
  EXPECT_EQ(host.Take(), (Log{"redraw", "Click", "redraw", "hide", "MouseUp 1"}));
}

TEST_F(ButtonModelTest, FailingStepsAreSkipped) {
  host.onClick = [] { throw std::runtime_error("form failed"); };
  Hover();
  model.MouseDown(1, 0, 10, 5);
  model.MouseUp(1, 0, 10, 5);
  EXPECT_EQ(host.Count("MouseUp 1"), 1);
  EXPECT_FALSE(model.Pressed());
}

TEST_F(ButtonModelTest, ControlDestroyedByClickStopsTheModel) {
  Hover();
  model.MouseDown(1, 0, 10, 5);
  host.destroyedByClick = true;
  host.Take();
  model.MouseUp(1, 0, 10, 5);
  EXPECT_EQ(host.Take(), (Log{"redraw", "Click"}));  // no MouseUp, no capture check
}

TEST_F(ButtonModelTest, MouseMoveHandlerSeesAndMayChangeTheArguments) {
  host.onMouseMove = [](MouseMask&, MouseMask&, float& x, float&) { x = 99; };
  model.MouseMove(0, 0, 10, 5);
  EXPECT_FALSE(model.Hover());  // the changed x is outside
}

TEST_F(ButtonModelTest, TrackTipTextWriteRules) {
  Hover();
  model.SetTrackTipText(u"ab");  // empty -> text while hovering: shows at once
  EXPECT_EQ(host.Take(), (Log{"show 2 318,230 track"}));
  model.SetTrackTipText(u"abcd");  // text -> text: the tip keeps its old text
  EXPECT_TRUE(host.Take().empty());
  EXPECT_EQ(model.TrackTipText(), u"abcd");
  model.SetTrackTipText(u"");  // text -> empty: hidden
  EXPECT_EQ(host.Take(), (Log{"hide"}));

  model.MouseDown(1, 0, 10, 5);
  host.Take();
  model.SetTrackTipText(u"ab");  // pressed: nothing shows
  model.SetTrackTipText(u"");
  EXPECT_TRUE(host.Take().empty());

  ControlModel idle(host, TipStyle::FollowCursor);
  idle.SetTrackTipText(u"ab");  // not hovering
  EXPECT_TRUE(host.Take().empty());
}

// CheckBox and OptionBox: the same model with an anchored tip and a value changed on click.
class AnchoredModelTest : public ::testing::Test {
 protected:
  FakeControl host;
  ControlModel model{host, TipStyle::Anchored};
};

TEST_F(AnchoredModelTest, TipAnchoredAtControlAndNotFollowing) {
  model.SetTrackTipText(u"tip");
  model.MouseMove(0, 0, 10.5f, 5.5f);
  // Probe point rounded half to even: 310.5 -> 310, 205.5 -> 206.
  EXPECT_EQ(host.Take(), (Log{"MouseMove", "take", "hand", "at 310,206", "show 3 316,200 absolute", "redraw"}));
  EXPECT_EQ(model.OwnTipWindow(), 500u);
  model.MouseMove(0, 0, 12, 5);
  EXPECT_EQ(host.Take(), (Log{"MouseMove", "hand", "at 312,205"}));
}

TEST_F(AnchoredModelTest, PointerOverOwnTipStillHovers) {
  model.SetTrackTipText(u"tip");
  model.MouseMove(0, 0, 10, 5);
  host.windowAtCursor = 500;  // the tip window itself
  model.MouseMove(0, 0, 16, 1);
  EXPECT_TRUE(model.Hover());
  host.windowAtCursor = kOther;
  model.MouseMove(0, 0, 16, 1);
  EXPECT_FALSE(model.Hover());
}

TEST_F(AnchoredModelTest, EnteringWithoutTipForgetsOwnTipWindow) {
  model.SetTrackTipText(u"tip");
  model.MouseMove(0, 0, 10, 5);
  EXPECT_EQ(model.OwnTipWindow(), 500u);
  model.MouseMove(0, 0, 50, 5);
  model.SetTrackTipText(u"");  // entering again shows no tip
  model.MouseMove(0, 0, 10, 5);
  EXPECT_EQ(model.OwnTipWindow(), 0u);
}

TEST_F(AnchoredModelTest, ValueChangesJustBeforeClick) {
  host.clickChangesValue = true;
  model.MouseMove(0, 0, 10, 5);
  model.MouseDown(1, 0, 10, 5);
  host.Take();
  model.MouseUp(1, 0, 10, 5);
  EXPECT_EQ(host.Take(), (Log{"redraw", "value", "Click", "MouseUp 1"}));
  model.MouseDown(2, 0, 10, 5);
  model.MouseUp(2, 0, 10, 5);
  EXPECT_EQ(host.Count("value"), 0);
}

TEST_F(AnchoredModelTest, TextWrittenWhileHoveringShowsAtAnchor) {
  model.MouseMove(0, 0, 10, 5);
  host.Take();
  model.SetTrackTipText(u"ab");
  EXPECT_EQ(host.Take(), (Log{"show 2 316,200 absolute"}));
}

}  // namespace
