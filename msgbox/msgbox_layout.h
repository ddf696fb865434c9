#pragma once
// What a message box shows and where, decided from its style and its prompt's size alone.
#include <cstdint>

#include "base/dpi.h"
#include "base/geometry.h"
#include "base/utf.h"

enum class MsgIcon { None, Information, Exclamation, Critical };

struct MsgBoxStyle {
  bool yesNo = false;  // Yes and No, otherwise the single OK
  MsgIcon icon = MsgIcon::None;
};

// Only the button bit 0x4 and the icon bits are read; 0x40 wins over 0x30, which wins over 0x10.
MsgBoxStyle DecodeMsgBoxStyle(std::int32_t style);

struct MsgBoxLayout {
  int width = 0, height = 0;  // the window's inner size
  Rect frame[7];              // top band, top-right, left, right, bottom-left, bottom band, bottom-right
  Rect yes, no, ok;           // the three buttons (only the visible ones are shown)
  Rect shadow[2];             // button shadows: [0] behind Yes, [1] behind No / OK
  Rect icon;                  // the one icon, if any
  Rect prompt;                // the prompt label, sized to its text
  Rect caption;               // the title's fixed box; what does not fit is cut
  int corner = 0;             // the width and height of the ellipse that rounds the corners
  int left = 0, top = 0;      // the window's place, centred on the whole monitor
};

// Lays the box out around a prompt of the given pixel size (measured in the font of that DPI), at
// `dpi`, centred on `monitor` (its whole rectangle, not its work area). Each length of the design
// at 96 DPI is scaled on its own (base/dpi.h); at 96 DPI the layout is the design's.
MsgBoxLayout ArrangeMsgBox(int promptWidth, int promptHeight, const Rect& monitor, int dpi = kBaseDpi);

// The prompt is cut to its first 1000 characters.
Text CutPrompt(const Text& prompt);

// The plain-text block that Ctrl+C puts on the clipboard.
Text MsgBoxClipboardText(const Text& title, const Text& prompt, bool yesVisible, bool noVisible,
                         bool okVisible);
