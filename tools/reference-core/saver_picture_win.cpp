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

#include "ui/window_utils.h"

namespace gp = Gdiplus::DllExports;

namespace {
// The frame is compared in tiles of this many pixels a side. A changed pixel reaches target
// pixels up to 1.5 frame pixels away with nearest pixel and bilinear (the filter's reach and half a
// pixel of rounding), 2.5 with the bicubic ones: the tiles around a changed one, one or two deep,
// are scaled again too.
constexpr int kTile = 2, kReach = 3;
// A call to GDI+ costs about as much under Wine as scaling this many tiles.
constexpr long kCallTiles = 8;
constexpr int kTilesX = (kSceneWidth + kTile - 1) / kTile, kTilesY = (kSceneHeight + kTile - 1) / kTile;

// Joins rectangles whose bounding box has at most `waste` more area than the two of them.
void Join(std::vector<RECT>& rects, long waste) {
  auto area = [](const RECT& r) { return static_cast<long>(r.right - r.left) * (r.bottom - r.top); };
  for (size_t i = 0; i < rects.size(); ++i)
    for (size_t j = i + 1; j < rects.size(); ++j) {
      RECT both;
      UnionRect(&both, &rects[i], &rects[j]);
      if (area(both) - area(rects[i]) - area(rects[j]) > waste) continue;
      rects[i] = both;
      rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
      j = i;  // the grown one may now join others
    }
}
}  // namespace

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

DesktopSnapshot::DesktopSnapshot()
    : origin_{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)} {
  const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  WindowDC screen(nullptr);
  if (screen && picture_.Create(w, h))
    BitBlt(picture_.dc(), 0, 0, w, h, screen.get(), origin_.x, origin_.y, SRCCOPY);
}

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

// The scene's frame as a GDI+ bitmap over frame_, and how its edges are sampled.
struct SaverPicture::GdiplusObjects {
  Gdiplus::GpBitmap* frame = nullptr;
  Gdiplus::GpImageAttributes* edges = nullptr;
  ~GdiplusObjects() {
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

bool SaverPicture::SetTarget(const Rect& target, const DesktopSnapshot* desktop, const std::vector<Rect>& monitors) {
  gdiplus_.reset();
  shown_.clear();
  const int width = static_cast<int>(Width(target)), height = static_cast<int>(Height(target));
  if (width <= 0 || height <= 0 || !background_.Create(width, height) || !buffer_.Create(width, height))
    return false;
  const DibSection* shot = desktop ? &desktop->picture() : nullptr;
  const size_t pixels = static_cast<size_t>(width) * height;
  if (white_ || !shot || !shot->dc()) {
    std::fill(background_.bits(), background_.bits() + pixels, 0x00FFFFFFu);
  } else if (!monitors.empty()) {
    std::fill(background_.bits(), background_.bits() + pixels, 0u);
    BitBlt(background_.dc(), desktop->origin().x - target.left, desktop->origin().y - target.top, shot->width(),
           shot->height(), shot->dc(), 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(background_.dc(), HALFTONE);
    SetBrushOrgEx(background_.dc(), 0, 0, nullptr);
    StretchBlt(background_.dc(), 0, 0, width, height, shot->dc(), 0, 0, shot->width(), shot->height(), SRCCOPY);
  }
  GdiFlush();
  std::memcpy(buffer_.bits(), background_.bits(), pixels * 4);
  places_ = PlaceOnMonitors(monitors.empty() ? Box(0, 0, width, height) : target, monitors, naturalSize_);

  auto objects = std::make_unique<GdiplusObjects>();
  if (gp::GdipCreateBitmapFromScan0(kSceneWidth, kSceneHeight, kSceneWidth * 4, PixelFormat32bppPARGB,
                                    reinterpret_cast<BYTE*>(frame_.data()), &objects->frame) != Gdiplus::Ok)
    return false;
  // The frame's edge pixels repeated rather than faded out.
  if (gp::GdipCreateImageAttributes(&objects->edges) == Gdiplus::Ok)
    gp::GdipSetImageAttributesWrapMode(objects->edges, Gdiplus::WrapModeTileFlipXY, 0, FALSE);
  gdiplus_ = std::move(objects);
  return true;
}

void SaverPicture::Render(double seconds) {
  changed_.clear();
  if (!gdiplus_) return;
  scene_.Draw(seconds, frame_.data());
  // One frame for every monitor: each shows the same moment. A monitor costs the pixels its
  // changed parts cover; the gaps between monitors cost nothing.
  std::vector<RECT> runs;
  bool runsFound = false;
  for (const MonitorScene& place : places_) {
    if (!place.alignX || shown_.empty()) {
      RedrawTiles(place, 0, 0, kTilesX, kTilesY);
      continue;
    }
    if (!runsFound) runs = ChangedRuns(), runsFound = true;
    for (const RECT& r : runs) RedrawTiles(place, r.left, r.top, r.right, r.bottom);
  }
  shown_ = frame_;
}

std::vector<RECT> SaverPicture::ChangedRuns() const {
  // Changed tiles, grown for the filter's reach.
  const int grow = filter_ == Gdiplus::InterpolationModeNearestNeighbor || filter_ == Gdiplus::InterpolationModeBilinear ||
                           filter_ == Gdiplus::InterpolationModeDefault
                       ? 1
                       : 2;
  bool changed[kTilesY + 4][kTilesX + 4] = {};
  for (int y = 0; y < kSceneHeight; ++y)
    for (int tx = 0; tx < kTilesX; ++tx) {
      const size_t at = static_cast<size_t>(y) * kSceneWidth + tx * kTile;
      const size_t n = std::min(kTile, kSceneWidth - tx * kTile) * sizeof(std::uint32_t);
      if (std::memcmp(&frame_[at], &shown_[at], n) != 0)
        for (int dy = -grow; dy <= grow; ++dy) std::fill_n(&changed[y / kTile + 2 + dy][tx + 2 - grow], 2 * grow + 1, true);
    }
  // Runs along each row, joined where one call for both costs less than two.
  std::vector<RECT> runs;
  for (int ty = 0; ty < kTilesY; ++ty)
    for (int tx = 0; tx < kTilesX; ++tx)
      if (changed[ty + 2][tx + 2]) {
        const int from = tx;
        while (tx < kTilesX && changed[ty + 2][tx + 2]) ++tx;
        runs.push_back(RECT{from, ty, tx, ty + 1});
      }
  Join(runs, kCallTiles);
  return runs;
}

void SaverPicture::RedrawTiles(const MonitorScene& place, int left, int top, int right, int bottom) {
  // Target position of a frame column / row (whole pixels, rounded down).
  const Placement& at = place.scene;
  const auto targetX = [&at](int column) {
    return at.x + static_cast<int>(static_cast<long long>(column) * at.width / kSceneWidth);
  };
  const auto targetY = [&at](int row) {
    return at.y + static_cast<int>(static_cast<long long>(row) * at.height / kSceneHeight);
  };
  RECT area{targetX(left * kTile), targetY(top * kTile), targetX(std::min(right * kTile, kSceneWidth)),
            targetY(std::min(bottom * kTile, kSceneHeight))};
  // Only on its monitor, where the scene is.
  const RECT monitor = ToRECT(place.monitor), scene{at.x, at.y, at.x + at.width, at.y + at.height};
  if (!IntersectRect(&area, &area, &scene) || !IntersectRect(&area, &area, &monitor)) return;
  const int stride = buffer_.width(), width = area.right - area.left, height = area.bottom - area.top;
  std::uint32_t* origin = buffer_.bits() + static_cast<size_t>(area.top) * stride + area.left;
  for (int y = 0; y < height; ++y)
    std::memcpy(origin + static_cast<size_t>(y) * stride,
                background_.bits() + static_cast<size_t>(area.top + y) * stride + area.left, width * 4u);
  // The frame's part that reaches the area, on aligned columns and rows (all of it when redone whole).
  int x0 = 0, y0 = 0, x1 = kSceneWidth, y1 = kSceneHeight;
  if (place.alignX) {
    const int ax = place.alignX, ay = place.alignY;
    x0 = std::max(0, (left * kTile - kReach) / ax * ax);
    y0 = std::max(0, (top * kTile - kReach) / ay * ay);
    x1 = std::min(kSceneWidth, (right * kTile + kReach + ax - 1) / ax * ax);
    y1 = std::min(kSceneHeight, (bottom * kTile + kReach + ay - 1) / ay * ay);
  }
  // GDI+ scales into a bitmap over the area's own pixels, shifted so that target coordinates stay.
  Gdiplus::GpBitmap* part = nullptr;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (gp::GdipCreateBitmapFromScan0(width, height, stride * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(origin),
                                    &part) == Gdiplus::Ok &&
      gp::GdipGetImageGraphicsContext(part, &graphics) == Gdiplus::Ok) {
    gp::GdipSetInterpolationMode(graphics, static_cast<Gdiplus::InterpolationMode>(filter_));
    gp::GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHalf);  // pixel centres on pixel centres
    gp::GdipTranslateWorldTransform(graphics, static_cast<float>(-area.left), static_cast<float>(-area.top),
                                    Gdiplus::MatrixOrderPrepend);
    gp::GdipDrawImageRectRectI(graphics, gdiplus_->frame, targetX(x0), targetY(y0), targetX(x1) - targetX(x0),
                               targetY(y1) - targetY(y0), x0, y0, x1 - x0, y1 - y0, Gdiplus::UnitPixel,
                               gdiplus_->edges, nullptr, nullptr);
    gp::GdipDeleteGraphics(graphics);
  }
  if (part) gp::GdipDisposeImage(part);
  changed_.push_back(area);
}

void SaverPicture::CopyTo(HDC dc, const RECT& area) const {
  if (!buffer_.dc()) return;
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer_.dc(), area.left,
         area.top, SRCCOPY);
}
