// Every look of the three controls side by side on one form, each state brought about by the
// messages the user's mouse would send. The glyphs are checked against the skin; with
// LINKS_SHOWCASE_HOLD_MS set, the form stays on screen that long for a screenshot.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls/checkbox.h"
#include "controls/hyperlink.h"
#include "controls/optionbox.h"
#include "controls/track_tip.h"
#include "tests/win32/links/links_support.h"
#include "ui/fonts.h"
#include "ui/gdi.h"

namespace {

constexpr COLORREF kFormColor = RGB(246, 244, 238);
constexpr int kFormX = 60, kFormY = 60, kFormW = 640, kFormH = 230;
constexpr int kColumnX[] = {110, 215, 320, 425, 530};  // idle, hover, pressed, pressed off, disabled
constexpr const wchar_t* kColumnNames[] = {L"idle", L"hover", L"pressed", L"pressed, off", L"disabled"};

// A child window that only shows its own colour, to hold an option box in a group of its own.
class Panel : public ChildControl {
 public:
  bool Make(HWND parent, int x, int y, int w, int h) {
    SetBackColor(kFormColor);
    return CreateChild(L"LinksShowcasePanel", 0, parent, x, y, w, h);
  }
};

// Brings a control into a look by the messages the mouse sends it: hovered (a move inside),
// pressed (a left press), pressed and dragged off (a press, then a move outside, button held).
void BringInto(HWND control, int column) {
  const LPARAM inside = MAKELPARAM(4, 4);
  switch (column) {
    case 1:
      SendMessageW(control, WM_MOUSEMOVE, 0, inside);
      break;
    case 2:
      SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, inside);
      break;
    case 3:
      SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, inside);
      SendMessageW(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, 60));
      break;
  }
}

void Label(HDC dc, int x, int y, const wchar_t* text) {
  SelectScope font(dc, DialogFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(90, 90, 90));
  TextOutW(dc, x, y, text, lstrlenW(text));
}

TEST(Showcase, EveryLookOfEveryValue) {
  links::HostForm form(kFormX, kFormY, kFormW, kFormH, kFormColor);
  ASSERT_TRUE(form.hwnd());
  ASSERT_TRUE(links::MoveMouse(900, 700));
  for (int c = 0; c < 5; ++c) Label(form.BufferDC(), kColumnX[c], 8, kColumnNames[c]);
  const wchar_t* rowNames[] = {L"check 0", L"check 1", L"check 2", L"option off", L"option on", L"link"};
  for (int r = 0; r < 6; ++r) Label(form.BufferDC(), 10, 32 + 28 * r + 2, rowNames[r]);
  form.ShowBuffer();

  std::array<std::array<CheckBox, 5>, 3> checks;
  std::array<std::array<Panel, 5>, 2> panels;
  std::array<std::array<OptionBox, 5>, 2> options;
  std::array<HyperLink, 4> linkControls;  // a link has no disabled look
  for (int c = 0; c < 5; ++c) {
    for (int v = 0; v < 3; ++v) {
      CheckBox& box = checks[v][c];
      ASSERT_TRUE(box.Create(form.hwnd(), kColumnX[c], 32 + 28 * v, 100, 18));
      box.SetCaption(u"Omake");
      box.SetValue(v);
      if (c == 4) box.SetEnabled(false);
    }
    for (int v = 0; v < 2; ++v) {
      ASSERT_TRUE(panels[v][c].Make(form.hwnd(), kColumnX[c], 32 + 28 * (3 + v), 100, 18));
      OptionBox& box = options[v][c];
      ASSERT_TRUE(box.Create(panels[v][c].hwnd(), 0, 0, 100, 18));
      box.SetCaption(u"보간 모드");
      box.SetValue(v == 1);
      if (c == 4) box.SetEnabled(false);
    }
    if (c < 4) {
      ASSERT_TRUE(linkControls[c].Create(form.hwnd(), kColumnX[c], 32 + 28 * 5 + 3, 10, 10));
      linkControls[c].SetPrompt(u"Lumivale 홈페이지");
    }
  }
  // The link follows the real pointer: hover it with the pointer itself, first, because a real
  // move would reach whichever control holds the capture then.
  RECT link{};
  GetWindowRect(linkControls[1].hWnd(), &link);
  ASSERT_TRUE(links::MoveMouse(link.left + 5, link.top + 4));
  ASSERT_TRUE(links::WaitFor([&] { return linkControls[1].Hover(); }));
  // Each control taking the capture in turn leaves the one before in its look.
  for (int c = 1; c < 4; ++c) {
    for (auto& row : checks) BringInto(row[c].hWnd(), c);
    for (auto& row : options) BringInto(row[c].hWnd(), c);
    if (c != 1) BringInto(linkControls[c].hWnd(), c);
  }
  // The anchored tip of a hovered check box, shown last, over the free space below the grid.
  CheckBox tipped;
  ASSERT_TRUE(tipped.Create(form.hwnd(), kColumnX[1], 32 + 28 * 6, 100, 18));
  tipped.SetCaption(u"With tip");
  tipped.SetTrackTipText(u"Omake1: an extra switch");
  BringInto(tipped.hWnd(), 1);
  EXPECT_TRUE(TrackTipVisible());
  links::PumpFor(50);

  // Each glyph is the cell of its value and look.
  for (int c = 0; c < 5; ++c) {
    const int row = c == 0 ? 0 : c == 2 ? 26 : 13;
    for (int v = 0; v < 3; ++v) {
      const CheckBox& box = checks[v][c];
      const links::Pixels pixels(box.hWnd());
      const int cellX = c == 4 ? 39 : 13 * v, cellY = c == 4 ? 13 * v : row;
      EXPECT_EQ(links::GlyphAt(pixels, box.GlyphTop()), links::ExpectedGlyph(L"SKIN_CHECKBOX", cellX, cellY, kFormColor))
          << "check " << v << " column " << c;
    }
    for (int v = 0; v < 2; ++v) {
      const OptionBox& box = options[v][c];
      const links::Pixels pixels(box.hWnd());
      const int cellX = c == 4 ? 26 : 13 * v, cellY = c == 4 ? 13 * v : row;
      EXPECT_EQ(links::GlyphAt(pixels, box.GlyphTop()), links::ExpectedGlyph(L"SKIN_OPTIONBOX", cellX, cellY, kFormColor))
          << "option " << v << " column " << c;
    }
  }
  // Only the pressed link that is hovered is red; all but the idle one are underlined.
  for (int c = 0; c < 4; ++c) {
    const links::Pixels pixels(linkControls[c].hWnd());
    const RECT all{0, 0, pixels.width(), pixels.height()};
    const RECT underline{0, pixels.height() - 1, pixels.width(), pixels.height()};
    const COLORREF color = c == 2 ? RGB(255, 0, 0) : RGB(0, 0, 255);
    EXPECT_EQ(pixels.Count(RGB(255, 0, 0), all) > 0, c == 2) << "link column " << c;
    EXPECT_EQ(pixels.Count(color, underline), c == 0 ? 0 : pixels.width()) << "link column " << c;
  }

  if (const char* hold = std::getenv("LINKS_SHOWCASE_HOLD_MS")) links::PumpFor(static_cast<DWORD>(std::atoi(hold)));
  DestroyTrackTip();
}

}  // namespace
