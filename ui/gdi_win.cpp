#include "ui/gdi.h"

#include "ui/live_objects.h"

namespace {
long liveGdiObjects = 0;  // UI thread only, like every GDI owner
}

long LiveGdiObjects() { return liveGdiObjects; }

void DeleteGdiObject::Track(int change) { liveGdiObjects += change; }

void FillSolid(HDC dc, const RECT& area, COLORREF color) {
  UniqueBrush brush(CreateSolidBrush(color));
  if (brush) FillRect(dc, &area, brush.get());
}
