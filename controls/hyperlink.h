#pragma once
// HyperLink: a one-line text link. It prints Prompt in link colours, underlines it while the
// pointer is over it or it is pressed, sizes itself to the text, and has the shared control model
// unchanged (tooltip following the cursor, Click on a left press and release over it).
#include <windows.h>

#include "controls/skinned_control.h"

class HyperLink : public SkinnedControl {
 public:
  HyperLink() : SkinnedControl(TipStyle::FollowCursor) {}

  // Creates the control's window on the form, sizes it to Prompt and paints it. The width and
  // height asked for give way to the text's size.
  bool Create(HWND parent, int x, int y, int width, int height);

  // The link text. Writing it resizes the control to the text and repaints.
  const Text& Prompt() const { return prompt_; }
  void SetPrompt(const Text& prompt);

  // Paints the text in the colour and underline of the current flags, on the form's background.
  void DrawPicture() override;

 protected:
  // Whatever size the form asks for, a link with text takes the text's size.
  void OnSize() override {
    if (!prompt_.empty()) SizeToPrompt();
  }
  void OnBufferResized() override { DrawPicture(); }
  void LoadForDpi() override { SizeToPrompt(); }  // the text's size in the font of the new DPI
  bool ActsOnKey(UINT key) const override { return key == VK_SPACE || key == VK_RETURN; }
  LONG ReaderRole() const override { return ROLE_SYSTEM_LINK; }
  Text ReaderName() const override { return prompt_; }
  const wchar_t* ReaderAction() const override { return L"Jump"; }

 private:
  void SizeToPrompt();

  // The default text is the control type's name; every form sets its own.
  Text prompt_ = u"HyperLink";
};
