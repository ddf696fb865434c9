#include "controls/hyperlink_rules.h"

LinkLook LinkLookFor(bool pressed, bool hover) {
  return {pressed && hover ? kLinkRed : kLinkBlue, pressed || hover};
}

LinkSize LinkSizeFor(int textWidth, int textHeight, int underline) { return {textWidth, textHeight + underline}; }
