#pragma once
// What the reference core shows: the scene's frame scaled by GDI+ with the chosen filter (or at
// its own size) on each monitor over a background (white, or the desktop as it was at the start),
// composed in a buffer of the target's size. The window's paint and the tests copy the same buffer.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "base/geometry.h"
#include "settings/settings_file.h"
#include "tools/reference-core/scene_layout.h"
#include "ui/gdi.h"

// A 32-bit top-down DIB section selected into its own memory DC, with its pixels at hand.
class DibSection {
 public:
  bool Create(int width, int height);
  HDC dc() const { return dc_.get(); }
  std::uint32_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  UniqueBitmap bitmap_;  // deleted after the DC that holds it
  UniqueDC dc_;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

// The whole virtual screen as it is now (every monitor).
class DesktopSnapshot {
 public:
  DesktopSnapshot();
  const DibSection& picture() const { return picture_; }
  // Its top-left corner on the screen.
  POINT origin() const { return origin_; }

 private:
  DibSection picture_;
  POINT origin_{};
};

// GDI+ for the life of the object.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  explicit operator bool() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

class SaverPicture {
 public:
  explicit SaverPicture(const SettingsRecord& settings);
  ~SaverPicture();
  SaverPicture(const SaverPicture&) = delete;
  SaverPicture& operator=(const SaverPicture&) = delete;

  // Sizes the buffer to the target and lays the background: white with Omake2, else the desktop;
  // no desktop: white. With `monitors` the target is on the screen (all in screen coordinates):
  // the scene goes on each monitor, and the desktop lies where it was (black where it was not: a
  // monitor added since the start). Without, the scene and the desktop are fitted to the target
  // (a preview, the settings window).
  bool SetTarget(const Rect& target, const DesktopSnapshot* desktop, const std::vector<Rect>& monitors = {});
  // Draws the scene as it is `seconds` after the start and puts it over the background. Only the
  // parts of the target whose pixels the change of the frame reaches are scaled again (when the
  // frame is enlarged; a shrunk one is redone whole), with the same pixels as a whole redraw.
  void Render(double seconds);
  // What the last Render changed, in target coordinates.
  const std::vector<RECT>& Changed() const { return changed_; }
  // The paint: copies `area` of the buffer to dc (target coordinates).
  void CopyTo(HDC dc, const RECT& area) const;
  // Where the scene goes, a place for each monitor (target coordinates).
  const std::vector<MonitorScene>& Places() const { return places_; }

 private:
  struct GdiplusObjects;
  // Background and scene again over the frame's tiles [left, right) x [top, bottom) on one monitor.
  void RedrawTiles(const MonitorScene& place, int left, int top, int right, int bottom);
  // The frame's tiles that changed since the last Render, grown by the filter's reach, as runs.
  std::vector<RECT> ChangedRuns() const;

  Scene scene_;
  std::vector<std::uint32_t> frame_, shown_;  // the frame now and the one the buffer holds
  std::vector<RECT> changed_;
  DibSection background_, buffer_;
  std::vector<MonitorScene> places_;
  int filter_;
  bool naturalSize_, white_;
  std::unique_ptr<GdiplusObjects> gdiplus_;
};
