#pragma once
// Button: the skinned push button. It paints one of three frames of its skin picture (normal,
// hover, pressed), shows a tooltip that follows the mouse, and raises Click for a left press and
// release over it. Its mouse handling is the shared control model (SkinnedControl).
#include <windows.h>

#include "controls/skinned_control.h"
#include "ui/picture.h"

class Button : public SkinnedControl {
 public:
  Button();

  // Creates the control's window on the form and paints it once.
  bool Create(HWND parent, int x, int y, int width, int height);

  // The skin: three frames of equal height stacked from the top (normal, hover, pressed). Not
  // owned: whoever sets it keeps it alive while it is set. None leaves the last image in place.
  void SetButtonSkin(const Picture* skin);

  // Paints the frame for the current flags into the retained image (WM_PAINT shows it), and the
  // focus cue inside it.
  void DrawPicture() override;

  // Enter clicks the button when it has the keyboard (Space always does); otherwise Enter is the
  // form's.
  bool EnterClicks = false;

 protected:
  bool ActsOnKey(UINT key) const override { return key == VK_SPACE || (EnterClicks && key == VK_RETURN); }
  LONG ReaderRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
  const wchar_t* ReaderAction() const override { return L"Press"; }

 private:
  const Picture* skin_ = nullptr;
};

// The frame rectangle of a three-frame skin in picture pixels: full width, height / 3 rows
// exactly, from the top normal, hover, pressed.
RECT SkinFrameRect(int pictureWidth, int pictureHeight, SkinFrame frame);
