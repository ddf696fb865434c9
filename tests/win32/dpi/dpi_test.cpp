// The dialog and the message box at the display's DPI (the prefix's LogPixels, given to the
// program as LUMIVALE_WINE_DPI): sizes, fonts, texts in their boxes, controls where they are
// drawn, and a DPI change laying the dialog out anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/dpi.h"
#include "controls/checkbox_rules.h"
#include "dialog/set_form.h"
#include "msgbox/msgbox_form.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "ui/window_utils.h"

namespace {

int Dpi() { return WindowDpi(nullptr); }

LONG FontHeightOf(HFONT font) {
  LOGFONTW f{};
  GetObjectW(font, sizeof f, &f);
  return f.lfHeight;
}

RECT ChildRect(HWND child) {  // in its parent's client coordinates
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The controls' places at 96 DPI, as the dialog is designed.
struct Placed {
  const char* name;
  HWND (*window)(SetForm&);
  int x, y, width, height;
};
const Placed kPlaced[] = {
    {"UnloadButton", [](SetForm& f) { return f.UnloadButton().hWnd(); }, 330, 0, 33, 14},
    {"FolderView", [](SetForm& f) { return f.FolderView().hWnd(); }, 320, 54, 20, 19},
    {"OkButton", [](SetForm& f) { return f.OkButton().hWnd(); }, 317, 218, 40, 19},
    {"App_Path", [](SetForm& f) { return f.PathBox(); }, 26, 58, 288, 11},
    {"OpQuality(0)", [](SetForm& f) { return f.OpQuality(0).hWnd(); }, 24, 96, 121, 18},
    {"OpQuality(5)", [](SetForm& f) { return f.OpQuality(5).hWnd(); }, 24, 186, 121, 18},
    {"Omake1", [](SetForm& f) { return f.Omake1().hWnd(); }, 160, 96, 185, 18},
    {"Omake2", [](SetForm& f) { return f.Omake2().hWnd(); }, 160, 114, 185, 18},
};

void ExpectLaidOutAt(SetForm& form, int dpi) {
  RECT w{};
  GetWindowRect(form.hwnd(), &w);
  EXPECT_EQ(w.right - w.left, Scale(370, dpi)) << dpi;
  EXPECT_EQ(w.bottom - w.top, Scale(250, dpi)) << dpi;
  EXPECT_EQ(FontHeightOf(form.FontOf(SkinFont::Plain)), FontHeight(9, dpi)) << dpi;
  EXPECT_EQ(FontHeightOf(form.FontOf(SkinFont::Caption)), FontHeight(8.25, dpi)) << dpi;
  for (const Placed& p : kPlaced) {
    const RECT r = ChildRect(p.window(form));
    const Rect want = ScaleBox(p.x, p.y, p.width, p.height, dpi);
    EXPECT_TRUE((Rect{r.left, r.top, r.right, r.bottom} == want)) << p.name << " at " << dpi;
  }
}

TEST(Dpi, TheProcessRunsAtTheDisplaysDpi) {
  const char* asked = std::getenv("LUMIVALE_WINE_DPI");
  ASSERT_NE(asked, nullptr);
  EXPECT_EQ(Dpi(), std::atoi(asked));
  SettingsState settings;
  SetForm form(settings);
  ASSERT_TRUE(form.Load());
  EXPECT_EQ(form.Dpi(), Dpi());
  const struct { int dpi, width, height; } sizes[] = {{96, 370, 250}, {144, 555, 375}, {192, 740, 500}};
  RECT w{};
  GetWindowRect(form.hwnd(), &w);
  int rows = 0;
  for (const auto& s : sizes) {
    if (s.dpi != Dpi()) continue;
    ++rows;
    EXPECT_EQ(w.right - w.left, s.width);
    EXPECT_EQ(w.bottom - w.top, s.height);
  }
  EXPECT_EQ(rows, 1) << "no size known for " << Dpi() << " DPI";
  ExpectLaidOutAt(form, Dpi());
}

// Every text the dialog and its controls draw fits its box at this DPI (the about line by
// wrapping in its width).
TEST(Dpi, EveryTextFitsItsBox) {
  SettingsState settings;
  SetForm form(settings);
  ASSERT_TRUE(form.Load());
  const int dpi = Dpi();
  for (const SkinText& t : kSkinTexts) {
    const Rect box = ScaleBox(t.x, t.y, t.width, t.height, dpi);
    WindowDC screen(nullptr);
    SelectScope select(screen.get(), form.FontOf(t.font));
    RECT r{0, 0, static_cast<LONG>(Width(box)), 0};
    DrawTextW(screen.get(), t.text, -1, &r, DT_CALCRECT | DT_NOPREFIX | t.format);
    EXPECT_LE(r.right, Width(box)) << "text at " << t.x << "," << t.y;
    // The boxes are as tall as the characters, not their line cells: the leading above them is
    // cut at 96 DPI too.
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.get(), &tm);
    const int lines = tm.tmHeight ? r.bottom / tm.tmHeight : 99;
    EXPECT_LE(lines * (tm.tmHeight - tm.tmInternalLeading), Height(box)) << "text at " << t.x << "," << t.y;
  }
  GlyphBox* boxes[] = {&form.OpQuality(0), &form.OpQuality(1), &form.OpQuality(2), &form.OpQuality(3),
                       &form.OpQuality(4), &form.OpQuality(5), &form.Omake1(),     &form.Omake2()};
  for (GlyphBox* b : boxes) {
    RECT client{};
    GetClientRect(b->hWnd(), &client);
    const SIZE text = TextLineSize(DialogFont(dpi), std::wstring(b->Caption().begin(), b->Caption().end()));
    EXPECT_LE(Scale(kCaptionX, dpi) + text.cx, client.right) << "caption of control " << (b - boxes[0]);
    EXPECT_LE(text.cy, client.bottom) << "caption of control " << (b - boxes[0]);
  }
}

// A press and release where each control is drawn reaches that control.
TEST(Dpi, ClicksWhereTheControlsAreDrawnHitThem) {
  SettingsState settings;
  SetForm form(settings);
  ASSERT_TRUE(form.Load());
  const int dpi = Dpi();
  for (const Placed& p : kPlaced) {
    const POINT centre{Scale(p.x, dpi) + Scale(p.width, dpi) / 2, Scale(p.y, dpi) + Scale(p.height, dpi) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(form.hwnd(), centre, CWP_SKIPTRANSPARENT), p.window(form)) << p.name;
  }
  for (int i : {2, 5, 0}) {
    const POINT at{Scale(24 + 60, dpi), Scale(96 + 18 * i + 9, dpi)};
    const HWND hit = ChildWindowFromPointEx(form.hwnd(), at, CWP_SKIPTRANSPARENT);
    SendMessageW(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(hit, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(settings.Settings.InterpolationMode, i) << "option " << i;
  }
}

// A move to a monitor of another scale: the dialog lays itself out at the message's DPI and takes
// the rectangle offered, and back.
TEST(Dpi, ADpiChangeLaysTheDialogOutAnew) {
  SettingsState settings;
  SetForm form(settings);
  ASSERT_TRUE(form.Load());
  for (int dpi : {96, 144, 192, Dpi()}) {
    RECT offered{30, 40, 30 + Scale(370, dpi), 40 + Scale(250, dpi)};
    SendMessageW(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&offered));
    EXPECT_EQ(form.Dpi(), dpi);
    RECT w{};
    GetWindowRect(form.hwnd(), &w);
    EXPECT_EQ(w.left * 10000 + w.top, 30 * 10000 + 40) << dpi;
    ExpectLaidOutAt(form, dpi);
  }
}

// The message box at the screen's DPI without an owner: its fonts, its size, the prompt and the
// caption in their boxes, the buttons where the layout puts them; a DPI change likewise.
TEST(Dpi, TheMessageBoxScales) {
  MsgboxFr box;
  box.SetPrompt(L"설정 파일을 저장하지 못했습니다.\r\n두 번째 줄의 조금 더 긴 내용입니다");
  box.SetCaption(L"설정 저장 실패");
  box.ShowButtons(true);
  box.ShowIcon(MsgIcon::Critical);
  box.ArrMsgBox(nullptr);
  for (int dpi : {Dpi(), 96, 192}) {
    if (dpi != box.Dpi()) {
      RECT offered{50, 60, 250, 160};
      SendMessageW(box.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&offered));
    }
    EXPECT_EQ(box.Dpi(), dpi);
    EXPECT_EQ(FontHeightOf(box.PromptFont()), FontHeight(9, dpi)) << dpi;
    EXPECT_EQ(FontHeightOf(box.CaptionFont()), FontHeight(8.25, dpi)) << dpi;
    const MsgBoxLayout& l = box.Layout();
    RECT w{};
    GetWindowRect(box.hwnd(), &w);
    EXPECT_EQ(w.right - w.left, l.width) << dpi;
    if (dpi != Dpi()) {
      EXPECT_EQ(w.left * 10000 + w.top, 50 * 10000 + 60) << dpi;
    }
    EXPECT_GE(l.width, Scale(200, dpi)) << dpi;
    const SIZE prompt = TextBoxSize(box.PromptFont(), box.Prompt(), DT_NOPREFIX | DT_EXPANDTABS);
    EXPECT_EQ(Width(l.prompt), prompt.cx) << dpi;
    EXPECT_LE(l.prompt.left + prompt.cx, l.width - Scale(10, dpi)) << dpi;
    const SIZE caption = TextLineSize(box.CaptionFont(), box.Caption());
    EXPECT_LE(caption.cx, Width(l.caption)) << dpi;
    EXPECT_LE(caption.cy, Height(l.caption)) << dpi;
    EXPECT_EQ(Width(l.yes) * 1000 + Height(l.yes), Scale(40, dpi) * 1000 + Scale(19, dpi)) << dpi;
    const HWND yes = ChildWindowFromPointEx(box.hwnd(), POINT{l.yes.left + 2, l.yes.top + 2}, CWP_SKIPTRANSPARENT);
    const RECT r = ChildRect(yes);
    EXPECT_TRUE((Rect{r.left, r.top, r.right, r.bottom} == l.yes)) << dpi;
  }
}

}  // namespace
