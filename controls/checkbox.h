#pragma once
// CheckBox: the skinned check box, with three values (unchecked, checked, third state).
#include <windows.h>

#include <cstdint>

#include "controls/glyph_box.h"

class CheckBox : public GlyphBox {
 public:
  CheckBox();

  // Creates the control's window on the form and paints it.
  bool Create(HWND parent, int x, int y, int width, int height);

  // 0 unchecked, 1 checked, 2 third state. Writing stores the value (above 2 as 2), repaints the
  // glyph and raises Click, every time, even when the value is unchanged. A number outside
  // 0..255 is refused: nothing changes and Click is not raised.
  std::uint8_t value() const { return storedValue_; }
  void SetValue(int value);

 protected:
  void ClickChangesValue() override;
  bool ActsOnKey(UINT key) const override { return key == VK_SPACE; }
  LONG ReaderRole() const override { return ROLE_SYSTEM_CHECKBUTTON; }
  bool Checked() const override { return storedValue_ == 1; }
  const wchar_t* ReaderAction() const override { return storedValue_ == 0 ? L"Check" : L"Uncheck"; }
};
