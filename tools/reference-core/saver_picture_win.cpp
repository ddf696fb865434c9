#include "tools/reference-core/saver_picture_win.h"

#include <algorithm>
#include <cstring>
#include <numeric>

// MSVC's GDI+ headers want min and max, which NOMINMAX takes away.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <objidl.h>  // PROPID and IStream, left out by WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

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

bool SaverPicture::SetTarget(int width, int height, const DesktopSnapshot* desktop) {
  gdiplus_.reset();
  shown_.clear();
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
  // A part is scaled from frame columns and rows that land on whole target pixels: GDI+ then maps
  // every target pixel to the same point of the frame as for the whole frame, so the part has
  // exactly the whole redraw's pixels. A shrunk frame, or one whose pixels seldom land on whole
  // target pixels, is redone whole.
  alignX_ = kSceneWidth / std::gcd(kSceneWidth, placement_.width);
  alignY_ = kSceneHeight / std::gcd(kSceneHeight, placement_.height);
  if (placement_.width < kSceneWidth || alignX_ > 25 || alignY_ > 25) alignX_ = alignY_ = 0;

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

RECT SaverPicture::SceneArea() const {
  RECT area{placement_.x, placement_.y, placement_.x + placement_.width, placement_.y + placement_.height};
  const RECT whole{0, 0, buffer_.width(), buffer_.height()};
  IntersectRect(&area, &area, &whole);
  return area;
}

int SaverPicture::TargetX(int column) const {
  return placement_.x + static_cast<int>(static_cast<long long>(column) * placement_.width / kSceneWidth);
}

int SaverPicture::TargetY(int row) const {
  return placement_.y + static_cast<int>(static_cast<long long>(row) * placement_.height / kSceneHeight);
}

void SaverPicture::Render(double seconds) {
  changed_.clear();
  if (!gdiplus_) return;
  scene_.Draw(seconds, frame_.data());
  if (!alignX_ || shown_.empty()) {
    RedrawTiles(0, 0, kTilesX, kTilesY);
  } else {
    // Changed tiles, grown for the filter's reach.
    const int grow = filter_ == Gdiplus::InterpolationModeNearestNeighbor ||
                             filter_ == Gdiplus::InterpolationModeBilinear || filter_ == Gdiplus::InterpolationModeDefault
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
    for (const RECT& r : runs) RedrawTiles(r.left, r.top, r.right, r.bottom);
  }
  shown_ = frame_;
}

void SaverPicture::RedrawTiles(int left, int top, int right, int bottom) {
  RECT area{TargetX(left * kTile), TargetY(top * kTile), TargetX(std::min(right * kTile, kSceneWidth)),
            TargetY(std::min(bottom * kTile, kSceneHeight))};
  const RECT scene = SceneArea();
  if (!IntersectRect(&area, &area, &scene)) return;
  const int stride = buffer_.width(), width = area.right - area.left, height = area.bottom - area.top;
  std::uint32_t* origin = buffer_.bits() + static_cast<size_t>(area.top) * stride + area.left;
  for (int y = 0; y < height; ++y)
    std::memcpy(origin + static_cast<size_t>(y) * stride,
                background_.bits() + static_cast<size_t>(area.top + y) * stride + area.left, width * 4u);
  // The frame's part that reaches the area, on aligned columns and rows (all of it when redone whole).
  int x0 = 0, y0 = 0, x1 = kSceneWidth, y1 = kSceneHeight;
  if (alignX_) {
    x0 = std::max(0, (left * kTile - kReach) / alignX_ * alignX_);
    y0 = std::max(0, (top * kTile - kReach) / alignY_ * alignY_);
    x1 = std::min(kSceneWidth, (right * kTile + kReach + alignX_ - 1) / alignX_ * alignX_);
    y1 = std::min(kSceneHeight, (bottom * kTile + kReach + alignY_ - 1) / alignY_ * alignY_);
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
    gp::GdipDrawImageRectRectI(graphics, gdiplus_->frame, TargetX(x0), TargetY(y0), TargetX(x1) - TargetX(x0),
                               TargetY(y1) - TargetY(y0), x0, y0, x1 - x0, y1 - y0, Gdiplus::UnitPixel,
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
