#include "controls/checkbox.h"

#include "controls/checkbox_rules.h"

CheckBox::CheckBox() : GlyphBox(L"SKIN_CHECKBOX", kCheckBoxDisabledColumn, u"CheckBox") {}

bool CheckBox::Create(HWND parent, int x, int y, int width, int height) {
  return CreateBox(L"LumivaleCheckBox", parent, x, y, width, height);
}

void CheckBox::SetValue(int value) {
  const std::optional<std::uint8_t> stored = CheckBoxStoredValue(value);
  if (!stored) return;
  storedValue_ = *stored;
  DrawPicture();
  RaiseClick();  // last: the handler may destroy the control
}

// The glyph keeps the old value until the next redraw, as the click's own redraw came first.
void CheckBox::ClickChangesValue() { storedValue_ = CheckBoxValueAfterClick(storedValue_); }
