#pragma once
// Owned GDI objects and scope guards. A raw HFONT/HBITMAP/HRGN/HDC always means borrowed; the
// owning types below delete what they hold and keep a live count, because the system's own count
// (GetGuiResources) cannot be trusted everywhere we test.
#include <windows.h>

#include <utility>

// Number of GDI objects (fonts, bitmaps, brushes, pens, regions, memory DCs) now owned by the
// wrappers of this file.
long LiveGdiObjects();

namespace gdi_detail {
void CountCreated();
void CountDeleted();
}  // namespace gdi_detail

template <class H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H h) : h_(h) {
    if (h_) gdi_detail::CountCreated();
  }
  GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

  // Hands the object to a new owner (a region given to SetWindowRgn belongs to the window).
  H release() {
    if (h_) gdi_detail::CountDeleted();
    return std::exchange(h_, nullptr);
  }
  void reset(H h = nullptr) {
    if (h_) {
      DeleteObject(h_);
      gdi_detail::CountDeleted();
    }
    h_ = h;
    if (h_) gdi_detail::CountCreated();
  }

 private:
  H h_ = nullptr;
};

using UniqueFont = GdiObject<HFONT>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueBrush = GdiObject<HBRUSH>;
using UniquePen = GdiObject<HPEN>;
using UniqueRegion = GdiObject<HRGN>;

// A memory device context (CreateCompatibleDC), deleted with DeleteDC.
class UniqueDC {
 public:
  UniqueDC() = default;
  explicit UniqueDC(HDC dc) : dc_(dc) {
    if (dc_) gdi_detail::CountCreated();
  }
  UniqueDC(UniqueDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
  UniqueDC& operator=(UniqueDC&& o) noexcept {
    if (this != &o) {
      reset();
      dc_ = std::exchange(o.dc_, nullptr);
    }
    return *this;
  }
  UniqueDC(const UniqueDC&) = delete;
  UniqueDC& operator=(const UniqueDC&) = delete;
  ~UniqueDC() { reset(); }

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void reset() {
    if (dc_) {
      DeleteDC(dc_);
      gdi_detail::CountDeleted();
      dc_ = nullptr;
    }
  }

 private:
  HDC dc_ = nullptr;
};

// Selects an object into a DC for the scope and puts the previous one back.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint/EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(hwnd_, &ps_); }

  HDC dc() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// GetDC/ReleaseDC; a null window gives the screen's DC.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};
