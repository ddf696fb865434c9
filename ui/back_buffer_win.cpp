#include "ui/back_buffer.h"

bool BackBuffer::Resize(int width, int height, COLORREF fill) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  if (dc_ && width == width_ && height == height_) return true;

  WindowDC screen(nullptr);
  if (!screen) return false;
  UniqueDC dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!dc || !bitmap) return false;
  HGDIOBJ original = SelectObject(dc.get(), bitmap.get());

  FillSolid(dc.get(), RECT{0, 0, width, height}, fill);
  if (dc_) BitBlt(dc.get(), 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);

  Reset();
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  originalBitmap_ = original;
  width_ = width;
  height_ = height;
  return true;
}

void BackBuffer::Reset() {
  if (dc_ && originalBitmap_) SelectObject(dc_.get(), originalBitmap_);
  originalBitmap_ = nullptr;
  dc_.reset();
  bitmap_.reset();
  width_ = height_ = 0;
}

void BackBuffer::CopyTo(HDC target, const RECT& area) const {
  if (!dc_) return;
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(),
         area.left, area.top, SRCCOPY);
}
