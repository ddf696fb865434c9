#include "controls/hyperlink.h"

#include "controls/hyperlink_rules.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "base/wide.h"

namespace {

// Width and height of one line of text in the font; the height is the font's line height, so an
// empty text still has one.
SIZE TextSize(HFONT font, const std::wstring& text) {
  SIZE size{};
  WindowDC screen(nullptr);
  if (!screen) return size;
  SelectScope select(screen.get(), font);
  TEXTMETRICW metrics{};
  if (GetTextMetricsW(screen.get(), &metrics)) size.cy = metrics.tmHeight;
  SIZE extent{};
  if (!text.empty() && GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent)) {
    size.cx = extent.cx;
  }
  return size;
}

}  // namespace

bool HyperLink::Create(HWND parent, int x, int y, int width, int height) {
  if (!CreateControl(L"LumivaleHyperLink", parent, x, y, width, height)) return false;
  SizeToPrompt();  // even for an empty text, once
  DrawPicture();
  return true;
}

void HyperLink::SetPrompt(const Text& prompt) {
  prompt_ = prompt;
  SizeToPrompt();
  DrawPicture();
}

void HyperLink::SizeToPrompt() {
  if (!hwnd()) return;
  const SIZE text = TextSize(ControlFont(), Wide(prompt_));
  const LinkSize size = LinkSizeFor(text.cx, text.cy);
  RECT now{};
  GetWindowRect(hwnd(), &now);
  if (now.right - now.left == size.width && now.bottom - now.top == size.height) return;
  SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HyperLink::DrawPicture() {
  HDC dc = BufferDC();
  if (!dc) return;
  const RECT all{0, 0, Buffer().width(), Buffer().height()};
  PaintParentBackground(all);

  const std::wstring text = Wide(prompt_);
  const SIZE size = TextSize(ControlFont(), text);
  const LinkLook look = LinkLookFor(Pressed(), Hover());
  const COLORREF color = static_cast<COLORREF>(look.color);
  {
    SelectScope font(dc, ControlFont());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, color);
    if (!text.empty()) TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
  }
  if (look.underline && size.cx > 0) {
    // The row just below the text, from x = 0 up to (not including) the text's width.
    FillSolid(dc, RECT{0, size.cy, size.cx, size.cy + 1}, color);
  }
  ShowBuffer();
}
