#include "controls/glyph_rules.h"

#include "controls/control_model.h"

std::int32_t GlyphTop(std::int32_t heightPixels, std::int32_t glyphSize) {
  const std::int64_t spare = static_cast<std::int64_t>(heightPixels) - glyphSize;
  // Halving rounds down, also below zero (-1 / 2 is -1 here, not 0).
  return static_cast<std::int32_t>(spare >= 0 ? spare / 2 : -((-spare + 1) / 2));
}

CellOrigin GlyphCell(bool enabled, std::uint8_t value, bool pressed, bool hover, int disabledColumn, int cellSize) {
  if (!enabled) return {disabledColumn / kGlyphSize * cellSize, cellSize * value};
  return {cellSize * value, cellSize * static_cast<int>(FrameFor(pressed, hover))};
}
