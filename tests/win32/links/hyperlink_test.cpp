#include "controls/hyperlink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/track_tip.h"
#include "tests/win32/links/links_support.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/wide.h"

namespace {

constexpr COLORREF kFormColor = RGB(240, 230, 210);
constexpr COLORREF kBlue = RGB(0, 0, 255);  // 0xFF0000
constexpr COLORREF kRed = RGB(255, 0, 0);   // 0x0000FF

int FontHeight() {
  WindowDC screen(nullptr);
  SelectScope select(screen.get(), ControlFont());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.get(), &metrics);
  return metrics.tmHeight;
}

SIZE WindowSize(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// A link at (20, 20) on a form at screen (100, 100).
class HyperLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.hwnd());
    ASSERT_TRUE(link.Create(form.hwnd(), 20, 20, 200, 50));
    link.SetPrompt(u"Visit the home page");
    link.Click = [this] { events.push_back("Click"); };
    link.MouseUp = [this](MouseMask& b, MouseMask&, float&, float&) { events.push_back("Up " + std::to_string(b)); };
    ASSERT_TRUE(links::MoveMouse(500, 500));
  }
  void TearDown() override {
    links::ReleaseButtons();
    DestroyTrackTip();
  }

  // The underline row: the one below the text.
  int UnderlineRow() const { return WindowSize(link.hWnd()).cy - 1; }
  int Count(const std::string& e) const { return static_cast<int>(std::count(events.begin(), events.end(), e)); }

  links::HostForm form{100, 100, 300, 200, kFormColor};
  HyperLink link;
  std::vector<std::string> events;
};

TEST_F(HyperLinkTest, EveryPromptWriteSizesTheLinkToItsText) {
  const int height = FontHeight() + 1;
  for (const char16_t* prompt : {u"Visit", u"A much longer link text", u"홈페이지", u"x"}) {
    link.SetPrompt(prompt);
    const SIZE size = WindowSize(link.hWnd());
    EXPECT_EQ(size.cx, TextWidth(ControlFont(), Wide(prompt)));
    EXPECT_GT(size.cx, 0);
    EXPECT_EQ(size.cy, height);
  }
  RECT r{};
  GetWindowRect(link.hWnd(), &r);
  EXPECT_EQ(r.left, 120);  // sizing keeps the place
  EXPECT_EQ(r.top, 120);
}

TEST_F(HyperLinkTest, ResizeFromTheFormEndsWithTheTextSize) {
  const SIZE text = WindowSize(link.hWnd());
  SetWindowPos(link.hWnd(), nullptr, 0, 0, 250, 60, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(WindowSize(link.hWnd()).cx, text.cx);
  EXPECT_EQ(WindowSize(link.hWnd()).cy, text.cy);
  MoveWindow(link.hWnd(), 30, 40, 5, 5, TRUE);
  EXPECT_EQ(WindowSize(link.hWnd()).cx, text.cx);
  EXPECT_EQ(WindowSize(link.hWnd()).cy, text.cy);
  // The retained image has the final size too.
  const links::Pixels pixels(link.hWnd());
  EXPECT_EQ(pixels.width(), text.cx);
  EXPECT_EQ(pixels.height(), text.cy);
}

TEST_F(HyperLinkTest, EmptyPromptKeepsTheSizeGivenAndShowsTheFormBackground) {
  link.SetPrompt(u"");
  SetWindowPos(link.hWnd(), nullptr, 0, 0, 40, 10, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(WindowSize(link.hWnd()).cx, 40);
  EXPECT_EQ(WindowSize(link.hWnd()).cy, 10);
  const links::Pixels pixels(link.hWnd());
  EXPECT_EQ(pixels.Count(kFormColor, RECT{0, 0, 40, 10}), 400);
}

TEST_F(HyperLinkTest, IdleIsBlueWithoutUnderlineOnTheFormBackground) {
  const links::Pixels pixels(link.hWnd());
  const int row = UnderlineRow();
  EXPECT_GT(pixels.Count(kBlue, RECT{0, 0, pixels.width(), row}), 0);
  EXPECT_EQ(pixels.Count(kRed, RECT{0, 0, pixels.width(), pixels.height()}), 0);
  EXPECT_EQ(pixels.Count(kFormColor, RECT{0, row, pixels.width(), row + 1}), pixels.width());
}

TEST_F(HyperLinkTest, PressedAndHoveredIsRedUnderlinedAndDraggedOffBlueUnderlined) {
  ASSERT_TRUE(links::MoveMouse(125, 125));
  ASSERT_TRUE(links::WaitFor([&] { return link.Hover(); }));
  {
    const links::Pixels pixels(link.hWnd());
    EXPECT_EQ(pixels.Count(kBlue, RECT{0, UnderlineRow(), pixels.width(), UnderlineRow() + 1}), pixels.width());
  }
  links::Press(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(links::WaitFor([&] { return link.Pressed(); }));
  {
    const links::Pixels pixels(link.hWnd());
    const int row = UnderlineRow();
    EXPECT_GT(pixels.Count(kRed, RECT{0, 0, pixels.width(), row}), 0);
    EXPECT_EQ(pixels.Count(kBlue, RECT{0, 0, pixels.width(), pixels.height()}), 0);
    EXPECT_EQ(pixels.Count(kRed, RECT{0, row, pixels.width(), row + 1}), pixels.width());  // the underline
  }
  ASSERT_TRUE(links::MoveMouse(125, 190));  // dragged off
  ASSERT_TRUE(links::WaitFor([&] { return !link.Hover(); }));
  {
    const links::Pixels pixels(link.hWnd());
    EXPECT_EQ(pixels.Count(kRed, RECT{0, 0, pixels.width(), pixels.height()}), 0);
    EXPECT_EQ(pixels.Count(kBlue, RECT{0, UnderlineRow(), pixels.width(), UnderlineRow() + 1}), pixels.width());
  }
  ASSERT_TRUE(links::MoveMouse(126, 125));  // back on
  ASSERT_TRUE(links::WaitFor([&] { return link.Hover(); }));
  links::Press(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(links::WaitFor([&] { return Count("Up 1") == 1; }));
  EXPECT_EQ(events, (std::vector<std::string>{"Click", "Up 1"}));
}

TEST_F(HyperLinkTest, ReleaseOutsideDoesNotClick) {
  ASSERT_TRUE(links::MoveMouse(125, 125));
  links::Press(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(links::MoveMouse(125, 190));
  links::Press(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(links::WaitFor([&] { return Count("Up 1") == 1; }));
  EXPECT_EQ(Count("Click"), 0);
}

TEST_F(HyperLinkTest, TipFollowsTheCursor) {
  link.SetTrackTipText(u"http://example.invalid/");
  ASSERT_TRUE(links::MoveMouse(125, 125));
  ASSERT_TRUE(links::WaitFor([&] { return TrackTipVisible(); }));
  HWND tip = TipWindow();
  RECT first{};
  GetWindowRect(tip, &first);
  ASSERT_TRUE(links::MoveMouse(131, 126));
  ASSERT_TRUE(links::WaitFor([&] {
    RECT now{};
    GetWindowRect(tip, &now);
    return now.left == first.left + 6 && now.top == first.top + 1;
  }));
  ASSERT_TRUE(links::MoveMouse(125, 190));
  ASSERT_TRUE(links::WaitFor([&] { return !TrackTipVisible(); }));
}

}  // namespace
