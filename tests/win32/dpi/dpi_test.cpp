// The dialog and the message box at the display's DPI (the prefix's LogPixels, given to the
// program as LUMIVALE_WINE_DPI): sizes, fonts, texts in their boxes, controls where they are
// drawn, and a DPI change laying them out anew.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <utility>

#include "base/wide.h"
#include "controls/glyph_rules.h"
#include "dialog/set_form.h"
#include "msgbox/msgbox_form.h"
#include "tests/geometry_print.h"
#include "tests/win32/support.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/window_utils.h"

namespace {

int Dpi() { return WindowDpi(nullptr); }

using test::FontHeightOf;
using test::Placed;
std::pair<std::int64_t, std::int64_t> SizeOf(const Rect& r) { return {Width(r), Height(r)}; }

// Some controls with their places at 96 DPI, as the dialog is designed.
const struct {
  const char* name;
  HWND (*window)(SetForm&);
  Place place;
} kPlaces[] = {
    {"UnloadButton", [](SetForm& f) { return f.UnloadButton().hWnd(); }, kUnloadPlace},
    {"FolderView", [](SetForm& f) { return f.FolderView().hWnd(); }, kFolderPlace},
    {"OkButton", [](SetForm& f) { return f.OkButton().hWnd(); }, kOkPlace},
    {"App_Path", [](SetForm& f) { return f.PathBox(); }, kPathBoxPlace},
    {"OpQuality(5)", [](SetForm& f) { return f.OpQuality(5).hWnd(); }, OptionPlace(5)},
    {"Omake2", [](SetForm& f) { return f.Omake2().hWnd(); }, kOmakePlaces[1]},
};

struct Dialog : ::testing::Test {
  SettingsState settings;
  SetForm form{settings};
  void SetUp() override { ASSERT_TRUE(form.Load()); }
  void ExpectLaidOutAt(int dpi) {
    EXPECT_EQ(form.Dpi(), dpi);
    EXPECT_EQ(SizeOf(Placed(form.hwnd(), nullptr)), SizeOf(ScaledPlace(kDialogPlace, dpi))) << dpi;
    EXPECT_EQ(FontHeightOf(form.FontOf(SkinFont::Plain)), FontHeight(9, dpi)) << dpi;
    EXPECT_EQ(FontHeightOf(form.FontOf(SkinFont::Caption)), FontHeight(8.25, dpi)) << dpi;
    for (const auto& p : kPlaces) {
      const Rect box = ScaledPlace(p.place, dpi);
      EXPECT_EQ(Placed(p.window(form), form.hwnd()), box) << p.name << " at " << dpi;
      // A press and release where the control is drawn reaches it.
      const POINT centre{box.left + static_cast<LONG>(Width(box)) / 2, box.top + static_cast<LONG>(Height(box)) / 2};
      EXPECT_EQ(ChildWindowFromPointEx(form.hwnd(), centre, CWP_SKIPTRANSPARENT), p.window(form)) << p.name << dpi;
    }
  }
};

TEST_F(Dialog, LaidOutAtTheDisplaysDpiWithEveryTextInItsBox) {
  ASSERT_EQ(Dpi(), std::atoi(std::getenv("LUMIVALE_WINE_DPI") ? std::getenv("LUMIVALE_WINE_DPI") : "0"));
  ExpectLaidOutAt(Dpi());
  WindowDC screen(nullptr);
  for (const SkinText& t : kSkinTexts) {
    const Rect box = ScaledPlace(t.box, Dpi());
    SelectScope select(screen.get(), form.FontOf(t.font));
    RECT r{0, 0, static_cast<LONG>(Width(box)), 0};
    DrawTextW(screen.get(), t.text, -1, &r, DT_CALCRECT | DT_NOPREFIX | t.format);
    // The boxes are as tall as the characters, not their line cells (whose leading is cut at 96 too).
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.get(), &tm);
    EXPECT_LE(r.right, Width(box)) << "text at " << t.box.x << "," << t.box.y;
    EXPECT_LE(r.bottom / tm.tmHeight * (tm.tmHeight - tm.tmInternalLeading), Height(box)) << "text at " << t.box.x << "," << t.box.y;
  }
  for (int i = 0; i < 8; ++i) {
    GlyphBox& b = i < 6 ? static_cast<GlyphBox&>(form.OpQuality(i)) : i == 6 ? form.Omake1() : form.Omake2();
    const Rect client = Placed(b.hWnd(), b.hWnd());
    const SIZE text = TextLineSize(DialogFont(Dpi()), Wide(b.Caption()));
    EXPECT_LE(Scale(kCaptionX, Dpi()) + text.cx, Width(client)) << "control " << i;
    EXPECT_LE(text.cy, Height(client)) << "control " << i;
    if (i >= 6) continue;
    SendMessageW(b.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(b.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(settings.Settings.InterpolationMode, i);
  }
}

// A move to a monitor of another scale: laid out at the message's DPI in the rectangle offered.
TEST_F(Dialog, ADpiChangeLaysTheDialogOutAnew) {
  for (int dpi : {96, 144, 192, Dpi()}) {
    RECT offered{30, 40, 30 + Scale(370, dpi), 40 + Scale(250, dpi)};
    SendMessageW(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&offered));
    EXPECT_EQ(Placed(form.hwnd(), nullptr), (Rect{offered.left, offered.top, offered.right, offered.bottom})) << dpi;
    ExpectLaidOutAt(dpi);
  }
}

// The message box at the screen's DPI without an owner, then moved to other scales.
TEST(MsgBox, ScalesItsFontsLayoutAndButtons) {
  MsgboxFr box;
  box.SetPrompt(L"설정 파일을 저장하지 못했습니다.\r\n두 번째 줄의 조금 더 긴 내용입니다");
  box.SetCaption(L"설정 저장 실패");
  box.ShowButtons(true);
  box.ShowIcon(MsgIcon::Critical);
  box.ArrMsgBox(nullptr);
  for (int dpi : {Dpi(), 96, 192}) {
    RECT offered{50, 60, 250, 160};
    if (dpi != box.Dpi()) SendMessageW(box.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&offered));
    const MsgBoxLayout& l = box.Layout();
    const Rect w = Placed(box.hwnd(), nullptr);
    EXPECT_EQ(FontHeightOf(box.PromptFont()), FontHeight(9, dpi)) << dpi;
    EXPECT_EQ(FontHeightOf(box.CaptionFont()), FontHeight(8.25, dpi)) << dpi;
    // Where its layout puts it, at the layout's size; after a change, in the rectangle offered.
    const Point at = dpi == Dpi() ? Point{l.left, l.top} : Point{offered.left, offered.top};
    EXPECT_EQ(w, Box(at.x, at.y, l.width, l.height)) << dpi;
    EXPECT_LE(l.prompt.left + TextBoxSize(box.PromptFont(), box.Prompt(), DT_EXPANDTABS).cx, l.width - Scale(10, dpi));
    const SIZE caption = TextLineSize(box.CaptionFont(), box.Caption());
    EXPECT_LE(caption.cx, Width(l.caption)) << dpi;
    const HWND yes = ChildWindowFromPointEx(box.hwnd(), POINT{l.yes.left + 2, l.yes.top + 2}, CWP_SKIPTRANSPARENT);
    EXPECT_EQ(Placed(yes, box.hwnd()), l.yes) << dpi;
  }
}

}  // namespace
