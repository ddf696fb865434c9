#pragma once
// Lengths at a display's DPI. Every length of the layout is given at 96 DPI and scaled with one
// rule, the platform's MulDiv(v, dpi, 96): rounded to nearest, halves away from zero (negatives
// too). Positions and sizes are scaled each on its own, never the edges, so that a box keeps its
// scaled size wherever it lies.
#include <cstdint>

#include "base/geometry.h"

inline constexpr int kBaseDpi = 96;  // the DPI at which the layout's lengths hold unchanged

namespace dpi_detail {
// v * num / den with a 64-bit intermediate, halves away from zero; den > 0. Out of range results
// stop at the 32-bit limits instead of wrapping.
constexpr std::int32_t MulDiv(std::int64_t v, std::int64_t num, std::int64_t den) {
  const std::int64_t p = v * num;
  const std::int64_t q = p >= 0 ? (p + den / 2) / den : -((-p + den / 2) / den);
  return q > INT32_MAX ? INT32_MAX : q < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(q);
}
}  // namespace dpi_detail

// A position or size given at 96 DPI, at `dpi`.
constexpr std::int32_t Scale(std::int32_t v, int dpi) { return dpi_detail::MulDiv(v, dpi, kBaseDpi); }

// A line width: scaled, but never thinner than one pixel.
constexpr std::int32_t ScaleLine(std::int32_t width, int dpi) {
  const std::int32_t w = Scale(width, dpi);
  return w < 1 ? 1 : w;
}

// The font height (negative: the character height, as LOGFONT takes it) of a point size at `dpi`:
// -MulDiv(points, dpi, 72), taken in hundredths of a point so that 8.25 pt is exact too.
constexpr std::int32_t FontHeight(double points, int dpi) {
  const auto hundredths = static_cast<std::int64_t>(points * 100.0 + (points < 0 ? -0.5 : 0.5));
  return -dpi_detail::MulDiv(hundredths, dpi, 7200);
}

// A box placed at (x, y) with the given size, all four given at 96 DPI, at `dpi`.
constexpr Rect ScaleBox(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, int dpi) {
  return Box(Scale(x, dpi), Scale(y, dpi), Scale(width, dpi), Scale(height, dpi));
}
