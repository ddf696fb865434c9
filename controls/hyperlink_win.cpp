#include "controls/hyperlink.h"

#include "controls/hyperlink_rules.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "base/wide.h"

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
  const SIZE text = TextLineSize(ControlFont(Dpi()), Wide(prompt_));
  const LinkSize size = LinkSizeFor(text.cx, text.cy, ScaleLine(1, Dpi()));
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
  const HFONT font = ControlFont(Dpi());
  const SIZE size = TextLineSize(font, text);
  const LinkLook look = LinkLookFor(Pressed(), Hover());
  const COLORREF color = static_cast<COLORREF>(look.color);
  DrawTextLine(dc, font, color, 0, 0, text);
  if (look.underline && size.cx > 0) {
    // The rows just below the text (one at 96 DPI), from x = 0 up to (not including) its width.
    FillSolid(dc, RECT{0, size.cy, size.cx, size.cy + ScaleLine(1, Dpi())}, color);
  }
  DrawFocusCue(dc, all, color);  // the link is as large as its text: on its edge
  ShowBuffer();
}
