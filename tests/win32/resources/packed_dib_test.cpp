// Reading bitmap resource bytes: the layouts a 32-bpp bitmap can have, and every malformed one
// refused without reading past the bytes given.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include "resources/packed_dib.h"

namespace {

constexpr std::uint32_t kRgb = 0, kBitfields = 3, kAlphaBitfields = 6;

struct Dib {
  std::uint32_t headerSize = 40;
  std::int32_t width = 2;
  std::int32_t height = 2;
  std::uint16_t planes = 1;
  std::uint16_t bits = 32;
  std::uint32_t compression = kRgb;
  std::uint32_t coloursUsed = 0;
  std::vector<std::uint32_t> masks;  // after a 40-byte header, or inside a longer one
  std::vector<std::uint32_t> pixels{0x80FF0000u, 0xFF00FF00u, 0x000000FFu, 0xFF102030u};  // stored order

  std::vector<unsigned char> Bytes() const {
    std::vector<unsigned char> out;
    auto put32 = [&](std::uint32_t v) {
      for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto put16 = [&](std::uint16_t v) {
      out.push_back(static_cast<unsigned char>(v));
      out.push_back(static_cast<unsigned char>(v >> 8));
    };
    put32(headerSize);
    put32(std::uint32_t(width));
    put32(std::uint32_t(height));
    put16(planes);
    put16(bits);
    put32(compression);
    put32(0);  // image size
    put32(0);  // horizontal resolution
    put32(0);  // vertical resolution
    put32(coloursUsed);
    put32(0);  // important colours
    for (auto m : masks) put32(m);  // inside a longer header, or right after a plain one
    if (headerSize > 40 && headerSize <= 124) out.resize(std::max(out.size(), std::size_t(headerSize)), 0);
    for (std::uint32_t i = 0; i < coloursUsed; ++i) put32(0);
    for (auto p : pixels) put32(p);
    return out;
  }
};

std::optional<DibPixels> Decode(const Dib& d) {
  const auto bytes = d.Bytes();
  return DecodePackedDib(bytes.data(), bytes.size());
}

TEST(DecodePackedDib, BottomUpRowsComeOutTopDown) {
  const auto p = Decode(Dib{});
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 2);
  EXPECT_EQ(p->height, 2);
  EXPECT_EQ(p->argb, (std::vector<std::uint32_t>{0x000000FFu, 0xFF102030u, 0x80FF0000u, 0xFF00FF00u}));
}

TEST(DecodePackedDib, TopDownRowsStayInOrder) {
  Dib d;
  d.height = -2;
  const auto p = Decode(d);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->height, 2);
  EXPECT_EQ(p->argb, d.pixels);
}

TEST(DecodePackedDib, MasksPlaceTheChannels) {
  struct Case {
    const char* name;
    std::uint32_t headerSize, compression;
    std::vector<std::uint32_t> masks;
    std::uint32_t stored, expected;
  };
  const Case cases[] = {
      {"V4 header, alpha in the top byte", 108, kBitfields, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0x80112233, 0x80112233},
      {"V4 header, red and blue swapped", 108, kBitfields, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, 0x80112233, 0x80332211},
      {"V5 header, alpha in the low byte", 124, kBitfields, {0xFF000000, 0xFF0000, 0xFF00, 0xFF}, 0x11223380, 0x80112233},
      {"three masks after a plain header: opaque", 40, kBitfields, {0xFF0000, 0xFF00, 0xFF}, 0x00112233, 0xFF112233},
      {"four masks after a plain header", 40, kAlphaBitfields, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0x40112233, 0x40112233},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Dib d;
    d.headerSize = c.headerSize;
    d.compression = c.compression;
    d.masks = c.masks;
    d.width = 1;
    d.height = 1;
    d.pixels = {c.stored};
    const auto p = Decode(d);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->argb.at(0), c.expected);
  }
}

TEST(DecodePackedDib, NoAlphaAnywhereMeansOpaque) {
  Dib d;
  d.pixels = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0x00000000u};
  const auto p = Decode(d);
  ASSERT_TRUE(p);
  for (auto px : p->argb) EXPECT_EQ(px >> 24, 0xFFu);
}

TEST(DecodePackedDib, ColourTableIsSkipped) {
  Dib d;
  d.coloursUsed = 3;
  const auto p = Decode(d);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->argb.at(2), 0x80FF0000u);
}

TEST(DecodePackedDib, MalformedInputIsRefused) {
  struct Case {
    const char* name;
    Dib dib;
    std::size_t cut = 0;  // bytes removed from the end
  };
  auto with = [](auto change) {
    Dib d;
    change(d);
    return d;
  };
  const Case cases[] = {
      {"one byte short", Dib{}, 1},
      {"header only", Dib{}, 16},
      {"24 bits per pixel", with([](Dib& d) { d.bits = 24; })},
      {"two planes", with([](Dib& d) { d.planes = 2; })},
      {"zero width", with([](Dib& d) { d.width = 0; })},
      {"negative width", with([](Dib& d) { d.width = -2; })},
      {"zero height", with([](Dib& d) { d.height = 0; })},
      {"most negative height", with([](Dib& d) { d.height = INT32_MIN; })},
      {"width past the limit", with([](Dib& d) { d.width = kMaxDibSide + 1; })},
      {"height whose byte count overflows", with([](Dib& d) { d.width = kMaxDibSide; d.height = kMaxDibSide; })},
      {"run-length compression", with([](Dib& d) { d.compression = 1; })},
      {"PNG inside", with([](Dib& d) { d.compression = 5; })},
      {"header shorter than a plain one", with([](Dib& d) { d.headerSize = 12; })},
      {"header longer than the data", with([](Dib& d) { d.headerSize = 4000; })},
      {"header too short for its masks", with([](Dib& d) { d.headerSize = 44; d.compression = kBitfields; })},
      {"masks missing after a plain header", with([](Dib& d) { d.compression = kBitfields; d.pixels.clear(); })},
      {"mask of half a byte", with([](Dib& d) {
         d.headerSize = 108; d.compression = kBitfields; d.masks = {0xF00000, 0xFF00, 0xFF, 0xFF000000}; })},
      {"mask across two bytes", with([](Dib& d) {
         d.headerSize = 108; d.compression = kBitfields; d.masks = {0xFF0000, 0xFF00, 0xFF, 0x00FF8000}; })},
      {"colour table larger than any", with([](Dib& d) { d.coloursUsed = 257; })},
      {"colour table eating the pixels", with([](Dib& d) { d.coloursUsed = 200; d.pixels.clear(); })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto bytes = c.dib.Bytes();
    bytes.resize(bytes.size() - c.cut);
    EXPECT_FALSE(DecodePackedDib(bytes.data(), bytes.size()));
  }
  EXPECT_FALSE(DecodePackedDib(nullptr, 100));
}

}  // namespace
