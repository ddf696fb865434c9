#pragma once
// Reading the bytes of a bitmap resource (a packed DIB: header, colour masks, pixels) into plain
// pixels, with every size checked against the bytes that are really there.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct DibPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // top-down rows, 0xAARRGGBB, straight alpha
};

// The largest side accepted: skins are small, and this keeps every size product far from overflow.
inline constexpr int kMaxDibSide = 16384;

// Decodes an uncompressed 32-bpp packed DIB (BI_RGB, or BI_BITFIELDS / BI_ALPHABITFIELDS with byte
// masks), top-down or bottom-up. A picture whose alpha is zero everywhere, or that has no alpha
// mask, is opaque. Anything else (other depths, truncated data, absurd sizes) gives nothing.
std::optional<DibPixels> DecodePackedDib(const void* data, std::size_t size);
