// Bitmap resource bytes (a packed DIB) to pixels: the layouts a 32-bpp bitmap can have, and
// malformed ones refused without reading past the bytes given.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ui/packed_dib.h"

namespace {

// A 2 x 2 DIB: header of `header` bytes (40, or longer with the masks inside), then masks when
// the header is 40, then the pixels in stored order.
std::vector<unsigned char> Dib(std::uint32_t header, std::int32_t height, std::uint16_t bits, std::uint32_t compression,
                               const std::vector<std::uint32_t>& masks, const std::vector<std::uint32_t>& pixels) {
  std::vector<unsigned char> out;
  const auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  put(header, 4), put(2, 4), put(static_cast<std::uint32_t>(height), 4), put(1, 2), put(bits, 2), put(compression, 4);
  for (int i = 0; i < 5; ++i) put(0, 4);
  for (std::uint32_t m : masks) put(m, 4);
  out.resize(std::max<std::size_t>(out.size(), header), 0);
  for (std::uint32_t p : pixels) put(p, 4);
  return out;
}

TEST(PackedDib, Rows) {
  const std::vector<std::uint32_t> pixels{0x80FF0000u, 0xFF00FF00u, 0x000000FFu, 0xFF102030u};
  const std::vector<std::uint32_t> bgra{0x0000FF00u, 0x00FF0000u, 0xFF000000u, 0x000000FFu};  // masks: R G B A
  struct Row { const char* name; std::vector<unsigned char> bytes; std::uint32_t topLeft; };  // 0: refused
  const Row rows[] = {
      {"bottom-up rows come out top-down", Dib(40, 2, 32, 0, {}, pixels), 0x000000FFu},
      {"top-down rows stay", Dib(40, -2, 32, 0, {}, pixels), 0x80FF0000u},
      {"masks place the channels", Dib(40, -2, 32, 6, bgra, {0x11223344u, 0, 0, 0}), 0x44332211u},
      {"masks inside a longer header", Dib(108, -2, 32, 6, bgra, {0x11223344u, 0, 0, 0}), 0x44332211u},
      {"no alpha anywhere: opaque", Dib(40, -2, 32, 0, {}, {0x00102030u, 0, 0, 0}), 0xFF102030u},
      {"24 bits refused", Dib(40, -2, 24, 0, {}, pixels), 0},
      {"truncated pixels refused", Dib(40, -2, 32, 0, {}, {1, 2, 3}), 0},
      {"absurd height refused", Dib(40, -(kMaxDibSide + 1), 32, 0, {}, pixels), 0},
  };
  for (const Row& r : rows) {
    const auto decoded = DecodePackedDib(r.bytes.data(), r.bytes.size());
    EXPECT_EQ(decoded ? decoded->argb[0] : 0u, r.topLeft) << r.name;
  }
}

}  // namespace
