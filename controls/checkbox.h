#pragma once
// CheckBox: the skinned check box, a 13 x 13 glyph cut from its skin at the left edge and the
// Caption right of it, with three values (unchecked, checked, third state). GlyphBox is what the
// check box and the option box share: the caption, the enabled look, the glyph drawing and the
// tooltip anchored at the control instead of following the cursor.
#include <windows.h>

#include <cstdint>

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

  // Pixel row of the glyph, from the control's height.
  std::int32_t GlyphTop() const { return glyphTop_; }

  // Paints the glyph for the value, the flags and the enabled state; the caption stays as it was.
  void DrawPicture() override;

 protected:
  // skinName: the control type's own skin, the same for every instance.
  GlyphBox(const wchar_t* skinName, int disabledColumn, Text defaultCaption);

  bool CreateBox(const wchar_t* className, HWND parent, int x, int y, int width, int height);
  // Clears the control to the form's background, prints the caption, then paints the glyph.
  void PaintLabel();
  void OnBufferResized() override;

  std::uint8_t storedValue_ = 0;

 private:
  Picture skin_;
  int disabledColumn_;
  bool enabled_ = true;
  Text caption_;
  std::int32_t glyphTop_ = 0;
};

class CheckBox : public GlyphBox {
 public:
  CheckBox();

  // Creates the control's window on the form and paints it.
  bool Create(HWND parent, int x, int y, int width, int height);

  // 0 unchecked, 1 checked, 2 third state. Writing stores the value (above 2 as 2), repaints the
  // glyph and raises Click, every time, even when the value is unchanged. A number outside
  // 0..255 throws std::out_of_range and changes nothing.
  std::uint8_t value() const { return storedValue_; }
  void SetValue(int value);

 protected:
  void ClickChangesValue() override;
};
