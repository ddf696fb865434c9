#include "ui/text.h"

#include "ui/gdi.h"

namespace {

// The font, colour and background of one text call; the DC's own come back after it.
class TextScope {
 public:
  TextScope(HDC dc, HFONT font, COLORREF color, int mode)
      : dc_(dc), font_(dc, font), mode_(SetBkMode(dc, mode)), color_(SetTextColor(dc, color)),
        back_(SetBkColor(dc, RGB(255, 255, 255))) {}
  TextScope(const TextScope&) = delete;
  TextScope& operator=(const TextScope&) = delete;
  ~TextScope() {
    SetBkColor(dc_, back_);
    SetTextColor(dc_, color_);
    SetBkMode(dc_, mode_);
  }

 private:
  HDC dc_;
  SelectScope font_;
  int mode_;
  COLORREF color_, back_;
};

}  // namespace

void DrawTextLine(HDC dc, HFONT font, COLORREF color, int x, int y, const std::wstring& text) {
  if (text.empty()) return;
  TextScope scope(dc, font, color, TRANSPARENT);
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void DrawTextBox(HDC dc, HFONT font, COLORREF color, bool opaque, const wchar_t* text, const RECT& box,
                 UINT format) {
  TextScope scope(dc, font, color, opaque ? OPAQUE : TRANSPARENT);
  RECT r = box;
  DrawTextW(dc, text, -1, &r, DT_LEFT | DT_TOP | DT_NOPREFIX | format);
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
