#pragma once
// GlyphBox: what the check box and the option box share: a 13 x 13 glyph cut from the control's
// skin at the left edge, the caption right of it, the enabled look and the tooltip anchored at the
// control instead of following the cursor. All of it at the control's DPI: the glyph, its skin and
// the caption's place and font scale.
#include <windows.h>

#include <cstdint>

#include "controls/glyph_rules.h"
#include "controls/skinned_control.h"
#include "ui/picture.h"

class GlyphBox : public SkinnedControl {
 public:
  // Disabled: the caption turns grey and the glyph comes from the disabled column. A disabled
  // control gets no mouse input.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Writing the caption clears the control and paints caption and glyph anew.
  const Text& Caption() const { return caption_; }
  void SetCaption(const Text& caption);

  // The tooltip window shown by the latest hover entry, 0 when that entry showed none: the pointer
  // over it still hovers the control.
  WindowId OwnTipWindow() const { return Model().OwnTipWindow(); }

  // Pixel row of the glyph, from the control's height; its side and the caption's left edge.
  std::int32_t GlyphTop() const { return glyphTop_; }
  std::int32_t GlyphSize() const { return Scale(kGlyphSize, Dpi()); }
  std::int32_t CaptionX() const { return Scale(kCaptionX, Dpi()); }

  // Paints the glyph for the value, the flags and the enabled state; the caption stays as it was.
  void DrawPicture() override;

 protected:
  // skinName: the control type's own skin, the same for every instance.
  GlyphBox(const wchar_t* skinName, int disabledColumn, Text defaultCaption);

  bool CreateBox(const wchar_t* className, HWND parent, int x, int y, int width, int height);
  // Clears the control to the form's background, prints the caption, then paints the glyph.
  void PaintLabel();
  void OnBufferResized() override;
  void LoadForDpi() override;
  void RepaintFocus() override { PaintLabel(); }
  Text ReaderName() const override { return caption_; }

  std::uint8_t storedValue_ = 0;

 private:
  const wchar_t* skinName_;
  Picture skin_;
  int disabledColumn_;
  bool enabled_ = true;
  Text caption_;
  std::int32_t glyphTop_ = 0;
};
