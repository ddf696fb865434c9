#include "ui/picture.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "ui/packed_dib.h"

namespace {

std::uint32_t Premultiply(std::uint32_t argb) {
  const std::uint32_t a = argb >> 24;
  auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
  return a << 24 | scale((argb >> 16) & 0xFF) << 16 | scale((argb >> 8) & 0xFF) << 8 |
         scale(argb & 0xFF);
}

// The bytes of one of the program's bitmap resources, or nothing.
std::optional<std::pair<const void*, std::size_t>> ResourceBytes(const wchar_t* resourceName) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, resourceName, RT_BITMAP);
  if (!info) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::make_pair(data, static_cast<std::size_t>(SizeofResource(module, info)));
}

std::optional<DibPixels> DecodeResource(const wchar_t* resourceName) {
  const auto bytes = ResourceBytes(resourceName);
  return bytes ? DecodePackedDib(bytes->first, bytes->second) : std::nullopt;
}

// The artwork drawn for a step: SKIN_CLOSE at 144 DPI is SKIN_CLOSE_150.
std::optional<DibPixels> DecodeStep(const wchar_t* resourceName, unsigned step) {
  if (IS_INTRESOURCE(resourceName)) return std::nullopt;
  const std::wstring name = std::wstring(resourceName) + L"_" + std::to_wstring(step * 100 / kBaseDpi);
  return DecodeResource(name.c_str());
}

Picture FromDib(const DibPixels& dib) { return Picture::FromPixels(dib.width, dib.height, dib.argb.data()); }

}  // namespace

Picture Picture::FromPixels(int width, int height, const std::uint32_t* pixels) {
  Picture p;
  if (pixels == nullptr || width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide)
    return p;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return p;
  auto* out = static_cast<std::uint32_t*>(bits);
  const std::size_t count = std::size_t(width) * std::size_t(height);
  std::transform(pixels, pixels + count, out, Premultiply);
  GdiFlush();
  p.bitmap_ = std::move(bitmap);
  p.width_ = width;
  p.height_ = height;
  return p;
}

Picture PictureFromPackedDib(const void* data, std::size_t size) {
  const auto decoded = DecodePackedDib(data, size);
  if (!decoded) return {};
  return Picture::FromPixels(decoded->width, decoded->height, decoded->argb.data());
}

Picture LoadPicture(const wchar_t* resourceName) {
  const auto bytes = ResourceBytes(resourceName);
  return bytes ? PictureFromPackedDib(bytes->first, bytes->second) : Picture{};
}

Picture LoadPicture(const wchar_t* resourceName, UINT dpi, CellGrid cells) {
  if (dpi == kBaseDpi) return LoadPicture(resourceName);
  // The 96-DPI picture gives the sizes; a step whose artwork is missing starts from it too.
  const auto base = DecodeResource(resourceName);
  const auto size = base ? ScaledSheetSize(base->width, base->height, cells, dpi) : std::nullopt;
  if (!size) return {};
  const unsigned step = ArtworkStep(dpi);
  const auto drawn = step == kBaseDpi ? std::nullopt : DecodeStep(resourceName, step);
  const DibPixels& art = drawn ? *drawn : *base;
  if (art.width == size->width && art.height == size->height) return FromDib(art);
  const auto resized = ResizeCells(art, cells, size->cellWidth, size->cellHeight);
  return resized ? FromDib(*resized) : Picture{};
}

void DrawPicturePart(HDC dc, const Picture& p, int x, int y, int srcX, int srcY, int w, int h) {
  if (!dc || !p || w <= 0 || h <= 0) return;
  // Clip the part to the picture, moving the destination with the clipped source.
  const long long left = std::max<long long>(srcX, 0);
  const long long top = std::max<long long>(srcY, 0);
  const long long right = std::min<long long>(static_cast<long long>(srcX) + w, p.width());
  const long long bottom = std::min<long long>(static_cast<long long>(srcY) + h, p.height());
  if (left >= right || top >= bottom) return;
  const long long destX = x + (left - srcX);
  const long long destY = y + (top - srcY);
  if (destX < INT_MIN || destX > INT_MAX || destY < INT_MIN || destY > INT_MAX) return;

  UniqueDC source(CreateCompatibleDC(dc));
  if (!source) return;
  SelectScope select(source.get(), p.bitmap());
  if (!select) return;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, int(destX), int(destY), int(right - left), int(bottom - top), source.get(),
                int(left), int(top), int(right - left), int(bottom - top), blend);
}
