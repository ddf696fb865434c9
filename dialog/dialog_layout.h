#pragma once
// The settings dialog's layout at 96 DPI, the one table of its numbers: the program lays the
// dialog out from it at any DPI, and the tests, scripts/capture and the artwork script
// (resources/draw_skin.py, through scripts/dialog_layout.py) read their places from it. Keep each
// place on one line, written as below, for those readers.

#include "base/dpi.h"

// A box: left, top, width, height.
struct Place {
  int x, y, width, height;
};
// The box at a DPI.
constexpr Rect ScaledPlace(const Place& p, int dpi) { return ScaleBox(p.x, p.y, p.width, p.height, dpi); }

// The dialog itself, and the corner ellipse of its outline.
inline constexpr Place kDialogPlace{0, 0, 370, 250};
inline constexpr int kDialogCorner = 9;

// The controls.
inline constexpr Place kUnloadPlace{330, 0, 33, 14};
inline constexpr Place kFolderPlace{320, 54, 20, 19};
inline constexpr Place kOkPlace{317, 218, 40, 19};
inline constexpr Place kFirstOptionPlace{24, 96, 121, 18};  // the six options, one under another
inline constexpr Place kOmakePlaces[2] = {{160, 96, 185, 18}, {160, 114, 185, 18}};
inline constexpr Place kLinkPlaces[2] = {{160, 168, 102, 12}, {160, 184, 93, 12}};
constexpr Place OptionPlace(int index) {
  return {kFirstOptionPlace.x, kFirstOptionPlace.y + kFirstOptionPlace.height * index, kFirstOptionPlace.width,
          kFirstOptionPlace.height};
}

// The path box's frame and the edit box inside it.
inline constexpr Place kPathFramePlace{24, 56, 292, 15};
inline constexpr Place kPathBoxPlace{26, 58, 288, 11};

// The rules: a start and a run along x and y (the end point itself is not drawn).
inline constexpr Place kRules[3] = {{24, 45, 321, 0}, {24, 85, 321, 0}, {152, 96, 0, 105}};

// The texts drawn on the skin: the caption, the three headings (on the rules), the title (wraps
// in its box) and the about line; and the thumbnail picture.
inline constexpr Place kCaptionTextPlace{8, 2, 300, 13};
inline constexpr Place kHeadingPlaces[3] = {{44, 40, 64, 12}, {44, 80, 60, 12}, {168, 80, 60, 12}};
inline constexpr Place kTitlePlace{160, 136, 113, 25};
inline constexpr Place kAboutPlace{16, 224, 297, 17};
inline constexpr Place kThumbPlace{280, 136, 70, 70};
