#pragma once
// Real windows and real input for the HyperLink, CheckBox and OptionBox tests: a topmost form at
// a known place, mouse input through SendInput, pumping with generous deadlines, and pixels read
// back from the controls' paint.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/input_support.h"
#include "ui/window.h"

namespace links {

using input::MoveMouse;
using input::Press;
using input::Pump;
using input::PumpFor;
using input::WaitFor;

// Releases every button (the end of a test that may have failed while pressing).
void ReleaseButtons();

// A borderless topmost form at a fixed screen place, filled with `color`, shown and (as the dialogs
// are when the user works with them) active; Wine routes captured mouse input by the active window.
class HostForm : public Form {
 public:
  HostForm(int x, int y, int w, int h, COLORREF color = RGB(255, 255, 255), bool activate = true);
};

// A plain child window that holds controls (a frame), painting nothing of its own.
class Container {
 public:
  Container(HWND parent, int x, int y, int w, int h);
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;
  ~Container();
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The control's look as its paint gives it: its client area, pixel by pixel (0x00BBGGRR).
class Pixels {
 public:
  explicit Pixels(HWND window);
  COLORREF at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Number of pixels of exactly `color` in the rectangle.
  int Count(COLORREF color, const RECT& area) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

// The 13 x 13 cell (cellX, cellY) of a skin resource drawn over `background`, as a control shows
// it.
std::vector<COLORREF> ExpectedGlyph(const wchar_t* skin, int cellX, int cellY, COLORREF background);
// The 13 x 13 pixels at (0, top) of the pixels.
std::vector<COLORREF> GlyphAt(const Pixels& pixels, int top);

}  // namespace links
