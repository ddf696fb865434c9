#pragma once
// The rules of the glyph controls (CheckBox, OptionBox) that need no window: where the 13 x 13
// glyph sits and which cell of the skin it is. The lengths are at 96 DPI; a control at another DPI
// scales them (base/dpi.h).
#include <cstdint>

inline constexpr int kGlyphSize = 13;  // a glyph cell is 13 x 13 pixels
inline constexpr int kCaptionX = 19;   // the caption starts right of the glyph
// The column of the disabled glyphs: the check box has three values before it, the option box two.
inline constexpr int kCheckBoxDisabledColumn = 39;
inline constexpr int kOptionBoxDisabledColumn = 26;

// Pixel row of a glyph glyphSize high in a control of the given height: centred, rounded down (a
// control lower than the glyph gets a negative row).
std::int32_t GlyphTop(std::int32_t heightPixels, std::int32_t glyphSize = kGlyphSize);

struct CellOrigin {
  int x = 0;
  int y = 0;
};

// The skin cell for the control's state, in a sheet of cellSize cells. Enabled: the value's
// column, with row 0 when neither pressed nor hovered, 1 when exactly one is, 2 when both.
// Disabled: the disabled column (given in 13-pixel cells: 39 is the fourth), the value's row,
// whatever the flags.
CellOrigin GlyphCell(bool enabled, std::uint8_t value, bool pressed, bool hover, int disabledColumn,
                     int cellSize = kGlyphSize);
