#include "tools/reference-core/saver_picture_win.h"

#include <algorithm>
#include <cstring>

// MSVC's GDI+ headers want min and max, which NOMINMAX takes away.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <objidl.h>  // PROPID and IStream, left out by WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

namespace gp = Gdiplus::DllExports;

bool DibSection::Create(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDC dc(CreateCompatibleDC(nullptr));
  if (!bitmap || !dc || !bits) return false;
  SelectObject(dc.get(), bitmap.get());
  dc_ = UniqueDC();  // the old DC goes before the bitmap it holds
  bitmap_ = std::move(bitmap);
  dc_ = std::move(dc);
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

DesktopSnapshot::DesktopSnapshot() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  WindowDC screen(nullptr);
  if (screen && picture_.Create(w, h)) BitBlt(picture_.dc(), 0, 0, w, h, screen.get(), x, y, SRCCOPY);
}

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

// The GDI+ objects of one picture: the scene's frame as a bitmap over frame_, and a graphics over
// the buffer's pixels (drawing straight into memory is much cheaper under Wine than through a DC).
struct SaverPicture::GdiplusObjects {
  Gdiplus::GpBitmap* frame = nullptr;
  Gdiplus::GpBitmap* target = nullptr;
  Gdiplus::GpGraphics* graphics = nullptr;
  Gdiplus::GpImageAttributes* edges = nullptr;
  ~GdiplusObjects() {
    if (graphics) gp::GdipDeleteGraphics(graphics);
    if (target) gp::GdipDisposeImage(target);
    if (frame) gp::GdipDisposeImage(frame);
    if (edges) gp::GdipDisposeImageAttributes(edges);
  }
};

SaverPicture::SaverPicture(const SettingsRecord& settings)
    : frame_(static_cast<size_t>(kSceneWidth) * kSceneHeight),
      filter_(ScalingFilter(settings.InterpolationMode)),
      naturalSize_(settings.Omake1),
      white_(settings.Omake2) {}

SaverPicture::~SaverPicture() = default;

bool SaverPicture::SetTarget(int width, int height, const DesktopSnapshot* desktop) {
  gdiplus_.reset();
  if (width <= 0 || height <= 0 || !background_.Create(width, height) || !buffer_.Create(width, height))
    return false;
  const DibSection* shot = desktop ? &desktop->picture() : nullptr;
  if (white_ || !shot || !shot->dc()) {
    std::fill(background_.bits(), background_.bits() + static_cast<size_t>(width) * height, 0x00FFFFFFu);
  } else {
    SetStretchBltMode(background_.dc(), HALFTONE);
    SetBrushOrgEx(background_.dc(), 0, 0, nullptr);
    StretchBlt(background_.dc(), 0, 0, width, height, shot->dc(), 0, 0, shot->width(), shot->height(), SRCCOPY);
  }
  GdiFlush();
  std::memcpy(buffer_.bits(), background_.bits(), static_cast<size_t>(width) * height * 4);
  placement_ = PlaceScene(width, height, naturalSize_);

  auto objects = std::make_unique<GdiplusObjects>();
  if (gp::GdipCreateBitmapFromScan0(kSceneWidth, kSceneHeight, kSceneWidth * 4, PixelFormat32bppPARGB,
                                    reinterpret_cast<BYTE*>(frame_.data()), &objects->frame) != Gdiplus::Ok ||
      gp::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppRGB,
                                    reinterpret_cast<BYTE*>(buffer_.bits()), &objects->target) != Gdiplus::Ok ||
      gp::GdipGetImageGraphicsContext(objects->target, &objects->graphics) != Gdiplus::Ok)
    return false;
  gp::GdipSetInterpolationMode(objects->graphics, static_cast<Gdiplus::InterpolationMode>(filter_));
  // Pixel centres on pixel centres, and the frame's edge pixels repeated rather than faded out.
  gp::GdipSetPixelOffsetMode(objects->graphics, Gdiplus::PixelOffsetModeHalf);
  if (gp::GdipCreateImageAttributes(&objects->edges) == Gdiplus::Ok)
    gp::GdipSetImageAttributesWrapMode(objects->edges, Gdiplus::WrapModeTileFlipXY, 0, FALSE);
  gdiplus_ = std::move(objects);
  return true;
}

RECT SaverPicture::SceneArea() const {
  RECT area{placement_.x, placement_.y, placement_.x + placement_.width, placement_.y + placement_.height};
  const RECT whole{0, 0, buffer_.width(), buffer_.height()};
  IntersectRect(&area, &area, &whole);
  return area;
}

void SaverPicture::Render(double seconds) {
  if (!gdiplus_) return;
  scene_.Draw(seconds, frame_.data());
  // The background again under the scene, then the new frame over it.
  const RECT area = SceneArea();
  const int stride = buffer_.width();
  for (int y = area.top; y < area.bottom; ++y)
    std::memcpy(buffer_.bits() + y * stride + area.left, background_.bits() + y * stride + area.left,
                static_cast<size_t>(area.right - area.left) * 4);
  gp::GdipDrawImageRectRectI(gdiplus_->graphics, gdiplus_->frame, placement_.x, placement_.y, placement_.width,
                             placement_.height, 0, 0, kSceneWidth, kSceneHeight, Gdiplus::UnitPixel,
                             gdiplus_->edges, nullptr, nullptr);
  gp::GdipFlush(gdiplus_->graphics, Gdiplus::FlushIntentionSync);
}

void SaverPicture::CopyTo(HDC dc, const RECT& area) const {
  if (!buffer_.dc()) return;
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer_.dc(), area.left,
         area.top, SRCCOPY);
}
