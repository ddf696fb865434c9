#pragma once
// Owned GDI objects and scope guards. A raw HFONT/HBITMAP/HRGN/HDC always means borrowed; the
// owners below delete what they hold and keep a live count (ui/live_objects.h), because the
// system's own count (GetGuiResources) cannot be trusted everywhere we test.
#include <windows.h>

#include "base/owner.h"

// GDI objects (fonts, bitmaps, brushes, pens, regions) and memory DCs, counted while owned.
struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
  static void Track(int change);
};
struct DeleteMemoryDC {
  void operator()(HDC dc) const { DeleteDC(dc); }
  static void Track(int change) { DeleteGdiObject::Track(change); }
};

template <class H>
using GdiObject = Owner<H, DeleteGdiObject{}>;
using UniqueFont = GdiObject<HFONT>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueBrush = GdiObject<HBRUSH>;
using UniquePen = GdiObject<HPEN>;
using UniqueRegion = GdiObject<HRGN>;
using UniqueDC = Owner<HDC, DeleteMemoryDC{}>;  // CreateCompatibleDC's

// Fills the area with one colour.
void FillSolid(HDC dc, const RECT& area, COLORREF color);

// Selects an object into a DC for the scope and puts the previous one back.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() {
    if (*this) SelectObject(dc_, old_);
  }
  // Whether the object went in.
  explicit operator bool() const { return old_ && old_ != HGDI_ERROR; }

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
