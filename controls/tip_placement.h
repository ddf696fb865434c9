#pragma once
// Arithmetic of the tracking tooltip, shared by the tooltip window, the path-box tracker and the
// skinned controls.
#include <cstdint>
#include <optional>

#include "base/dpi.h"
#include "base/geometry.h"
#include "base/rounding.h"
#include "base/utf.h"

// The text as the tooltip window is given it: "&" doubled so that it shows as one ampersand (the
// tooltip would take it as a mnemonic prefix), and, for a single-line tip, every CR LF pair
// removed rather than shown as a line break.
Text TipDisplayText(const Text& text, bool multiline);

// Where a tip that follows the pointer sits: its middle 15 pixels right of the pointer, its top 25
// pixels below (at 96 DPI).
inline constexpr Point kTipOffset{15, 25};

// The tooltip's side margin: 3 pixels at 96 DPI.
std::int32_t TipMargin(int dpi);

// The tooltip's left edge for a requested x: the margin to the left, never left of 0.
std::int32_t TipTrackX(std::int32_t x, int dpi = kBaseDpi);

// The lParam of the track-position message for a requested point: the left edge in the low and
// y in the high 16 bits; nothing for a y outside the signed 16-bit range.
std::optional<std::uint32_t> TrackPositionParam(std::int32_t x, std::int32_t y, int dpi = kBaseDpi);

// Half the width of a text, rounded half to even (the controls centre their tips with it).
std::int32_t HalfWidth(std::int32_t width);

// Sum of 32-bit values; nothing when a partial sum leaves the 32-bit signed range.
std::optional<std::int32_t> CheckedSum(std::int64_t a, std::int64_t b, std::int64_t c = 0);
