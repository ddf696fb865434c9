// Lengths at a display's DPI: one rounding rule, halves away from zero.
#include <gtest/gtest.h>

#include <cstdint>

#include "base/dpi.h"
#include "tests/geometry_print.h"

namespace {

TEST(Dpi, ScaleRows) {
  struct Row { std::int32_t v; int dpi; std::int32_t scaled; };
  const Row rows[] = {
      {1280, 96, 1280}, {-7, 96, -7},  {0, 144, 0},   {INT32_MAX, 96, INT32_MAX},  // 64-bit product
      {10, 120, 13},    {2, 120, 3},   {-2, 120, -3}, {1, 120, 1},   {3, 120, 4},  // halves away from 0
      {1, 144, 2},      {-1, 144, -2}, {3, 144, 5},   {10, 144, 15},
      {10, 168, 18},    {1, 168, 2},   {-10, 168, -18},
      {10, 192, 20},    {-5, 192, -10}, {INT32_MAX, 192, INT32_MAX}, {INT32_MIN, 192, INT32_MIN},
  };
  for (const Row& r : rows) EXPECT_EQ(Scale(r.v, r.dpi), r.scaled) << r.v << " at " << r.dpi;
}

TEST(Dpi, LinesFontsAndBoxes) {
  struct Line { std::int32_t w; int dpi; std::int32_t scaled; };
  for (const Line& r : {Line{1, 96, 1}, Line{1, 120, 1}, Line{1, 144, 2}, Line{2, 192, 4}, Line{1, 40, 1}, Line{0, 192, 1}})
    EXPECT_EQ(ScaleLine(r.w, r.dpi), r.scaled) << r.w << " at " << r.dpi;
  // At 96 DPI the heights the fonts have always had: 9 pt -12, 8.25 pt -11.
  struct Font { double points; int dpi; std::int32_t height; };
  for (const Font& r : {Font{9, 96, -12}, Font{8.25, 96, -11}, Font{9, 120, -15}, Font{8.25, 120, -14},
                        Font{9, 144, -18}, Font{8.25, 144, -17}, Font{8.25, 168, -19}, Font{8.25, 192, -22}})
    EXPECT_EQ(FontHeight(r.points, r.dpi), r.height) << r.points << " pt at " << r.dpi;
  // Position and size each on their own: the right edge is 12 + 446, not 305 scaled (457.5).
  EXPECT_EQ(ScaleBox(8, 3, 297, 17, 144), (Rect{12, 5, 458, 31}));
  EXPECT_EQ(ScaleBox(8, 3, 297, 17, 96), Box(8, 3, 297, 17));
}

}  // namespace
