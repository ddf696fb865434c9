#pragma once
// The program's skinned top-level windows (the settings dialog, the message box): borderless and
// topmost, with rounded corners, moved by a press anywhere on them that no control takes, drawn
// into their back buffer with the caption painted on the skin; a change of the monitors that
// leaves one on none brings it back onto the nearest.
#include <windows.h>

#include "ui/text.h"
#include "ui/window.h"

class SkinnedForm : public Form {
 protected:
  // Creates the window, hidden, in the topmost band.
  bool CreateSkinnedForm(const wchar_t* title, int x, int y, int width, int height, DWORD exStyle);
  // Gives the window its rounded outline for this size (corner: the ellipse's width and height).
  void RoundCorners(int width, int height, int corner = 9);

  // The caption line at the top of the skin.
  static void DrawCaption(HDC dc, HFONT font, const wchar_t* text, const RECT& box) {
    DrawTextBox(dc, font, RGB(0x40, 0x40, 0x40), false, text, box);
  }

  Handled OnMouseDown(MouseButton button, WPARAM keys, POINT at) override;
  Handled OnTimer(UINT_PTR id) override;
  void OnDisplayChange() override;
  void OnDestroy() override;
};
