#include "tests/win32/links/links_support.h"

#include "ui/gdi.h"
#include "ui/picture.h"

namespace links {

using input::SendMouse;

void ReleaseButtons() {
  if (GetAsyncKeyState(VK_LBUTTON) < 0) SendMouse(MOUSEEVENTF_LEFTUP);
  if (GetAsyncKeyState(VK_RBUTTON) < 0) SendMouse(MOUSEEVENTF_RIGHTUP);
  PumpFor(20);
}

HostForm::HostForm(int x, int y, int w, int h, COLORREF color, bool activate) {
  SetBackColor(color);
  CreateForm(L"links test", x, y, w, h, nullptr, WS_EX_TOPMOST);
  ShowWindow(hwnd(), activate ? SW_SHOW : SW_SHOWNOACTIVATE);
  if (activate) SetForegroundWindow(hwnd());
  UpdateWindow(hwnd());
  PumpFor(30);
}

Container::Container(HWND parent, int x, int y, int w, int h)
    : hwnd_(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {}

Container::~Container() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

Pixels::Pixels(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  width_ = r.right;
  height_ = r.bottom;
  if (width_ <= 0 || height_ <= 0) return;
  WindowDC screen(nullptr);
  UniqueDC dc(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return;
  {
    SelectScope select(dc.get(), bitmap.get());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    GdiFlush();
  }
  const auto* argb = static_cast<const std::uint32_t*>(bits);
  pixels_.resize(static_cast<size_t>(width_) * height_);
  for (size_t i = 0; i < pixels_.size(); ++i) {
    const std::uint32_t p = argb[i];
    pixels_[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
}

int Pixels::Count(COLORREF color, const RECT& area) const {
  int n = 0;
  for (int y = area.top; y < area.bottom && y < height_; ++y) {
    for (int x = area.left; x < area.right && x < width_; ++x) n += at(x, y) == color;
  }
  return n;
}

std::vector<COLORREF> ExpectedGlyph(const wchar_t* skin, int cellX, int cellY, COLORREF background) {
  const Picture picture = LoadPicture(skin);
  std::vector<COLORREF> out;
  WindowDC screen(nullptr);
  UniqueDC dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 13, 13));
  SelectScope select(dc.get(), bitmap.get());
  const RECT all{0, 0, 13, 13};
  UniqueBrush brush(CreateSolidBrush(background));
  FillRect(dc.get(), &all, brush.get());
  DrawPicturePart(dc.get(), picture, 0, 0, cellX, cellY, 13, 13);
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 13; ++x) out.push_back(GetPixel(dc.get(), x, y));
  }
  return out;
}

std::vector<COLORREF> GlyphAt(const Pixels& pixels, int top) {
  std::vector<COLORREF> out;
  for (int y = top; y < top + 13; ++y) {
    for (int x = 0; x < 13; ++x) out.push_back(pixels.at(x, y));
  }
  return out;
}

}  // namespace links
