#include "controls/checkbox_rules.h"

std::optional<std::uint8_t> CheckBoxStoredValue(int written) {
  if (written < 0 || written > 255) return std::nullopt;
  return static_cast<std::uint8_t>(written > 2 ? 2 : written);
}

std::uint8_t CheckBoxValueAfterClick(std::uint8_t stored) { return stored != 0 ? 0 : 1; }
