#pragma once
// OptionBox: the skinned option (radio) button, the check box with two values and one rule added:
// turning one on turns off the other option boxes of its form in the same container window.
#include <windows.h>

#include "controls/glyph_box.h"

class OptionBox : public GlyphBox {
 public:
  OptionBox();

  // Creates the control's window on the form (or in a container window on it) and paints it.
  bool Create(HWND parent, int x, int y, int width, int height);

  // Writing true turns off the members of the group that are on, then this one on; writing false
  // turns only this one off (the group may be left with none on). No event is raised.
  bool value() const { return storedValue_ != 0; }
  void SetValue(bool value);

 protected:
  Handled OnOther(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void ClickChangesValue() override;
  LONG ReaderRole() const override { return ROLE_SYSTEM_RADIOBUTTON; }
  bool Checked() const override { return value(); }
  const wchar_t* ReaderAction() const override { return L"Check"; }
};
