// The skinned controls on real windows: each mouse message reaches the model and the frame of the
// new state is painted; the press holds the capture; a control may be destroyed by its own Click;
// painting leaks nothing; an option box turned on turns its group off; each kind draws at the DPI
// its form sets; a plain control's mouse-leave hook acts once.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "base/dpi.h"
#include "controls/button.h"
#include "controls/checkbox.h"
#include "controls/hyperlink.h"
#include "controls/mouse_leave.h"
#include "controls/optionbox.h"
#include "controls/track_tip.h"
#include "tests/geometry_print.h"
#include "tests/win32/support.h"
#include "ui/gdi.h"
#include "ui/fonts.h"
#include "ui/live_objects.h"
#include "ui/text.h"

namespace {

constexpr COLORREF kNormal = RGB(200, 0, 0), kHover = RGB(0, 200, 0), kPressed = RGB(0, 0, 200);

// A 40 x 30 button at (20, 20) on a shown form at screen (100, 100). The model asks which window
// is under the real pointer, so the pointer is put where each message says it is.
struct Shown : test::HostForm { Shown() { ShowWindow(hwnd(), SW_SHOWNOACTIVATE); } };

void Send(HWND w, UINT msg, WPARAM keys, int x, int y) {
  SetCursorPos(120 + x, 120 + y);
  SendMessageW(w, msg, keys, MAKELPARAM(x, y));
}

TEST(Button, EachMessageReachesTheModelAndPaintsItsFrame) {
  Shown form;
  const Picture skin = test::SolidSkin(40, 30, {kNormal, kHover, kPressed});
  Button button;
  ASSERT_TRUE(button.Create(form.hwnd(), 20, 20, 40, 30));
  button.SetButtonSkin(&skin);
  int clicks = 0;
  button.Click = [&] { ++clicks; };
  struct Row { const char* name; UINT msg; WPARAM keys; int x; COLORREF frame; bool captured; int clicks; };
  const Row rows[] = {
      {"move in", WM_MOUSEMOVE, 0, 10, kHover, true, 0},       {"left press", WM_LBUTTONDOWN, MK_LBUTTON, 10, kPressed, true, 0},
      {"dragged off", WM_MOUSEMOVE, MK_LBUTTON, 60, kHover, true, 0}, {"back on", WM_MOUSEMOVE, MK_LBUTTON, 12, kPressed, true, 0},
      {"released inside", WM_LBUTTONUP, 0, 12, kNormal, true, 1},
      {"pressed again", WM_LBUTTONDBLCLK, MK_LBUTTON, 12, kPressed, true, 1},
      {"released outside", WM_LBUTTONUP, 0, 60, kNormal, true, 1}, {"move out", WM_MOUSEMOVE, 0, 70, kNormal, false, 1},
      {"right press", WM_RBUTTONDOWN, MK_RBUTTON, 10, kNormal, true, 1}, {"right release", WM_RBUTTONUP, 0, 10, kNormal, true, 1},
  };
  for (const Row& r : rows) {
    Send(button.hWnd(), r.msg, r.keys, r.x, 5);
    EXPECT_EQ(test::PaintedPixel(button.hWnd(), 5, 5), r.frame) << r.name;
    EXPECT_EQ(GetCapture() == button.hWnd(), r.captured) << r.name;
    EXPECT_EQ(clicks, r.clicks) << r.name;
  }
  // Every paint gives back what it made.
  const long gdi = LiveGdiObjects();
  for (int i = 0; i < 20; ++i) Send(button.hWnd(), WM_MOUSEMOVE, 0, i % 2 ? 10 : 70, 5);
  EXPECT_EQ(LiveGdiObjects(), gdi);
  ReleaseCapture();
  DestroyTrackTip();
}

TEST(Button, DestroyedByItsOwnClick) {
  Shown form;
  auto button = std::make_unique<Button>();
  ASSERT_TRUE(button->Create(form.hwnd(), 20, 20, 40, 30));
  const HWND w = button->hWnd();
  button->Click = [&] { button.reset(); };
  Send(w, WM_LBUTTONDOWN, MK_LBUTTON, 10, 5);
  Send(w, WM_LBUTTONUP, 0, 10, 5);
  EXPECT_FALSE(button);
  EXPECT_FALSE(IsWindow(w));
  DestroyTrackTip();
}

TEST(OptionBox, TurnedOnTurnsItsContainersOthersOff) {
  test::HostForm form, other;
  OptionBox a, b, elsewhere;
  ASSERT_TRUE(a.Create(form.hwnd(), 0, 0, 80, 18));
  ASSERT_TRUE(b.Create(form.hwnd(), 0, 20, 80, 18));
  ASSERT_TRUE(elsewhere.Create(other.hwnd(), 0, 0, 80, 18));
  a.SetValue(true);
  elsewhere.SetValue(true);
  b.SetValue(true);
  using Values = std::vector<bool>;  // a, b, elsewhere
  EXPECT_EQ((Values{a.value(), b.value(), elsewhere.value()}), (Values{false, true, true})) << "b written";
  SendMessageW(a.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageW(a.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ((Values{a.value(), b.value(), elsewhere.value()}), (Values{true, false, true})) << "a clicked";
  DestroyTrackTip();
}

TEST(CheckBox, AWriteOutsideTheByteChangesNothing) {
  test::HostForm form;
  CheckBox box;
  ASSERT_TRUE(box.Create(form.hwnd(), 0, 0, 80, 18));
  int clicks = 0;
  box.Click = [&] { ++clicks; };
  struct Row { int written, stored, clicks; };
  for (const Row& r : {Row{1, 1, 1}, Row{256, 1, 1}, Row{-1, 1, 1}, Row{7, 2, 2}}) {
    box.SetValue(r.written);
    EXPECT_EQ(box.value(), r.stored) << r.written;
    EXPECT_EQ(clicks, r.clicks) << r.written;
  }
}

// At 150 % and 200 % through SetDpi (the windows here report the system's DPI): the glyph sits
// where the scaled rules put it, a click on it toggles it, and the anchored tip sits 16 right of
// the control less the margin, in the dialog's font, each scaled; the link's box holds its text
// and its underline. (That the captions fit: the dialog's own test at the display's DPI.)
TEST(Controls, DrawAtTheDpiTheFormSets) {
  struct Row { int dpi, glyph, captionX, glyphTop, tipRight, underline; };
  for (const Row& r : {Row{144, 20, 29, 3, 19, 2}, Row{192, 26, 38, 5, 26, 2}}) {
    Shown form;
    CheckBox check;
    OptionBox option;
    HyperLink link;
    const int w = Scale(120, r.dpi), h = Scale(18, r.dpi);
    ASSERT_TRUE(check.Create(form.hwnd(), 0, 0, w, h));
    ASSERT_TRUE(option.Create(form.hwnd(), 0, h, w, h));
    ASSERT_TRUE(link.Create(form.hwnd(), 0, 2 * h, 10, 10));
    for (GlyphBox* box : {static_cast<GlyphBox*>(&check), static_cast<GlyphBox*>(&option)}) {
      box->SetTrackTipText(u"tip");
      box->SetDpi(r.dpi);
      EXPECT_EQ((std::vector{box->GlyphSize(), box->CaptionX(), box->GlyphTop()}), (std::vector{r.glyph, r.captionX, r.glyphTop}));
      const LPARAM at = MAKELPARAM(r.glyph - 2, r.glyphTop + r.glyph - 2);  // the glyph's far corner
      const Rect control = test::Placed(box->hWnd(), nullptr);
      SendMessageW(box->hWnd(), WM_MOUSEMOVE, 0, at);
      POINT tip{};  // the tip's inside begins at its place (its border lies outside)
      ClientToScreen(TipWindow(), &tip);
      EXPECT_EQ(tip.x, control.left + r.tipRight) << r.dpi;
      const auto tipFont = reinterpret_cast<HFONT>(SendMessageW(TipWindow(), WM_GETFONT, 0, 0));  // a copy of it
      EXPECT_EQ(test::FontHeightOf(tipFont), test::FontHeightOf(DialogFont(r.dpi))) << r.dpi;
      SendMessageW(box->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
      SendMessageW(box->hWnd(), WM_LBUTTONUP, 0, at);
    }
    EXPECT_EQ(check.value(), 1) << r.dpi;
    EXPECT_TRUE(option.value()) << r.dpi;
    link.SetPrompt(u"Sample");
    link.SetDpi(r.dpi);
    const SIZE text = TextLineSize(ControlFont(r.dpi), L"Sample");
    RECT client{};
    GetClientRect(link.hWnd(), &client);
    EXPECT_EQ((std::pair{client.right, client.bottom}), (std::pair{text.cx, text.cy + r.underline})) << r.dpi;
    ReleaseCapture();
    DestroyTrackTip();
  }
}

TEST(HyperLink, KeepsItsTextSizeWhateverTheFormAsks) {
  test::HostForm form;
  HyperLink link;
  ASSERT_TRUE(link.Create(form.hwnd(), 0, 0, 10, 10));
  const Rect before = test::Placed(link.hWnd(), nullptr);
  SetWindowPos(link.hWnd(), nullptr, 0, 0, 200, 50, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(test::Placed(link.hWnd(), nullptr), before);
  EXPECT_LT(Width(before), 200);
  EXPECT_EQ(link.Buffer().width(), Width(before));  // the buffer took the final size
}

// The first leave calls the method and unhooks the control: a second calls nothing.
TEST(MouseLeave, TheFirstLeaveCallsTheMethodAndUnhooks) {
  test::HostForm form;
  const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, form.hwnd(), nullptr, nullptr, nullptr);
  NamedMethods object;
  int leaves = 0;
  object.DefineMethod(u"Box_MouseLeave", [&leaves] { ++leaves; });
  HookMouseLeave(edit, u"Box", &object, u"");
  for (int i = 0; i < 2; ++i) SendMessageW(edit, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(leaves, 1);
}

}  // namespace
