#pragma once
// Skin pictures at another DPI: the sizes they take there, the artwork step to start from, and
// resizing a sheet of cells cell by cell, so that every cell stays where the program looks for it.
#include <optional>

#include "base/dpi.h"
#include "ui/packed_dib.h"

// Rows and columns of equal cells in a picture sheet; a single picture is one cell.
struct CellGrid {
  int columns = 1;
  int rows = 1;
};

struct SheetSize {
  int width = 0;
  int height = 0;
  int cellWidth = 0;
  int cellHeight = 0;
};

// A sheet that is width x height at 96 DPI, at dpi: each cell scaled, the sheet the cell count
// times the cell. Nothing when the sheet does not divide into the cells or a size is out of range.
std::optional<SheetSize> ScaledSheetSize(int width, int height, CellGrid cells, unsigned dpi);

// The DPI of the artwork drawn for dpi or, between the drawn steps (96, 120, ... 192), of the next
// larger one; above the last step the last.
unsigned ArtworkStep(unsigned dpi);

// Each cell of source resized to cellWidth x cellHeight, over premultiplied alpha (so that a
// transparent neighbour does not darken an edge): the average of the covered area where a cell
// shrinks, linear interpolation where it grows. Nothing for a sheet that does not divide into the
// cells or for absurd sizes.
std::optional<DibPixels> ResizeCells(const DibPixels& source, CellGrid cells, int cellWidth, int cellHeight);
