#include "ui/fonts.h"

#include "base/dpi.h"
#include "ui/gdi.h"

// Point sizes are turned into pixels at the screen's vertical resolution, as the forms lay out.
UniqueFont MakeHangulFont(double points, int weight) {
  int dpi = 96;
  {
    WindowDC screen(nullptr);
    if (screen) dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  LOGFONTW lf{};
  lf.lfHeight = FontHeight(points, dpi);
  lf.lfWeight = weight;
  lf.lfCharSet = HANGUL_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  wcscpy_s(lf.lfFaceName, L"돋움");
  return UniqueFont(CreateFontIndirectW(&lf));
}

HFONT DialogFont() {
  static UniqueFont font = MakeHangulFont(9);
  return font.get();
}

HFONT ControlFont() {
  static UniqueFont font = MakeHangulFont(8.25);
  return font.get();
}
