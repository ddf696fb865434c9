#pragma once
// Screen geometry and window identities as the portable logic sees them.
#include <cstdint>

using WindowId = std::uintptr_t;  // a window handle as a number; 0 is none

struct ScreenPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct ScreenRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};
