// The skins at every DPI: each resource drawn at every step in the size the windows ask for
// (MulDiv per cell), 96 DPI exactly as before, and sizes between the steps made to measure.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/owner.h"
#include "ui/picture.h"

namespace {

struct Skin { const wchar_t* name; int width, height; CellGrid cells; };  // at 96 DPI
const Skin kSkins[] = {
    {L"SKIN_DIALOG_BG", 370, 250, {1, 1}}, {L"SKIN_CLOSE", 33, 42, {1, 3}},   {L"SKIN_FOLDER", 20, 57, {1, 3}},
    {L"SKIN_SAVE", 40, 57, {1, 3}},        {L"SKIN_THUMB", 70, 70, {1, 1}},   {L"SKIN_MSG_YES", 40, 57, {1, 3}},
    {L"SKIN_MSG_NO", 40, 57, {1, 3}},      {L"SKIN_BTN_SHADOW", 42, 21, {1, 1}}, {L"SKIN_MSG_TL", 10, 32, {1, 1}},
    {L"SKIN_MSG_TOP", 1, 33, {1, 1}},      {L"SKIN_MSG_TR", 10, 32, {1, 1}},  {L"SKIN_MSG_LEFT", 10, 1, {1, 1}},
    {L"SKIN_MSG_RIGHT", 10, 1, {1, 1}},    {L"SKIN_MSG_BL", 10, 36, {1, 1}},  {L"SKIN_MSG_BOTTOM", 1, 36, {1, 1}},
    {L"SKIN_MSG_BR", 10, 36, {1, 1}},      {L"ICON_MSG_INFO", 32, 32, {1, 1}}, {L"ICON_MSG_ERROR", 32, 32, {1, 1}},
    {L"ICON_MSG_WARN", 32, 32, {1, 1}},    {L"SKIN_CHECKBOX", 52, 39, {4, 3}}, {L"SKIN_OPTIONBOX", 39, 39, {3, 3}},
};

std::vector<std::uint32_t> Pixels(const Picture& p) {
  DIBSECTION dib{};
  if (!p || GetObjectW(p.bitmap(), sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return {};
  const auto* bits = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
  return {bits, bits + std::size_t(p.width()) * std::size_t(p.height())};
}

std::pair<int, int> SizeOf(const Picture& p) { return {p.width(), p.height()}; }

// The size the windows lay a sheet out in at dpi: the cell count times MulDiv(cell, dpi, 96).
std::pair<int, int> Expected(const Skin& s, int dpi) {
  return {s.cells.columns * MulDiv(s.width / s.cells.columns, dpi, 96),
          s.cells.rows * MulDiv(s.height / s.cells.rows, dpi, 96)};
}

TEST(Picture, EverySkinAtEveryDpi) {
  const struct { int dpi; const wchar_t* suffix; } steps[] = {{120, L"_125"}, {144, L"_150"}, {168, L"_175"}, {192, L"_200"}};
  for (const Skin& s : kSkins) {
    const Picture base = LoadPicture(s.name);
    ASSERT_TRUE(base) << s.name;
    EXPECT_EQ(SizeOf(base), (std::pair{s.width, s.height})) << s.name;
    EXPECT_EQ(Pixels(LoadPicture(s.name, 96, s.cells)), Pixels(base)) << s.name << ": 96 DPI as before";
    for (const auto& step : steps) {
      const std::wstring drawn = std::wstring(s.name) + step.suffix;
      const Picture art = LoadPicture(drawn.c_str());
      ASSERT_TRUE(art) << s.name << " at " << step.dpi;
      EXPECT_EQ(SizeOf(art), Expected(s, step.dpi)) << s.name << " at " << step.dpi;
      EXPECT_EQ(Pixels(LoadPicture(s.name, UINT(step.dpi), s.cells)), Pixels(art)) << s.name << ": the drawn artwork";
    }
    for (int dpi : {72, 108, 132, 180, 240})  // between the steps, below and above them
      EXPECT_EQ(SizeOf(LoadPicture(s.name, UINT(dpi), s.cells)), Expected(s, dpi)) << s.name << " at " << dpi;
  }
}

struct DestroyIconHandle { void operator()(HICON icon) const { DestroyIcon(icon); } };

// The icon group has an image of each size Windows asks for at 100 to 200 %, which loads as an icon.
TEST(Picture, IconAtEverySizeWindowsAsksFor) {
  HMODULE module = GetModuleHandleW(nullptr);
  const auto bytes = [module](const wchar_t* name, const wchar_t* type) {
    HRSRC info = FindResourceW(module, name, type);
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    return std::make_pair(static_cast<BYTE*>(data ? LockResource(data) : nullptr), info ? SizeofResource(module, info) : 0);
  };
  BYTE* group = bytes(L"APPICON", RT_GROUP_ICON).first;
  ASSERT_TRUE(group);
  for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
    const int id = LookupIconIdFromDirectoryEx(group, TRUE, size, size, LR_DEFAULTCOLOR);
    const auto [image, length] = bytes(MAKEINTRESOURCEW(id), RT_ICON);
    ASSERT_NE(image, nullptr) << size;
    ASSERT_GT(length, 24u) << size;
    const bool png = image[0] == 0x89 && image[1] == 'P';
    const int width = png ? image[16] << 24 | image[17] << 16 | image[18] << 8 | image[19]
                          : int(reinterpret_cast<const BITMAPINFOHEADER*>(image)->biWidth);
    EXPECT_EQ(width, size) << "the image picked for " << size;
    if (!png) {
      EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(image)->biBitCount, 32) << size;
    }
    const Owner<HICON, DestroyIconHandle{}> icon(CreateIconFromResourceEx(image, length, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
    EXPECT_TRUE(icon) << size;
  }
}

}  // namespace
