#include "controls/checkbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/track_tip.h"
#include "tests/win32/links/links_support.h"

namespace {

// Where the tooltip puts its text box: the track position, inside the window's border.
POINT TipOrigin(HWND tip) {
  POINT p{0, 0};
  ClientToScreen(tip, &p);
  return p;
}

constexpr COLORREF kFormColor = RGB(230, 240, 200);
constexpr COLORREF kGrey = 0xA0A0A0;
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A 120 x 18 check box (the settings dialog's height) at (20, 20) on a form at screen (100, 100).
class CheckBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.hwnd());
    ASSERT_TRUE(box.Create(form.hwnd(), 20, 20, 120, 18));
    box.SetCaption(u"Omake");
    box.Click = [this] { events.push_back("Click " + std::to_string(box.value())); };
    box.MouseUp = [this](MouseMask& b, MouseMask&, float&, float&) { events.push_back("Up " + std::to_string(b)); };
    ASSERT_TRUE(links::MoveMouse(500, 500));
  }
  void TearDown() override {
    links::ReleaseButtons();
    DestroyTrackTip();
  }

  // The glyph as painted equals the skin's cell over the form's colour.
  void ExpectCell(int cellX, int cellY) {
    const links::Pixels pixels(box.hWnd());
    EXPECT_EQ(links::GlyphAt(pixels, box.GlyphTop()), links::ExpectedGlyph(L"SKIN_CHECKBOX", cellX, cellY, kFormColor))
        << "expected cell " << cellX << "," << cellY;
  }
  int Count(const std::string& prefix) const {
    int n = 0;
    for (const auto& e : events) n += e.rfind(prefix, 0) == 0;
    return n;
  }
  void ClickAt(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    ASSERT_TRUE(links::MoveMouse(x, y));
    links::Press(down);
    links::Press(up);
  }

  links::HostForm form{100, 100, 300, 200, kFormColor};
  CheckBox box;
  std::vector<std::string> events;
};

TEST_F(CheckBoxTest, WritingFiveStoresTwoAndEveryWriteRaisesClick) {
  ExpectCell(0, 0);
  box.SetValue(5);
  EXPECT_EQ(box.value(), 2);
  ExpectCell(26, 0);  // the filled square
  box.SetValue(2);    // unchanged, still an event
  box.SetValue(0);
  EXPECT_EQ(events, (std::vector<std::string>{"Click 2", "Click 2", "Click 0"}));
  ExpectCell(0, 0);
  EXPECT_THROW(box.SetValue(-1), std::out_of_range);
  EXPECT_EQ(box.value(), 0);
  EXPECT_EQ(Count("Click"), 3);
}

TEST_F(CheckBoxTest, GlyphTopFollowsTheHeight) {
  EXPECT_EQ(box.GlyphTop(), 2);
  SetWindowPos(box.hWnd(), nullptr, 0, 0, 120, 12, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(box.GlyphTop(), -1);
  SetWindowPos(box.hWnd(), nullptr, 0, 0, 120, 13, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(box.GlyphTop(), 0);
  ExpectCell(0, 0);
  SetWindowPos(box.hWnd(), nullptr, 0, 0, 120, 30, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(box.GlyphTop(), 8);
  ExpectCell(0, 0);
}

TEST_F(CheckBoxTest, LeftClickTogglesAndTheThirdStateUnchecks) {
  ClickAt(125, 128);
  ASSERT_TRUE(links::WaitFor([&] { return Count("Up") == 1; }));
  EXPECT_EQ(box.value(), 1);
  box.SetValue(2);
  events.clear();
  ClickAt(126, 128);
  ASSERT_TRUE(links::WaitFor([&] { return Count("Up") == 1; }));
  EXPECT_EQ(events, (std::vector<std::string>{"Click 0", "Up 1"}));  // Click comes before MouseUp
  EXPECT_EQ(box.value(), 0);
  // The release painted the old value; the next move over the control shows the new one, hovered.
  ASSERT_TRUE(links::MoveMouse(127, 128));
  ASSERT_TRUE(links::WaitFor([&] { return box.Hover(); }));
  ExpectCell(0, 13);
}

TEST_F(CheckBoxTest, RightClickChangesNothing) {
  box.SetValue(1);
  events.clear();
  ClickAt(125, 128, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(links::WaitFor([&] { return Count("Up 2") == 1; }));
  EXPECT_EQ(box.value(), 1);
  EXPECT_EQ(Count("Click"), 0);
  EXPECT_FALSE(box.Pressed());
}

TEST_F(CheckBoxTest, ReleaseOutsideChangesNothing) {
  ASSERT_TRUE(links::MoveMouse(125, 128));
  links::Press(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(links::WaitFor([&] { return box.Pressed() && box.Hover(); }));
  ExpectCell(0, 26);  // pressed
  ASSERT_TRUE(links::MoveMouse(125, 160));
  ASSERT_TRUE(links::WaitFor([&] { return !box.Hover(); }));
  ExpectCell(0, 13);  // pressed, dragged off
  links::Press(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(links::WaitFor([&] { return Count("Up") == 1; }));
  EXPECT_EQ(box.value(), 0);
  EXPECT_EQ(Count("Click"), 0);
}

TEST_F(CheckBoxTest, DisabledCaptionIsGreyAndTheGlyphComesFromTheLastColumn) {
  const RECT caption{19, 0, 120, 18};
  EXPECT_GT(links::Pixels(box.hWnd()).Count(kBlack, caption), 0);
  box.SetValue(1);
  box.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(box.hWnd()));
  {
    const links::Pixels pixels(box.hWnd());
    EXPECT_EQ(pixels.Count(kBlack, caption), 0);
    EXPECT_GT(pixels.Count(kGrey, caption), 0);
  }
  ExpectCell(39, 13);
  box.SetValue(2);
  ExpectCell(39, 26);
  box.SetEnabled(true);
  {
    const links::Pixels pixels(box.hWnd());
    EXPECT_GT(pixels.Count(kBlack, caption), 0);
    EXPECT_EQ(pixels.Count(kGrey, caption), 0);
  }
  ExpectCell(26, 0);
}

TEST_F(CheckBoxTest, CaptionStartsRightOfTheGlyphBelowItsTop) {
  const links::Pixels pixels(box.hWnd());
  int left = 1000, top = 1000;
  for (int y = 0; y < pixels.height(); ++y) {
    for (int x = 13; x < pixels.width(); ++x) {
      if (pixels.at(x, y) != kFormColor) {
        left = std::min(left, x);
        top = std::min(top, y);
      }
    }
  }
  EXPECT_GE(left, 19);
  EXPECT_LE(left, 21);
  EXPECT_GE(top, box.GlyphTop() + 1);
  // A new caption clears the old one: nothing is left beyond the shorter text.
  box.SetCaption(u"O");
  const links::Pixels after(box.hWnd());
  EXPECT_EQ(after.Count(kFormColor, RECT{40, 0, 120, 18}), 80 * 18);
}

TEST_F(CheckBoxTest, TipIsAnchoredAndHoveringItKeepsTheControlHovered) {
  box.SetTrackTipText(u"Extra switch");
  ASSERT_TRUE(links::MoveMouse(125, 128));
  ASSERT_TRUE(links::WaitFor([&] { return box.Hover() && TrackTipVisible(); }));
  HWND tip = TipWindow();
  EXPECT_EQ(box.OwnTipWindow(), reinterpret_cast<WindowId>(tip));
  EXPECT_EQ(TipOrigin(tip).x, 120 + 16 - 3);  // the control's left + 16, less the tip's margin
  EXPECT_EQ(TipOrigin(tip).y, 120);           // level with the control's top
  RECT shown{};
  GetWindowRect(tip, &shown);

  // The tip lies over the control: the pointer on it still hovers the control.
  const int onTipX = shown.left + 4, onTipY = shown.top + 3;
  ASSERT_TRUE(links::MoveMouse(onTipX, onTipY));
  ASSERT_EQ(WindowFromPoint(POINT{onTipX, onTipY}), tip);
  links::PumpFor(50);
  EXPECT_TRUE(box.Hover());
  EXPECT_TRUE(TrackTipVisible());
  RECT now{};
  GetWindowRect(tip, &now);
  EXPECT_EQ(now.left, shown.left);  // the anchored tip does not follow the cursor
  EXPECT_EQ(now.top, shown.top);

  ASSERT_TRUE(links::MoveMouse(125, 170));  // off the control and the tip
  ASSERT_TRUE(links::WaitFor([&] { return !box.Hover(); }));
  EXPECT_FALSE(TrackTipVisible());
}

TEST_F(CheckBoxTest, AnotherWindowOverTheControlCountsAsLeaving) {
  box.SetTrackTipText(u"tip");
  links::HostForm cover(190, 110, 80, 40, RGB(0, 0, 0), false);
  ASSERT_TRUE(links::MoveMouse(125, 128));
  ASSERT_TRUE(links::WaitFor([&] { return box.Hover() && TrackTipVisible(); }));
  ASSERT_TRUE(links::MoveMouse(200, 128));  // inside the control's rectangle, under the cover
  ASSERT_TRUE(links::WaitFor([&] { return !box.Hover(); }));
  EXPECT_FALSE(TrackTipVisible());
}

TEST_F(CheckBoxTest, TipTextWrittenWhileHoveringShowsAtTheAnchorAndEmptyHides) {
  ASSERT_TRUE(links::MoveMouse(125, 128));
  ASSERT_TRUE(links::WaitFor([&] { return box.Hover(); }));
  EXPECT_FALSE(TrackTipVisible());
  box.SetTrackTipText(u"Now");
  ASSERT_TRUE(TrackTipVisible());
  EXPECT_EQ(TipOrigin(TipWindow()).x, 133);
  EXPECT_EQ(TipOrigin(TipWindow()).y, 120);
  box.SetTrackTipText(u"");
  EXPECT_FALSE(TrackTipVisible());
}

}  // namespace
