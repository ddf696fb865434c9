#pragma once
// What a message box shows and where, decided from its style and its prompt's size alone.
#include <cstdint>

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
  int left = 0, top = 0;      // the window's place, centred on the whole primary screen
};

// Lays the box out around a prompt of the given pixel size on a screen of the given size.
MsgBoxLayout ArrangeMsgBox(int promptWidth, int promptHeight, int screenWidth, int screenHeight);

// The prompt is cut to its first 1000 characters.
Text CutPrompt(const Text& prompt);

// The plain-text block that Ctrl+C puts on the clipboard.
Text MsgBoxClipboardText(const Text& title, const Text& prompt, bool yesVisible, bool noVisible,
                         bool okVisible);
