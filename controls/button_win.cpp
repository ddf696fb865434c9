#include "controls/button.h"

RECT SkinFrameRect(int pictureWidth, int pictureHeight, SkinFrame frame) {
  const int height = pictureHeight / 3;
  const int top = height * static_cast<int>(frame);
  return RECT{0, top, pictureWidth, top + height};
}

Button::Button() : SkinnedControl(TipStyle::FollowCursor) {}

bool Button::Create(HWND parent, int x, int y, int width, int height) {
  return CreateControl(L"LumivaleButton", parent, x, y, width, height);
}

void Button::SetButtonSkin(const Picture* skin) {
  skin_ = skin;
  DrawPicture();
}

void Button::DrawPicture() {
  if (!skin_ || !*skin_ || !BufferDC()) return;
  const RECT frame = SkinFrameRect(skin_->width(), skin_->height(), Model().Frame());
  const RECT area{0, 0, frame.right - frame.left, frame.bottom - frame.top};
  // The skin's transparent pixels show the form beneath, as a plain copy of an opaque skin would.
  PaintParentBackground(area);
  DrawPicturePart(BufferDC(), *skin_, 0, 0, frame.left, frame.top, area.right, area.bottom);
  const int inset = Scale(2, Dpi());
  DrawFocusCue(BufferDC(), RECT{inset, inset, area.right - inset, area.bottom - inset}, RGB(0x40, 0x40, 0x40));
  ShowBuffer();
}
