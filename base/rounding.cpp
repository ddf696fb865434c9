#include "base/rounding.h"

#include <cmath>
#include <limits>

std::optional<std::int32_t> RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  double rounded = floor;
  if (diff > 0.5) {
    rounded = floor + 1;
  } else if (diff == 0.5) {
    rounded = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
  }
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
    return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}
