#pragma once
// The retained image of a window ("persistent drawing"): a memory DC holding a bitmap of the
// window's client size. Drawing goes here; WM_PAINT only copies it to the screen.
#include <windows.h>

#include "ui/gdi.h"

class BackBuffer {
 public:
  BackBuffer() = default;
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  ~BackBuffer() { Reset(); }

  // Gives the buffer a new size. What was drawn stays where it fits; new area gets `fill`.
  bool Resize(int width, int height, COLORREF fill);
  void Reset();

  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  explicit operator bool() const { return static_cast<bool>(dc_); }

  // Copies the part `area` (client coordinates) to the same place on `target`.
  void CopyTo(HDC target, const RECT& area) const;

 private:
  UniqueDC dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;  // the DC's own 1x1 bitmap, put back before deleting ours
  int width_ = 0;
  int height_ = 0;
};
