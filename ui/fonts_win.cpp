#include "ui/fonts.h"

#include <map>

#include "base/dpi.h"

namespace {

// One font of a kind per DPI, made on first use.
HFONT SharedFont(std::map<int, UniqueFont>& fonts, double points, int dpi) {
  UniqueFont& font = fonts[dpi];
  if (!font) font = MakeHangulFont(points, FW_NORMAL, dpi);
  return font.get();
}

}  // namespace

int ScreenDpi() {
  WindowDC screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kBaseDpi;
}

UniqueFont MakeHangulFont(double points, int weight, int dpi) {
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

HFONT DialogFont(int dpi) {
  static std::map<int, UniqueFont> fonts;
  return SharedFont(fonts, 9, dpi);
}

HFONT ControlFont(int dpi) {
  static std::map<int, UniqueFont> fonts;
  return SharedFont(fonts, 8.25, dpi);
}
