#include "controls/glyph_box.h"

#include <utility>

#include "controls/glyph_rules.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "base/wide.h"

namespace {

constexpr COLORREF kCaptionColor = RGB(0, 0, 0);
constexpr COLORREF kDisabledCaptionColor = 0xA0A0A0;

}  // namespace

GlyphBox::GlyphBox(const wchar_t* skinName, int disabledColumn, Text defaultCaption)
    : SkinnedControl(TipStyle::Anchored),
      skinName_(skinName),
      disabledColumn_(disabledColumn),
      caption_(std::move(defaultCaption)) {}

bool GlyphBox::CreateBox(const wchar_t* className, HWND parent, int x, int y, int width, int height) {
  if (!CreateControl(className, parent, x, y, width, height)) return false;
  EnableWindow(hwnd(), enabled_);
  PaintLabel();
  return true;
}

void GlyphBox::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd()) EnableWindow(hwnd(), enabled);
  PaintLabel();
}

void GlyphBox::SetCaption(const Text& caption) {
  caption_ = caption;
  PaintLabel();
}

// The skin sheet: the value columns and the disabled one, three rows of flags.
void GlyphBox::LoadForDpi() {
  skin_ = LoadPicture(skinName_, static_cast<UINT>(Dpi()), CellGrid{disabledColumn_ / kGlyphSize + 1, 3});
}

void GlyphBox::OnBufferResized() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  glyphTop_ = ::GlyphTop(client.bottom, GlyphSize());
  PaintLabel();
}

void GlyphBox::PaintLabel() {
  HDC dc = BufferDC();
  if (!dc) return;
  const RECT all{0, 0, Buffer().width(), Buffer().height()};
  PaintParentBackground(all);  // this also erases the glyph
  const std::wstring caption = Wide(caption_);
  DrawTextLine(dc, DialogFont(Dpi()), enabled_ ? kCaptionColor : kDisabledCaptionColor, CaptionX(),
               glyphTop_ + Scale(1, Dpi()), caption);
  // Round the caption, as the system's check boxes show it.
  const SIZE text = TextLineSize(DialogFont(Dpi()), caption);
  const int margin = Scale(2, Dpi());
  DrawFocusCue(dc, RECT{CaptionX() - margin, glyphTop_ + Scale(1, Dpi()) - margin / 2, CaptionX() + text.cx + margin,
                        glyphTop_ + Scale(1, Dpi()) + text.cy + margin / 2}, kCaptionColor);
  DrawPicture();
  ShowBuffer();  // also when there is no skin to draw
}

void GlyphBox::DrawPicture() {
  HDC dc = BufferDC();
  if (!dc || !skin_) return;
  const int size = GlyphSize();
  const CellOrigin cell = GlyphCell(enabled_, storedValue_, Pressed(), Hover(), disabledColumn_, size);
  // The skin's transparent pixels show the form beneath, not the glyph drawn before.
  const RECT glyph{0, glyphTop_, size, glyphTop_ + size};
  PaintParentBackground(glyph);
  DrawPicturePart(dc, skin_, 0, glyphTop_, cell.x, cell.y, size, size);
  ShowBuffer();
}
