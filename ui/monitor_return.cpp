#include "ui/monitor_return.h"

#include <algorithm>
#include <cstdint>

#include "base/dpi.h"

namespace {

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The squared distance between two rectangles (0 when they touch or overlap).
std::int64_t Distance(const Rect& a, const Rect& b) {
  const std::int64_t dx = std::max<std::int64_t>({0, std::int64_t{b.left} - a.right, std::int64_t{a.left} - b.right});
  const std::int64_t dy = std::max<std::int64_t>({0, std::int64_t{b.top} - a.bottom, std::int64_t{a.top} - b.bottom});
  return dx * dx + dy * dy;
}

// The position in [low, high - size] nearest to `at`; `low` when the size does not fit.
std::int32_t Inside(std::int64_t at, std::int64_t size, std::int32_t low, std::int32_t high) {
  return static_cast<std::int32_t>(std::max<std::int64_t>(low, std::min(at, high - size)));
}

}  // namespace

std::optional<ReturnPlace> ReturnOntoMonitor(const Rect& window, int dpi, const std::vector<LiveMonitor>& monitors) {
  if (monitors.empty() || dpi <= 0) return std::nullopt;
  for (const LiveMonitor& m : monitors)
    if (Overlap(window, m.whole)) return std::nullopt;
  const LiveMonitor& nearest = *std::min_element(monitors.begin(), monitors.end(), [&window](const auto& a, const auto& b) {
    return Distance(window, a.whole) < Distance(window, b.whole);
  });
  const std::int64_t width = dpi_detail::MulDiv(Width(window), nearest.dpi, dpi);
  const std::int64_t height = dpi_detail::MulDiv(Height(window), nearest.dpi, dpi);
  const Rect& work = nearest.work;
  const std::int32_t x = Inside(window.left, width, work.left, work.right);
  const std::int32_t y = Inside(window.top, height, work.top, work.bottom);
  return ReturnPlace{{x, y, static_cast<std::int32_t>(x + width), static_cast<std::int32_t>(y + height)}, nearest.dpi};
}
