// Bitmap resource bytes (a packed DIB) to pixels: the layouts a 32-bpp bitmap can have, and
// malformed ones refused without reading past the bytes given.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
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

// Pictures at another DPI: MulDiv sizes per cell, the artwork step, and resizing that keeps flat
// colours flat, edges free of dark fringes and every cell of a sheet in its place.
#include "ui/picture_scale.h"

namespace {

DibPixels Flat(int width, int height, std::uint32_t argb) {
  return {width, height, std::vector<std::uint32_t>(std::size_t(width) * std::size_t(height), argb)};
}

TEST(PictureScale, Sizes) {
  struct Row { int width, height; CellGrid cells; unsigned dpi; int expectWidth, expectHeight; };  // 0 x 0: refused
  const Row rows[] = {
      {52, 39, {4, 3}, 120, 64, 48},      // 13-pixel cells: 16.25 -> 16
      {52, 39, {4, 3}, 144, 80, 60},      // 19.5 -> 20, not 78 x 58.5
      {52, 39, {4, 3}, 132, 72, 54},      // 17.875 -> 18
      {33, 42, {1, 3}, 168, 58, 75},      // 57.75 -> 58; frames of 24.5 -> 25
      {1, 33, {1, 1}, 144, 2, 50},        // one pixel is 1.5 -> 2: halves away from zero
      {52, 39, {5, 3}, 144, 0, 0},        // does not divide into the cells
      {16384, 1, {1, 1}, 192, 0, 0},      // past the largest picture
  };
  for (const Row& r : rows) {
    const auto size = ScaledSheetSize(r.width, r.height, r.cells, r.dpi);
    EXPECT_EQ((size ? std::pair{size->width, size->height} : std::pair{0, 0}), (std::pair{r.expectWidth, r.expectHeight}))
        << r.width << "x" << r.height << " at " << r.dpi;
  }
  struct Step { unsigned dpi, drawn; };
  for (const Step& s : {Step{72, 96}, Step{96, 96}, Step{97, 120}, Step{132, 144}, Step{168, 168}, Step{169, 192},
                        Step{288, 192}})
    EXPECT_EQ(ArtworkStep(s.dpi), s.drawn) << s.dpi;
}

TEST(PictureScale, Resize) {
  struct Row { const char* name; DibPixels source; int width, height; std::uint32_t expect; };  // every pixel
  const Row rows[] = {
      {"flat, reduced", Flat(7, 5, 0x80336699u), 4, 3, 0x80336699u},
      {"flat, enlarged", Flat(3, 2, 0x80336699u), 7, 5, 0x80336699u},
      {"white beside transparent black stays white", {2, 1, {0xFFFFFFFFu, 0}}, 1, 1, 0x80FFFFFFu},
  };
  for (const Row& r : rows) {
    const auto out = ResizeCells(r.source, {1, 1}, r.width, r.height);
    ASSERT_TRUE(out) << r.name;
    EXPECT_EQ((std::pair{out->width, out->height}), (std::pair{r.width, r.height})) << r.name;
    for (std::uint32_t p : out->argb) EXPECT_EQ(p, r.expect) << r.name;
  }
  // Enlarged, the edge fades in alpha only: no pixel turns grey.
  const auto edge = ResizeCells({2, 1, {0xFFFFFFFFu, 0}}, {1, 1}, 8, 1);
  ASSERT_TRUE(edge);
  for (std::uint32_t p : edge->argb) EXPECT_TRUE(p == 0 || (p & 0xFFFFFFu) == 0xFFFFFFu) << std::hex << p;
  EXPECT_FALSE(ResizeCells(Flat(5, 3, 0), {2, 1}, 4, 4)) << "a sheet that does not divide into its cells";
}

TEST(PictureScale, CellsStayInTheirPlaces) {
  // Three by two cells of 26 pixels (the 200 % check box) reduced to 18 (132 DPI): each cell keeps
  // its own colour to its edges, nothing bleeds over from its neighbours.
  const std::uint32_t colours[2][3] = {{0xFFFF0000u, 0xFF00FF00u, 0x800000FFu}, {0x00000000u, 0xFFFFFFFFu, 0xFF808080u}};
  DibPixels sheet = Flat(78, 52, 0);
  for (int y = 0; y < 52; ++y)
    for (int x = 0; x < 78; ++x) sheet.argb[std::size_t(y) * 78 + x] = colours[y / 26][x / 26];
  const auto out = ResizeCells(sheet, {3, 2}, 18, 18);
  ASSERT_TRUE(out);
  ASSERT_EQ((std::pair{out->width, out->height}), (std::pair{54, 36}));
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 54; ++x)
      ASSERT_EQ(out->argb[std::size_t(y) * 54 + x], colours[y / 18][x / 18]) << "pixel " << x << "," << y;
}

}  // namespace
