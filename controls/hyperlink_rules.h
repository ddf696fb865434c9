#pragma once
// The look and size of the text link, without windows.
#include <cstdint>

struct LinkLook {
  std::uint32_t color = 0;  // 0x00BBGGRR
  bool underline = false;
};

inline constexpr std::uint32_t kLinkBlue = 0xFF0000;
inline constexpr std::uint32_t kLinkRed = 0x0000FF;

// Blue when idle, blue underlined while hovered or while pressed with the pointer dragged off,
// red underlined while pressed and hovered.
LinkLook LinkLookFor(bool pressed, bool hover);

struct LinkSize {
  int width = 0;
  int height = 0;
};

// The link's size for its text: the text's width, and the underline's rows (one at 96 DPI)
// more than its height.
LinkSize LinkSizeFor(int textWidth, int textHeight, int underline = 1);
