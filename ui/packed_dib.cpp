#include "ui/packed_dib.h"

#include <array>

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t ReadU32(const unsigned char* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
std::uint16_t ReadU16(const unsigned char* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::int32_t ReadI32(const unsigned char* p) { return static_cast<std::int32_t>(ReadU32(p)); }

// A usable mask is one whole byte of the pixel (or zero for an absent channel); returns its shift.
std::optional<int> ByteShift(std::uint32_t mask) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (mask == (0xFFu << shift)) return shift;
  }
  return std::nullopt;
}

}  // namespace

std::optional<DibPixels> DecodePackedDib(const void* data, std::size_t size) {
  if (data == nullptr || size < kInfoHeaderSize) return std::nullopt;
  const auto* bytes = static_cast<const unsigned char*>(data);

  const std::uint32_t headerSize = ReadU32(bytes);
  const std::int32_t width = ReadI32(bytes + 4);
  const std::int32_t rawHeight = ReadI32(bytes + 8);
  const std::uint16_t planes = ReadU16(bytes + 12);
  const std::uint16_t bitCount = ReadU16(bytes + 14);
  const std::uint32_t compression = ReadU32(bytes + 16);
  const std::uint32_t coloursUsed = ReadU32(bytes + 32);

  if (headerSize < kInfoHeaderSize || headerSize > size) return std::nullopt;
  if (planes != 1 || bitCount != 32 || coloursUsed > 256) return std::nullopt;
  if (width <= 0 || width > kMaxDibSide) return std::nullopt;
  if (rawHeight == 0 || rawHeight < -kMaxDibSide || rawHeight > kMaxDibSide) return std::nullopt;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;

  // Channel masks red, green, blue, alpha: in the header when it is long enough, else right after
  // a plain 40-byte header.
  std::array<std::uint32_t, 4> masks{0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u};
  std::size_t offset = headerSize;
  if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
    const unsigned char* at = bytes + kInfoHeaderSize;
    std::size_t count = 0;  // masks present: red, green, blue and perhaps alpha
    if (headerSize == kInfoHeaderSize) {
      count = compression == kBiAlphaBitfields ? 4 : 3;
      if (size - kInfoHeaderSize < 4 * count) return std::nullopt;
      offset += 4 * count;
    } else if (headerSize >= kInfoHeaderSize + 12) {
      count = headerSize >= kInfoHeaderSize + 16 ? 4 : 3;
    } else {
      return std::nullopt;
    }
    for (std::size_t i = 0; i < 4; ++i) masks[i] = i < count ? ReadU32(at + 4 * i) : 0;
  } else if (compression != kBiRgb) {
    return std::nullopt;
  }
  std::array<int, 4> shifts{};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto shift = ByteShift(masks[i]);
    if (masks[i] != 0 && !shift) return std::nullopt;
    shifts[i] = shift.value_or(0);
  }
  offset += std::size_t{coloursUsed} * 4;

  const std::uint64_t pixelBytes = std::uint64_t(width) * std::uint64_t(height) * 4;
  if (offset > size || pixelBytes > size - offset) return std::nullopt;

  DibPixels out;
  out.width = width;
  out.height = height;
  out.argb.resize(std::size_t(width) * std::size_t(height));
  bool anyAlpha = false;
  for (int row = 0; row < height; ++row) {
    const int sourceRow = topDown ? row : height - 1 - row;
    const unsigned char* src = bytes + offset + std::size_t(sourceRow) * std::size_t(width) * 4;
    std::uint32_t* dst = out.argb.data() + std::size_t(row) * std::size_t(width);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = ReadU32(src + std::size_t(x) * 4);
      auto channel = [&](std::size_t i) { return masks[i] ? (v >> shifts[i]) & 0xFFu : 0u; };
      const std::uint32_t a = channel(3);
      anyAlpha = anyAlpha || a != 0;
      dst[x] = a << 24 | channel(0) << 16 | channel(1) << 8 | channel(2);
    }
  }
  if (!anyAlpha) {
    for (auto& p : out.argb) p |= 0xFF000000u;
  }
  return out;
}
