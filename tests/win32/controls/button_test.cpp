#include "controls/button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/track_tip.h"
#include "tests/win32/controls/test_support.h"
#include "ui/gdi.h"

namespace {

constexpr COLORREF kNormal = RGB(200, 0, 0);
constexpr COLORREF kHover = RGB(0, 200, 0);
constexpr COLORREF kPressed = RGB(0, 0, 200);

// A 40 x 30 button at (20, 20) on a form at screen (100, 100): screen (120, 120)-(160, 150).
class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.hwnd());
    ASSERT_TRUE(button.Create(form.hwnd(), 20, 20, 40, 30));
    button.SetButtonSkin(&skin);
    button.Click = [this] { events.push_back("Click"); };
    button.MouseDown = [this](MouseMask& b, MouseMask&, float& x, float& y) {
      events.push_back("Down " + std::to_string(b) + " " + std::to_string(int(x)) + "," + std::to_string(int(y)));
    };
    button.MouseUp = [this](MouseMask& b, MouseMask&, float&, float&) { events.push_back("Up " + std::to_string(b)); };
    ASSERT_TRUE(test::MoveMouse(400, 400));  // start away from the button
  }
  void TearDown() override {
    test::SendMouse(MOUSEEVENTF_LEFTUP);
    test::SendMouse(MOUSEEVENTF_RIGHTUP);
    test::PumpFor(20);
    DestroyTrackTip();
  }

  COLORREF Painted() { return test::PaintedPixel(button.hWnd(), 5, 5); }
  int Count(const std::string& prefix) const {
    int n = 0;
    for (const auto& e : events) n += e.rfind(prefix, 0) == 0;
    return n;
  }

  test::HostForm form;
  Picture skin = test::SolidSkin(40, 30, {kNormal, kHover, kPressed});
  Button button;
  std::vector<std::string> events;
};

TEST_F(ButtonTest, FrameHeightIsPictureHeightOverThree) {
  const RECT r = SkinFrameRect(40, 90, SkinFrame::Pressed);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.bottom, 90);
  const RECT big = SkinFrameRect(33, 3 * 250, SkinFrame::Hover);  // large frames stay exact
  EXPECT_EQ(big.top, 250);
  EXPECT_EQ(big.bottom - big.top, 250);
  EXPECT_EQ(SkinFrameRect(33, 43, SkinFrame::Normal).bottom, 14);  // a stray row is left out
}

TEST_F(ButtonTest, LeftPressAndReleaseInsideClicksOnceWithTheRightFrames) {
  EXPECT_EQ(Painted(), kNormal);
  ASSERT_TRUE(test::MoveMouseUntil(130, 130, [&] { return button.Hover(); }));
  EXPECT_EQ(Painted(), kHover);
  EXPECT_EQ(GetCapture(), button.hWnd());  // hover is held by the capture

  test::Press(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::WaitFor([&] { return button.Pressed(); }));
  EXPECT_EQ(Painted(), kPressed);

  ASSERT_TRUE(test::MoveMouse(200, 200));  // dragged off: hover frame
  ASSERT_TRUE(test::WaitFor([&] { return !button.Hover(); }));
  EXPECT_TRUE(button.Pressed());
  EXPECT_EQ(Painted(), kHover);

  ASSERT_TRUE(test::MoveMouseUntil(135, 135, [&] { return button.Hover(); }));  // back on: pressed again
  EXPECT_EQ(Painted(), kPressed);

  test::Press(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::WaitFor([&] { return Count("Up") == 1; }));
  EXPECT_EQ(events, (std::vector<std::string>{"Down 1 10,10", "Click", "Up 1"}));
  EXPECT_EQ(Painted(), kNormal);  // until the next move over it

  ASSERT_TRUE(test::MoveMouseUntil(136, 135, [&] { return button.Hover(); }));
  EXPECT_EQ(Painted(), kHover);
  // What the screen shows is the same image.
  UpdateWindow(button.hWnd());
  EXPECT_EQ(test::ScreenPixel(125, 125), kHover);
}

TEST_F(ButtonTest, ReleaseOutsideDoesNotClick) {
  ASSERT_TRUE(test::MoveMouseUntil(130, 130, [&] { return button.Hover(); }));
  test::Press(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::MoveMouse(250, 130));
  test::Press(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::WaitFor([&] { return Count("Up") == 1; }));
  EXPECT_EQ(Count("Click"), 0);
  EXPECT_FALSE(button.Pressed());
  EXPECT_EQ(Painted(), kNormal);
}

TEST_F(ButtonTest, RightButtonNeverClicks) {
  ASSERT_TRUE(test::MoveMouseUntil(130, 130, [&] { return button.Hover(); }));
  test::Press(MOUSEEVENTF_RIGHTDOWN);
  ASSERT_TRUE(test::WaitFor([&] { return Count("Down 2") == 1; }));
  EXPECT_FALSE(button.Pressed());
  EXPECT_EQ(Painted(), kHover);
  test::Press(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(test::WaitFor([&] { return Count("Up 2") == 1; }));
  EXPECT_EQ(Count("Click"), 0);
  EXPECT_FALSE(button.Hover());
  EXPECT_EQ(Painted(), kNormal);
}

TEST_F(ButtonTest, DoubleClickGivesTwoMouseDownsAndTwoClicks) {
  ASSERT_TRUE(test::MoveMouseUntil(130, 130, [&] { return button.Hover(); }));
  test::Press(MOUSEEVENTF_LEFTDOWN);
  test::Press(MOUSEEVENTF_LEFTUP);
  test::Press(MOUSEEVENTF_LEFTDOWN);
  test::Press(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::WaitFor([&] { return Count("Up") == 2; })) << ::testing::PrintToString(events);
  // The second press arrives as a double click, which presses again at (0, 0).
  EXPECT_EQ(events, (std::vector<std::string>{"Down 1 10,10", "Click", "Up 1", "Down 1 0,0", "Click", "Up 1"}));
}

TEST_F(ButtonTest, DragBegunElsewhereChangesNothing) {
  ASSERT_TRUE(test::MoveMouse(230, 130));  // on the form, not the button
  test::Press(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::MoveMouse(130, 130));
  test::PumpFor(50);
  EXPECT_FALSE(button.Hover());
  EXPECT_EQ(Painted(), kNormal);
  test::Press(MOUSEEVENTF_LEFTUP);
  test::PumpFor(50);
  EXPECT_EQ(Count("Click"), 0);
}

TEST_F(ButtonTest, CoveredPartCountsAsLeaving) {
  button.SetTrackTipText(u"tip");
  // A window over the right half of the button.
  test::HostForm cover(145, 110, 60, 60, false);

  ASSERT_TRUE(test::MoveMouseUntil(125, 130, [&] { return button.Hover() && TrackTipVisible(); }));
  ASSERT_TRUE(test::MoveMouse(150, 130));  // still inside the button's rectangle, but covered
  ASSERT_TRUE(test::WaitFor([&] { return !button.Hover(); }));
  EXPECT_FALSE(TrackTipVisible());
  EXPECT_NE(GetCapture(), button.hWnd());
  EXPECT_EQ(Painted(), kNormal);
}

TEST_F(ButtonTest, TipFollowsTheCursorAndGoesOnPress) {
  button.SetTrackTipText(u"Save");
  ASSERT_TRUE(test::MoveMouseUntil(130, 130, [&] { return TrackTipVisible(); }));
  HWND tip = TipWindow();
  ASSERT_TRUE(IsWindowVisible(tip));
  RECT first{};
  GetWindowRect(tip, &first);
  ASSERT_TRUE(test::MoveMouse(140, 135));
  ASSERT_TRUE(test::WaitFor([&] {
    RECT now{};
    GetWindowRect(tip, &now);
    return now.left == first.left + 10 && now.top == first.top + 5;
  }));
  EXPECT_EQ(TipWindow(), tip);  // moved, not recreated
  test::Press(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::WaitFor([&] { return !IsWindowVisible(tip); }));
}

TEST_F(ButtonTest, TextWrittenWhileHoveringShowsAtOnceAndEmptyHides) {
  ASSERT_TRUE(test::MoveMouseUntil(130, 130, [&] { return button.Hover(); }));
  EXPECT_FALSE(TrackTipVisible());
  button.SetTrackTipText(u"Now");
  EXPECT_TRUE(TrackTipVisible());
  button.SetTrackTipText(u"");
  EXPECT_FALSE(TrackTipVisible());
}

TEST_F(ButtonTest, NoSkinLeavesTheOldImage) {
  button.SetButtonSkin(nullptr);
  ASSERT_TRUE(test::MoveMouseUntil(130, 130, [&] { return button.Hover(); }));
  EXPECT_EQ(Painted(), kNormal);
}

TEST_F(ButtonTest, HandlerThatDestroysTheButtonEndsCleanly) {
  auto doomed = std::make_unique<Button>();
  ASSERT_TRUE(doomed->Create(form.hwnd(), 100, 100, 40, 30));
  doomed->SetButtonSkin(&skin);
  doomed->Click = [&] { doomed.reset(); };
  ASSERT_TRUE(test::MoveMouseUntil(210, 210, [&] { return doomed->Hover(); }));
  test::Press(MOUSEEVENTF_LEFTDOWN);
  test::Press(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::WaitFor([&] { return doomed == nullptr; }));
}

TEST(ButtonLeakTest, ThousandButtonsLeaveNoGdiObjects) {
  test::HostForm form;
  Picture skin = test::SolidSkin(20, 10, {kNormal, kHover, kPressed});
  { Button warmup; warmup.Create(form.hwnd(), 0, 0, 20, 10); warmup.SetTrackTipText(u"x"); }
  const long before = LiveGdiObjects();
  for (int i = 0; i < 1000; ++i) {
    std::vector<HGDIOBJ> owned;
    {
      Button b;
      ASSERT_TRUE(b.Create(form.hwnd(), i % 50, 5, 20, 10));
      b.SetButtonSkin(&skin);
      b.SetTrackTipText(u"tip");
      SetWindowPos(b.hWnd(), nullptr, 0, 0, 30, 12, SWP_NOMOVE | SWP_NOZORDER);  // a new image size
      owned = b.OwnedGdiObjects();
      ASSERT_EQ(owned.size(), 2u);
      EXPECT_EQ(LiveGdiObjects(), before + 2);
    }
    for (HGDIOBJ h : owned) ASSERT_EQ(GetObjectType(h), 0u) << "iteration " << i;
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(ButtonLeakTest, DestroyedWithItsFormGivesItsImageBack) {
  auto form = std::make_unique<test::HostForm>();
  Button b;
  ASSERT_TRUE(b.Create(form->hwnd(), 0, 0, 20, 10));
  const std::vector<HGDIOBJ> owned = b.OwnedGdiObjects();
  ASSERT_FALSE(owned.empty());
  form.reset();
  EXPECT_EQ(b.hWnd(), nullptr);
  for (HGDIOBJ h : owned) EXPECT_EQ(GetObjectType(h), 0u);
}

}  // namespace
