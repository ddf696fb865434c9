#include "ui/gdi.h"

#include <gtest/gtest.h>

#include "ui/back_buffer.h"
#include "ui/fonts.h"

namespace {

TEST(GdiWrapperTest, LiveCountFollowsOwnership) {
  const long base = LiveGdiObjects();
  HBRUSH raw = nullptr;
  {
    UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    raw = brush.get();
    EXPECT_EQ(LiveGdiObjects(), base + 1);
    UniqueBrush moved(std::move(brush));
    EXPECT_FALSE(brush);
    EXPECT_EQ(moved.get(), raw);
    EXPECT_EQ(LiveGdiObjects(), base + 1);
    UniqueBrush other(CreateSolidBrush(RGB(4, 5, 6)));
    HBRUSH otherRaw = other.get();
    other = std::move(moved);  // the object held before is deleted
    EXPECT_EQ(GetObjectType(otherRaw), 0u);
    EXPECT_EQ(LiveGdiObjects(), base + 1);
  }
  EXPECT_EQ(LiveGdiObjects(), base);
  EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(GdiWrapperTest, ReleaseHandsOverWithoutDeleting) {
  const long base = LiveGdiObjects();
  UniqueRegion region(CreateRectRgn(0, 0, 10, 10));
  HRGN raw = region.release();
  EXPECT_EQ(LiveGdiObjects(), base);
  EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_REGION));
  DeleteObject(raw);
  UniqueRegion empty;
  empty.reset();  // nothing held: nothing counted
  EXPECT_EQ(LiveGdiObjects(), base);
}

TEST(GdiWrapperTest, SelectScopePutsThePreviousObjectBack) {
  UniqueDC dc(CreateCompatibleDC(nullptr));
  UniqueFont font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_FONT);
  {
    SelectScope select(dc.get(), font.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), before);
}

TEST(BackBufferTest, ResizeKeepsWhatFitsAndFillsTheRest) {
  const long base = LiveGdiObjects();
  {
    BackBuffer buffer;
    ASSERT_TRUE(buffer.Resize(10, 10, RGB(255, 255, 255)));
    EXPECT_EQ(LiveGdiObjects(), base + 2);  // its DC and bitmap
    SetPixel(buffer.dc(), 3, 4, RGB(10, 20, 30));
    HBITMAP old = buffer.bitmap();
    ASSERT_TRUE(buffer.Resize(20, 8, RGB(0, 0, 255)));
    EXPECT_EQ(GetObjectType(old), 0u);
    EXPECT_EQ(GetPixel(buffer.dc(), 3, 4), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(buffer.dc(), 15, 2), RGB(0, 0, 255));
    EXPECT_EQ(LiveGdiObjects(), base + 2);
  }
  EXPECT_EQ(LiveGdiObjects(), base);
}

TEST(FontTest, DialogFontIsDotumNinePointHangul) {
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(DialogFont(), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_STREQ(lf.lfFaceName, L"돋움");
  EXPECT_EQ(lf.lfCharSet, HANGUL_CHARSET);
  EXPECT_EQ(lf.lfHeight, -12);  // 9 pt at 96 dpi
  EXPECT_EQ(DialogFont(), DialogFont());  // one object for the process
  ASSERT_EQ(GetObjectW(ControlFont(), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -11);  // 8.25 pt
  EXPECT_GT(TextWidth(DialogFont(), L"WW"), TextWidth(DialogFont(), L"W"));
  EXPECT_EQ(TextWidth(DialogFont(), L""), 0);
}

}  // namespace
