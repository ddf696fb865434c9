#include "controls/tip_placement.h"

#include <limits>

namespace {
std::optional<std::int32_t> In32(double v) {
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(v);
}
}  // namespace

Text TipDisplayText(const Text& text, bool multiline) {
  Text out;
  out.reserve(text.size() + 4);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (!multiline && c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++i;
      continue;
    }
    out += c;
    if (c == u'&') out += u'&';
  }
  return out;
}

std::int32_t TipMargin(int dpi) { return Scale(3, dpi); }

std::int32_t TipTrackX(std::int32_t x, int dpi) {
  const std::int32_t margin = TipMargin(dpi);
  return (x < margin ? margin : x) - margin;
}

std::optional<std::uint32_t> TrackPositionParam(std::int32_t x, std::int32_t y, int dpi) {
  if (y < -32768 || y > 32767) return std::nullopt;
  const std::uint32_t low = static_cast<std::uint32_t>(TipTrackX(x, dpi)) & 0xFFFFu;
  const std::uint32_t high = static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(y)));
  return low | (high << 16);
}

// Half of a 32-bit width always fits.
std::int32_t HalfWidth(std::int32_t width) { return *RoundHalfEven(width / 2.0); }

// Each partial sum is checked, as each addition of 32-bit values would overflow on its own.
std::optional<std::int32_t> CheckedSum(std::int64_t a, std::int64_t b, std::int64_t c) {
  const std::optional<std::int32_t> first = In32(static_cast<double>(a + b));
  if (!first) return std::nullopt;
  return In32(static_cast<double>(*first + c));
}
