#include <gtest/gtest.h>

#include <stdexcept>

#include "controls/tip_placement.h"

namespace {

TEST(TipPlacementTest, RoundHalfEven) {
  struct Case { double in; std::int32_t out; } cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-7.25, -7}, {10, 10}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
  EXPECT_THROW(RoundHalfEven(3e9), std::overflow_error);
}

TEST(TipPlacementTest, LeftEdgeIsThreeLeftOfRequestNeverBelowZero) {
  struct Case { std::int32_t x, left; } cases[] = {{-50, 0}, {0, 0}, {2, 0}, {3, 0}, {4, 1}, {100, 97}};
  for (const auto& c : cases) EXPECT_EQ(TipTrackX(c.x), c.left) << c.x;
}

TEST(TipPlacementTest, TrackPositionPacksLeftAndY) {
  EXPECT_EQ(TrackPositionParam(103, 40), (40u << 16) | 100u);
  EXPECT_EQ(TrackPositionParam(1, 0), 0u);
  EXPECT_EQ(TrackPositionParam(10, -1), 0xFFFF0007u);
  EXPECT_EQ(TrackPositionParam(10, 32767), 0x7FFF0007u);
  EXPECT_THROW(TrackPositionParam(10, 32768), std::overflow_error);
  EXPECT_THROW(TrackPositionParam(10, -32769), std::overflow_error);
}

TEST(TipPlacementTest, DisplayText) {
  struct Case { Text in; bool multiline; Text out; } cases[] = {
      {u"Save & quit", false, u"Save && quit"},
      {u"&&", false, u"&&&&"},
      {u"a\r\nb", false, u"ab"},
      {u"a\r\nb", true, u"a\r\nb"},
      {u"a\nb\r", false, u"a\nb\r"},  // only whole CR LF pairs go
      {u"a\r\r\nb", false, u"a\rb"},
      {u"R&\r\nD", false, u"R&&D"},
      {u"", false, u""},
  };
  for (const auto& c : cases) EXPECT_EQ(TipDisplayText(c.in, c.multiline), c.out);
}

TEST(TipPlacementTest, HalfWidthAndCheckedSum) {
  EXPECT_EQ(HalfWidth(14), 7);
  EXPECT_EQ(HalfWidth(13), 6);  // 6.5 -> 6
  EXPECT_EQ(HalfWidth(15), 8);  // 7.5 -> 8
  EXPECT_EQ(CheckedSum(2147483600, 40, 7), 2147483647);
  EXPECT_THROW(CheckedSum(2147483600, 40, 8), std::overflow_error);
  EXPECT_THROW(CheckedSum(-2147483600, -60, 15), std::overflow_error);  // the first sum already overflows
}

}  // namespace
