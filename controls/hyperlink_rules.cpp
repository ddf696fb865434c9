#include "controls/hyperlink_rules.h"

#include "controls/control_model.h"

LinkLook LinkLookFor(bool pressed, bool hover) {
  const SkinFrame frame = FrameFor(pressed, hover);
  return {frame == SkinFrame::Pressed ? kLinkRed : kLinkBlue, frame != SkinFrame::Normal};
}

LinkSize LinkSizeFor(int textWidth, int textHeight, int underline) { return {textWidth, textHeight + underline}; }
