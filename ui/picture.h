#pragma once
// Skin pictures: the program's BITMAP resources held as 32-bpp DIB sections ready for AlphaBlend.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <utility>

#include "ui/gdi.h"
#include "ui/picture_scale.h"

class Picture {  // an owned 32-bpp top-down DIB section with premultiplied alpha
 public:
  Picture() = default;
  Picture(Picture&& o) noexcept
      : bitmap_(std::move(o.bitmap_)), width_(std::exchange(o.width_, 0)), height_(std::exchange(o.height_, 0)) {}
  Picture& operator=(Picture&& o) noexcept {
    if (this != &o) {
      bitmap_ = std::move(o.bitmap_);
      width_ = std::exchange(o.width_, 0);
      height_ = std::exchange(o.height_, 0);
    }
    return *this;
  }

  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  explicit operator bool() const { return static_cast<bool>(bitmap_); }

  // Builds a picture from top-down pixels 0xAARRGGBB with straight alpha (skins made in code).
  static Picture FromPixels(int width, int height, const std::uint32_t* pixels);

 private:
  UniqueBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

// Loads a BITMAP resource of the program: 32 bpp with straight alpha (a picture whose alpha is zero
// everywhere is taken as opaque). Returns an empty Picture when the resource is missing or is not a
// well-formed 32-bpp bitmap.
Picture LoadPicture(const wchar_t* resourceName);

// The same picture for a window at dpi: at 96 exactly LoadPicture(resourceName); at the other
// drawn steps (120, 144, 168, 192) the artwork drawn for it (the resource name with _125, _150,
// _175 or _200); in between, the next larger step's artwork reduced, above 192 the last enlarged,
// below 96 the 96 one reduced. For a sheet, `cells` gives its grid: each cell becomes
// MulDiv(cell, dpi, 96) and the sheet that many cells. Empty when the 96-DPI picture is missing or
// does not divide into the cells.
Picture LoadPicture(const wchar_t* resourceName, UINT dpi, CellGrid cells = {});

// The same from a packed DIB (a bitmap resource's bytes: header, masks, pixels).
Picture PictureFromPackedDib(const void* data, std::size_t size);

// Copies a part of the picture to dc at (x, y), alpha-blended (transparent pixels leave dc as is).
// The part is clipped to the picture; an empty picture or an empty part draws nothing.
void DrawPicturePart(HDC dc, const Picture& p, int x, int y, int srcX, int srcY, int w, int h);
