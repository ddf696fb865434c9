#pragma once
// The tooltip tracker for an ordinary window without tooltip logic of its own (the settings
// dialog's path box): decides when its tip appears, follows the pointer, changes text and goes.
#include <cstdint>

#include "base/dpi.h"
#include "base/geometry.h"
#include "base/utf.h"

// What the tracker needs from the platform and the tooltip window.
class WindowTipPlatform {
 public:
  virtual ~WindowTipPlatform() = default;
  // The owner's window rectangle in screen pixels; false (rect untouched) for no such window.
  virtual bool OwnerRect(WindowId owner, Rect& rect) = 0;
  virtual WindowId WindowAt(Point point) = 0;
  virtual WindowId TipWindow() = 0;                    // the tooltip window of the process now
  virtual int OwnerDpi(WindowId owner) = 0;  // the DPI the owner is laid out at
  virtual std::int32_t MeasureText(const Text& text, int dpi) = 0;  // in the dialog's font at dpi
  // Show and move give false when the place does not fit the tooltip's 16-bit position.
  virtual bool ShowTip(const Text& text, WindowId owner, std::int32_t x, std::int32_t y, int dpi) = 0;
  virtual bool MoveTip(const Text& text, std::int32_t x, std::int32_t y) = 0;
  virtual void HideTip() = 0;
};

// The tracker's record (one per process in the program).
struct TrackTipRecord {
  bool Active = false;
  WindowId OwnerWnd = 0;
  ::Text Text;  // what the tracker shows now; "" for nothing
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::int32_t LastX = 0, LastY = 0;
  std::int32_t TextWidth = 0;
  int Dpi = kBaseDpi;  // the owner's, taken with its rectangle: the tip's offsets and font scale with it
  WindowId TipWnd = 0;  // the tooltip window the tracker created, so it hides only its own tip
};

// The hint shown for an empty path.
extern const char16_t* const kEmptyPathTip;

// One pointer event on the owner (x, y relative to its window rectangle). button is the mouse
// button mask (0 none); refresh re-measures the text and moves the tip to the last position.
// A failure (a place that overflows) leaves the tracker inactive.
void UpdateWindowTip(TrackTipRecord& state, WindowTipPlatform& platform, WindowId owner,
                     std::uint8_t button, const Text& text, bool refresh, std::int32_t x,
                     std::int32_t y);
