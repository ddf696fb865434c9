#pragma once
// The check box's value rules that need no window: how its value is stored and clicked.
#include <cstdint>
#include <optional>

// The check box's value as stored for a written number: 0 unchecked, 1 checked, 2 third state; a
// number above 2 is stored as 2. The value is an 8-bit number: one outside 0..255 gives nothing,
// as the system's 8-bit property refuses it.
std::optional<std::uint8_t> CheckBoxStoredValue(int written);

// The check box's value after a click: unchecked becomes checked, checked and the third state
// become unchecked.
std::uint8_t CheckBoxValueAfterClick(std::uint8_t stored);
