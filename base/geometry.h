#pragma once
// Screen geometry and window identities as the portable logic sees them.
#include <cstdint>

using WindowId = std::uintptr_t;  // a window handle as a number; 0 is none

// Screen or client pixels.
struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Left, top, right and bottom edges, as the platform reports them.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The rectangle of a box placed at (x, y) with the given size.
constexpr Rect Box(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  return {x, y, x + width, y + height};
}
// Wide enough for any two edges (a size can exceed the 32-bit range).
constexpr std::int64_t Width(const Rect& r) { return std::int64_t{r.right} - r.left; }
constexpr std::int64_t Height(const Rect& r) { return std::int64_t{r.bottom} - r.top; }

// The top-left corner of a box of that size centred in the area (halves rounded toward zero).
constexpr Point CentredIn(const Rect& area, std::int32_t width, std::int32_t height) {
  return {static_cast<std::int32_t>(area.left + (Width(area) - width) / 2),
          static_cast<std::int32_t>(area.top + (Height(area) - height) / 2)};
}

