#pragma once
// The one rounding rule of the program's own arithmetic (tip places, the keyboard move's grip, the
// settings file's numbers): to the nearest integer, a half going to the even neighbour, whatever
// the processor's rounding mode.
#include <cstdint>
#include <optional>

// Nothing outside the 32-bit signed range (NaN included).
std::optional<std::int32_t> RoundHalfEven(double value);
