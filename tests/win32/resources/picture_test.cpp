// Skin pictures as the program loads and draws them: sizes, alpha blending, clipping, ownership.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/packed_dib.h"
#include "ui/picture.h"

namespace {

struct NamedSize {
  const wchar_t* name;
  int width;
  int height;
};

constexpr NamedSize kSkinPictures[] = {
    {L"SKIN_DIALOG_BG", 370, 250}, {L"SKIN_CLOSE", 33, 42},      {L"SKIN_FOLDER", 20, 57},
    {L"SKIN_SAVE", 40, 57},        {L"SKIN_THUMB", 70, 70},      {L"SKIN_MSG_YES", 40, 57},
    {L"SKIN_MSG_NO", 40, 57},      {L"SKIN_BTN_SHADOW", 42, 21}, {L"SKIN_MSG_TL", 10, 32},
    {L"SKIN_MSG_TOP", 1, 33},      {L"SKIN_MSG_TR", 10, 32},     {L"SKIN_MSG_LEFT", 10, 1},
    {L"SKIN_MSG_RIGHT", 10, 1},    {L"SKIN_MSG_BL", 10, 36},     {L"SKIN_MSG_BOTTOM", 1, 36},
    {L"SKIN_MSG_BR", 10, 36},      {L"ICON_MSG_INFO", 32, 32},   {L"ICON_MSG_ERROR", 32, 32},
    {L"ICON_MSG_WARN", 32, 32},    {L"SKIN_CHECKBOX", 52, 39},   {L"SKIN_OPTIONBOX", 39, 39},
};

std::string Narrow(const wchar_t* s) { return std::string(s, s + wcslen(s)); }

// The straight-alpha pixels of a bitmap resource, read independently of LoadPicture's DIB section.
DibPixels ResourcePixels(const wchar_t* name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name, MAKEINTRESOURCEW(2));
  if (!info) return {};
  const void* data = LockResource(LoadResource(module, info));
  auto decoded = DecodePackedDib(data, SizeofResource(module, info));
  return decoded ? *decoded : DibPixels{};
}

// A 32-bpp top-down memory canvas filled with one colour; pixels read back as 0x00RRGGBB.
class Canvas {
 public:
  Canvas(int w, int h, std::uint32_t rgb) : w_(w), h_(h) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < w * h; ++i) bits_[i] = rgb;
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  std::uint32_t at(int x, int y) const {
    GdiFlush();
    return bits_[y * w_ + x] & 0xFFFFFF;
  }
  int width() const { return w_; }
  int height() const { return h_; }

 private:
  int w_, h_;
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

int Channel(std::uint32_t rgb, int shift) { return int((rgb >> shift) & 0xFF); }

TEST(LoadPicture, EveryNamedPictureLoadsWithItsExactSize) {
  for (const auto& expected : kSkinPictures) {
    SCOPED_TRACE(Narrow(expected.name));
    const Picture p = LoadPicture(expected.name);
    ASSERT_TRUE(p);
    EXPECT_EQ(p.width(), expected.width);
    EXPECT_EQ(p.height(), expected.height);
  }
}

TEST(LoadPicture, IsATopDownPremultipliedDibSection) {
  const Picture p = LoadPicture(L"SKIN_OPTIONBOX");
  ASSERT_TRUE(p);
  DIBSECTION ds{};
  ASSERT_EQ(GetObjectW(p.bitmap(), sizeof ds, &ds), int(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
  // GetObject reports the height of a top-down section as positive: the row order is checked
  // below, against the resource's own rows (the skin's rows differ from state to state).
  const auto* bits = static_cast<const std::uint32_t*>(ds.dsBm.bmBits);
  const DibPixels straight = ResourcePixels(L"SKIN_OPTIONBOX");
  ASSERT_EQ(straight.argb.size(), std::size_t(p.width() * p.height()));
  int partial = 0;
  for (std::size_t i = 0; i < straight.argb.size(); ++i) {
    const std::uint32_t s = straight.argb[i], d = bits[i];
    const int a = int(s >> 24);
    ASSERT_EQ(int(d >> 24), a) << "pixel " << i;
    for (int shift : {0, 8, 16}) {
      EXPECT_NEAR(Channel(d, shift), (Channel(s, shift) * a + 127) / 255, 1) << "pixel " << i;
    }
    partial += a > 0 && a < 255;
  }
  EXPECT_GT(partial, 0) << "the round option box has anti-aliased edges";
}

TEST(LoadPicture, MissingResourceGivesAnEmptyPicture) {
  const int before = LivePictureCount();
  const Picture p = LoadPicture(L"NO_SUCH_PICTURE");
  EXPECT_FALSE(p);
  EXPECT_EQ(p.bitmap(), nullptr);
  EXPECT_EQ(p.width(), 0);
  EXPECT_EQ(LivePictureCount(), before);
}

// Transparent skin pixels leave the destination as it was, opaque ones replace it, and the rest
// blend by their alpha: checked for every pixel of the skins with transparency, on two grounds.
TEST(DrawPicturePart, SkinsBlendByTheirAlpha) {
  for (const wchar_t* name : {L"SKIN_CHECKBOX", L"SKIN_OPTIONBOX", L"ICON_MSG_WARN"}) {
    SCOPED_TRACE(Narrow(name));
    const Picture p = LoadPicture(name);
    ASSERT_TRUE(p);
    const DibPixels skin = ResourcePixels(name);
    ASSERT_EQ(skin.width, p.width());
    for (std::uint32_t ground : {0x00336699u, 0x00FF00FFu}) {
      Canvas canvas(p.width() + 8, p.height() + 6, ground);
      DrawPicturePart(canvas.dc(), p, 3, 2, 0, 0, p.width(), p.height());
      int transparent = 0, opaque = 0;
      for (int y = 0; y < skin.height; ++y) {
        for (int x = 0; x < skin.width; ++x) {
          const std::uint32_t s = skin.argb[y * skin.width + x];
          const int a = int(s >> 24);
          const std::uint32_t got = canvas.at(x + 3, y + 2);
          if (a == 0) {
            ++transparent;
            ASSERT_EQ(got, ground) << "transparent pixel " << x << "," << y;
          } else if (a == 255) {
            ++opaque;
            ASSERT_EQ(got, s & 0xFFFFFF) << "opaque pixel " << x << "," << y;
          } else {
            for (int shift : {0, 8, 16}) {
              const int want = (Channel(s, shift) * a + Channel(ground, shift) * (255 - a)) / 255;
              ASSERT_NEAR(Channel(got, shift), want, 2) << "pixel " << x << "," << y;
            }
          }
        }
      }
      EXPECT_GT(transparent, 0);
      EXPECT_GT(opaque, 0);
      EXPECT_EQ(canvas.at(0, 0), ground);
      EXPECT_EQ(canvas.at(canvas.width() - 1, canvas.height() - 1), ground);
    }
  }
}

// The check box's cell corners are see-through, its frame is not: one cell drawn alone.
TEST(DrawPicturePart, CheckBoxCellCornerIsTransparentAndFrameOpaque) {
  const Picture p = LoadPicture(L"SKIN_CHECKBOX");
  const DibPixels skin = ResourcePixels(L"SKIN_CHECKBOX");
  ASSERT_TRUE(p);
  Canvas canvas(20, 20, 0x00336699);
  DrawPicturePart(canvas.dc(), p, 4, 4, 13, 13, 13, 13);  // checked, hover
  EXPECT_EQ(canvas.at(4, 4), 0x00336699u) << "corner";
  EXPECT_EQ(canvas.at(4 + 6, 4), skin.argb[13 * 52 + 13 + 6] & 0xFFFFFF) << "top edge of the frame";
  EXPECT_EQ(skin.argb[13 * 52 + 13 + 6] >> 24, 0xFFu);
  EXPECT_EQ(canvas.at(3, 10), 0x00336699u) << "left of the cell";
  EXPECT_EQ(canvas.at(17, 10), 0x00336699u) << "right of the cell";
}

// A 4 x 3 opaque picture whose pixel (x, y) is colour 0x10 * (y * 4 + x + 1) in blue.
Picture NumberedPicture() {
  std::vector<std::uint32_t> px(12);
  for (int i = 0; i < 12; ++i) px[i] = 0xFF000000u | std::uint32_t(0x10 * (i + 1));
  return Picture::FromPixels(4, 3, px.data());
}

TEST(DrawPicturePart, PartsAreClippedToThePicture) {
  struct Case {
    const char* name;
    int srcX, srcY, w, h;
    int firstX, firstY;  // where the part's first drawn pixel lands (canvas origin 10, 10)
    int drawnW, drawnH;
  };
  const Case cases[] = {
      {"whole", 0, 0, 4, 3, 10, 10, 4, 3},
      {"inner part", 1, 1, 2, 1, 10, 10, 2, 1},
      {"left of the picture", -2, 0, 4, 3, 12, 10, 2, 3},
      {"above the picture", 0, -1, 4, 3, 10, 11, 4, 2},
      {"past the right and bottom", 2, 1, 10, 10, 10, 10, 2, 2},
      {"wholly outside", 5, 0, 3, 3, 0, 0, 0, 0},
      {"empty", 0, 0, 0, 3, 0, 0, 0, 0},
      {"negative size", 0, 0, -4, 3, 0, 0, 0, 0},
  };
  const Picture p = NumberedPicture();
  ASSERT_TRUE(p);
  const std::uint32_t ground = 0x00808080;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(24, 24, ground);
    DrawPicturePart(canvas.dc(), p, 10, 10, c.srcX, c.srcY, c.w, c.h);
    const int firstSrcX = c.srcX < 0 ? 0 : c.srcX, firstSrcY = c.srcY < 0 ? 0 : c.srcY;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) {
        const bool drawn = c.drawnW > 0 && x >= c.firstX && x < c.firstX + c.drawnW && y >= c.firstY &&
                           y < c.firstY + c.drawnH;
        const std::uint32_t want =
            drawn ? std::uint32_t(0x10 * ((firstSrcY + y - c.firstY) * 4 + (firstSrcX + x - c.firstX) + 1))
                  : ground;
        ASSERT_EQ(canvas.at(x, y), want) << "at " << x << "," << y;
      }
    }
  }
}

TEST(DrawPicturePart, EmptyPictureOrNoDcDrawsNothing) {
  Canvas canvas(4, 4, 0x00123456);
  DrawPicturePart(canvas.dc(), Picture{}, 0, 0, 0, 0, 4, 4);
  DrawPicturePart(nullptr, NumberedPicture(), 0, 0, 0, 0, 4, 3);
  EXPECT_EQ(canvas.at(0, 0), 0x00123456u);
}

TEST(Picture, FromPixelsRefusesNonsense) {
  const std::uint32_t px[4] = {};
  EXPECT_FALSE(Picture::FromPixels(0, 1, px));
  EXPECT_FALSE(Picture::FromPixels(1, -1, px));
  EXPECT_FALSE(Picture::FromPixels(2, 2, nullptr));
  EXPECT_TRUE(Picture::FromPixels(2, 2, px));
}

TEST(Picture, MovesTransferOwnership) {
  const int before = LivePictureCount();
  Picture a = LoadPicture(L"SKIN_CLOSE");
  ASSERT_TRUE(a);
  const HBITMAP bitmap = a.bitmap();
  Picture b(std::move(a));
  EXPECT_FALSE(a);
  EXPECT_EQ(b.bitmap(), bitmap);
  EXPECT_EQ(b.height(), 42);
  Picture c = LoadPicture(L"SKIN_FOLDER");
  const HBITMAP replaced = c.bitmap();
  c = std::move(b);
  EXPECT_EQ(c.bitmap(), bitmap);
  EXPECT_EQ(GetObjectType(replaced), 0u) << "the picture moved over is destroyed";
  EXPECT_EQ(LivePictureCount(), before + 1);
  c = Picture{};
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(LivePictureCount(), before);
}

TEST(Picture, ThousandLoadsLeaveNothingBehind) {
  const int before = LivePictureCount();
  std::vector<HBITMAP> seen;
  for (int i = 0; i < 1000; ++i) {
    const Picture p = LoadPicture(kSkinPictures[i % std::size(kSkinPictures)].name);
    ASSERT_TRUE(p) << "load " << i;
    ASSERT_EQ(LivePictureCount(), before + 1);
    if (i % 50 == 0) seen.push_back(p.bitmap());
  }
  EXPECT_EQ(LivePictureCount(), before);
  for (HBITMAP h : seen) EXPECT_EQ(GetObjectType(h), 0u);
}

}  // namespace
