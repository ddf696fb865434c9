#include "controls/optionbox.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/win32/links/links_support.h"

namespace {

constexpr COLORREF kFormColor = RGB(250, 250, 255);

// Three option boxes directly on a form at screen (100, 100), at form rows 10, 30, 50, and two in
// a frame at form (150, 10).
class OptionBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.hwnd());
    ASSERT_TRUE(frame.hwnd());
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(onForm[i].Create(form.hwnd(), 10, 10 + 20 * i, 100, 18));
      onForm[i].SetCaption(u"Mode " + std::u16string(1, static_cast<char16_t>(u'0' + i)));
      onForm[i].Click = [this, i] { events.push_back("Click " + std::to_string(i)); };
    }
    for (int i = 0; i < 2; ++i) {
      ASSERT_TRUE(inFrame[i].Create(frame.hwnd(), 0, 20 * i, 100, 18));
      inFrame[i].Click = [this, i] { events.push_back("Frame click " + std::to_string(i)); };
    }
    onForm[0].MouseUp = [this](MouseMask&, MouseMask&, float&, float&) { events.push_back("Up"); };
    onForm[1].MouseUp = onForm[0].MouseUp;
    ASSERT_TRUE(links::MoveMouse(500, 500));
  }
  void TearDown() override { links::ReleaseButtons(); }

  std::vector<bool> Values() const {
    return {onForm[0].value(), onForm[1].value(), onForm[2].value(), inFrame[0].value(), inFrame[1].value()};
  }
  // The glyph as painted equals the skin's cell over what the control's container shows.
  void ExpectCell(const OptionBox& box, int cellX, int cellY) {
    const COLORREF ground = links::Pixels(box.ContainerHwnd()).at(0, 0);
    const links::Pixels pixels(box.hWnd());
    EXPECT_EQ(links::GlyphAt(pixels, box.GlyphTop()), links::ExpectedGlyph(L"SKIN_OPTIONBOX", cellX, cellY, ground))
        << "expected cell " << cellX << "," << cellY;
  }
  void ClickOn(int formRow) {
    ASSERT_TRUE(links::MoveMouse(115, 100 + formRow + 9));
    links::Press(MOUSEEVENTF_LEFTDOWN);
    links::Press(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(links::WaitFor([&] { return !events.empty() && events.back() == "Up"; }));
  }

  links::HostForm form{100, 100, 300, 120, kFormColor};
  links::Container frame{form.hwnd(), 150, 10, 120, 60};
  std::array<OptionBox, 3> onForm;
  std::array<OptionBox, 2> inFrame;
  std::vector<std::string> events;
};

TEST_F(OptionBoxTest, ContainerIsTheWindowThatHoldsTheControl) {
  EXPECT_EQ(onForm[2].ContainerHwnd(), form.hwnd());
  EXPECT_EQ(inFrame[1].ContainerHwnd(), frame.hwnd());
}

TEST_F(OptionBoxTest, WritingTrueTurnsOffTheOneOnWithoutEvents) {
  onForm[0].SetValue(true);
  inFrame[0].SetValue(true);
  onForm[2].SetValue(true);
  EXPECT_EQ(Values(), (std::vector<bool>{false, false, true, true, false}));
  EXPECT_TRUE(events.empty());
  ExpectCell(onForm[0], 0, 0);  // repainted off
  ExpectCell(onForm[2], 13, 0);
  ExpectCell(inFrame[0], 13, 0);
}

TEST_F(OptionBoxTest, WritingFalseToTheSelectedLeavesNoneSelected) {
  onForm[1].SetValue(true);
  onForm[1].SetValue(false);
  EXPECT_EQ(Values(), (std::vector<bool>{false, false, false, false, false}));
  ExpectCell(onForm[1], 0, 0);
}

TEST_F(OptionBoxTest, ClickTurnsTheOthersOfItsContainerOffAndLeavesOtherContainersAlone) {
  onForm[0].SetValue(true);
  inFrame[1].SetValue(true);
  ClickOn(30);  // onForm[1]
  EXPECT_EQ(Values(), (std::vector<bool>{false, true, false, false, true}));
  EXPECT_EQ(events, (std::vector<std::string>{"Click 1", "Up"}));
  ExpectCell(onForm[0], 0, 0);  // the others repaint at once

  // Clicking the one that is on keeps it on and clicks again.
  ClickOn(30);
  EXPECT_EQ(Values(), (std::vector<bool>{false, true, false, false, true}));
  EXPECT_EQ(events, (std::vector<std::string>{"Click 1", "Up", "Click 1", "Up"}));
}

TEST_F(OptionBoxTest, RightClickChangesNothing) {
  ASSERT_TRUE(links::MoveMouse(115, 119));
  links::Press(MOUSEEVENTF_RIGHTDOWN);
  links::Press(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(links::WaitFor([&] { return !events.empty(); }));
  EXPECT_EQ(events, (std::vector<std::string>{"Up"}));
  EXPECT_FALSE(onForm[0].value());
}

TEST_F(OptionBoxTest, DisabledGlyphComesFromTheThirdColumn) {
  onForm[0].SetEnabled(false);
  ExpectCell(onForm[0], 26, 0);
  onForm[0].SetValue(true);
  ExpectCell(onForm[0], 26, 13);
  onForm[0].SetEnabled(true);
  ExpectCell(onForm[0], 13, 0);
}

// Option boxes on different forms never meet, even in the same kind of container.
TEST_F(OptionBoxTest, AnotherFormIsAnotherGroup) {
  links::HostForm other(100, 300, 200, 60, kFormColor, false);
  OptionBox stranger;
  ASSERT_TRUE(stranger.Create(other.hwnd(), 10, 10, 100, 18));
  onForm[0].SetValue(true);
  stranger.SetValue(true);
  EXPECT_TRUE(onForm[0].value());
  EXPECT_TRUE(stranger.value());
}

}  // namespace
