#pragma once
// What the reference core shows: the scene's frame scaled by GDI+ with the chosen filter (or at
// its own size) over a background (white, or the desktop as it was at the start), composed in a
// buffer of the target's size. The window's paint and the tests copy the same buffer.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "settings/settings_file.h"
#include "tools/reference-core/scene.h"
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

 private:
  DibSection picture_;
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

  // Sizes the buffer to the target and lays the background: white with Omake2, else the desktop
  // (shrunk to the target when it is a preview). No desktop: white.
  bool SetTarget(int width, int height, const DesktopSnapshot* desktop);
  // Draws the scene as it is `seconds` after the start and puts it over the background. Only the
  // parts of the target whose pixels the change of the frame reaches are scaled again (when the
  // frame is enlarged; a shrunk one is redone whole), with the same pixels as a whole redraw.
  void Render(double seconds);
  // What the last Render changed, in target coordinates.
  const std::vector<RECT>& Changed() const { return changed_; }
  // The paint: copies `area` of the buffer to dc (target coordinates).
  void CopyTo(HDC dc, const RECT& area) const;
  // The part of the target the scene covers.
  RECT SceneArea() const;

 private:
  struct GdiplusObjects;
  // Target position of a frame column / row (whole pixels, rounded down).
  int TargetX(int column) const;
  int TargetY(int row) const;
  // Background and scene again over the frame's tiles [left, right) x [top, bottom).
  void RedrawTiles(int left, int top, int right, int bottom);

  Scene scene_;
  std::vector<std::uint32_t> frame_, shown_;  // the frame now and the one the buffer holds
  std::vector<RECT> changed_;
  DibSection background_, buffer_;
  Placement placement_{};
  int alignX_ = 0, alignY_ = 0;  // frame columns / rows that land on whole target pixels; 0: redo all
  int filter_;
  bool naturalSize_, white_;
  std::unique_ptr<GdiplusObjects> gdiplus_;
};
