#include "controls/glyph_box.h"

#include <utility>

#include "controls/checkbox_rules.h"
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
      skin_(LoadPicture(skinName)),
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

void GlyphBox::OnBufferResized() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  glyphTop_ = ::GlyphTop(client.bottom);
  PaintLabel();
}

void GlyphBox::PaintLabel() {
  HDC dc = BufferDC();
  if (!dc) return;
  const RECT all{0, 0, Buffer().width(), Buffer().height()};
  PaintParentBackground(all);  // this also erases the glyph
  DrawTextLine(dc, DialogFont(), enabled_ ? kCaptionColor : kDisabledCaptionColor, kCaptionX, glyphTop_ + 1,
               Wide(caption_));
  DrawPicture();
  ShowBuffer();  // also when there is no skin to draw
}

void GlyphBox::DrawPicture() {
  HDC dc = BufferDC();
  if (!dc || !skin_) return;
  const CellOrigin cell = GlyphCell(enabled_, storedValue_, Pressed(), Hover(), disabledColumn_);
  // The skin's transparent pixels show the form beneath, not the glyph drawn before.
  const RECT glyph{0, glyphTop_, kGlyphSize, glyphTop_ + kGlyphSize};
  PaintParentBackground(glyph);
  DrawPicturePart(dc, skin_, 0, glyphTop_, cell.x, cell.y, kGlyphSize, kGlyphSize);
  ShowBuffer();
}
