#include "ui/text.h"

#include "ui/gdi.h"

namespace {

// Runs one text call with the font, colour and background; the DC's own come back after it.
template <class Draw>
void WithLook(HDC dc, HFONT font, COLORREF color, int mode, const Draw& draw) {
  SelectScope select(dc, font);
  const int oldMode = SetBkMode(dc, mode);
  const COLORREF oldColor = SetTextColor(dc, color), oldBack = SetBkColor(dc, RGB(255, 255, 255));
  draw();
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

}  // namespace

void DrawTextLine(HDC dc, HFONT font, COLORREF color, int x, int y, const std::wstring& text) {
  if (text.empty()) return;
  WithLook(dc, font, color, TRANSPARENT, [&] { TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size())); });
}

void DrawTextBox(HDC dc, HFONT font, COLORREF color, bool opaque, const wchar_t* text, const RECT& box,
                 UINT format) {
  RECT r = box;
  WithLook(dc, font, color, opaque ? OPAQUE : TRANSPARENT,
           [&] { DrawTextW(dc, text, -1, &r, DT_LEFT | DT_TOP | DT_NOPREFIX | format); });
}

SIZE TextLineSize(HFONT font, const std::wstring& text) {
  SIZE size{};
  WindowDC screen(nullptr);
  if (!screen) return size;
  SelectScope select(screen.get(), font);
  TEXTMETRICW metrics{};
  if (GetTextMetricsW(screen.get(), &metrics)) size.cy = metrics.tmHeight;
  SIZE extent{};
  if (!text.empty() && GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent))
    size.cx = extent.cx;
  return size;
}

SIZE TextBoxSize(HFONT font, const std::wstring& text, UINT format) {
  if (text.empty()) return SIZE{0, 0};
  WindowDC screen(nullptr);
  SelectScope select(screen.get(), font);
  RECT r{0, 0, 0, 0};
  DrawTextW(screen.get(), text.c_str(), -1, &r, DT_CALCRECT | format);
  return SIZE{r.right - r.left, r.bottom - r.top};
}
