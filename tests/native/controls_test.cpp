// The skinned controls without windows: what a sequence of pointer events makes the control do
// (one row per sequence), the glyph, check box and link rules, the tip's arithmetic, the path-box tip.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "controls/checkbox_rules.h"
#include "controls/control_model.h"
#include "controls/glyph_rules.h"
#include "controls/hyperlink_rules.h"
#include "controls/tip_placement.h"
#include "controls/window_tip.h"

namespace {

// A control 40 x 20 at screen `origin`, logging what the model makes it do; the pointer is
// where the last event put it. A redraw logs the frame it would paint (N, H, P).
struct FakeControl : ControlHost {
  ControlModel* model = nullptr;
  bool capture = false, covered = false;
  int dpi = 96;
  Point origin{300, 200}, cursor;
  std::ostringstream log;
  bool CaptureIsOurs() override { return capture; }
  void TakeCapture() override { capture = true; }
  void ReleaseCapture() override { capture = false; log << "release "; }
  Point CursorPos() override { return cursor; }
  Rect WindowRect() override { return {origin.x, origin.y, 0, 0}; }  // the model reads its top left
  WindowId WindowAt(Point) override { return covered ? 2 : 1; }
  WindowId OwnWindow() override { return 1; }
  WindowId TipWindow() override { return 9; }
  float InnerWidth() override { return 40; }
  float InnerHeight() override { return 20; }
  std::int32_t TextWidth(const Text& text) override { return static_cast<std::int32_t>(text.size()) * 7; }
  int Dpi() const override { return dpi; }
  void SetHandPointer() override {}
  void FocusForm() override {}
  void ShowTip(const Text&, std::int32_t x, std::int32_t y, bool) override { log << "tip" << x << "," << y << " "; }
  void MoveTip(std::int32_t x, std::int32_t y) override { log << "tip>" << x << "," << y << " "; }
  void HideTip() override { log << "hide "; }
  void Redraw() override { log << "NHP"[static_cast<int>(model->Frame())] << " "; }
  void ClickChangesValue() override { log << "value "; }
  bool RaiseClick() override { return log << "Click ", true; }
  bool RaiseMouseDown(MouseMask& b, MouseMask&, float&, float&) override { return log << "down" << b << " ", true; }
  bool RaiseMouseMove(MouseMask&, MouseMask&, float&, float&) override { return true; }
  bool RaiseMouseUp(MouseMask& b, MouseMask&, float&, float&) override { return log << "up" << b << " ", true; }
};

// Events: m/M move without/with the left button, d/u left press/release, D/U right, w the second
// press of a double click, each with x,y; c the capture taken away; x another window covers it;
// f the control moved to the far edge of the 32-bit screen, where the tip's place overflows.
// A press takes the capture, as the window does before the model runs.
std::string Events(TipStyle style, const std::string& events, int dpi) {
  FakeControl host;
  host.dpi = dpi;
  ControlModel model(host, style);
  host.model = &model;
  model.SetTrackTipText(u"tip");  // 21 pixels wide: half is 10
  std::istringstream in(events);
  for (std::string e; in >> e;) {
    float x = 0, y = 0;
    if (e.size() > 1) std::sscanf(e.c_str() + 1, "%f,%f", &x, &y);
    if (e[0] == 'f') host.origin = {2147483635, 2147483635};
    host.cursor = {host.origin.x + static_cast<std::int32_t>(x), host.origin.y + static_cast<std::int32_t>(y)};
    if (std::strchr("dDw", e[0])) host.capture = true;  // the window takes it on a press
    switch (e[0]) {
      case 'm': case 'M': model.MouseMove(e[0] == 'M' ? 1 : 0, 0, x, y); break;
      case 'd': case 'D': model.MouseDown(e[0] == 'd' ? 1 : 2, 0, x, y); break;
      case 'u': case 'U': model.MouseUp(e[0] == 'u' ? 1 : 2, 0, x, y); break;
      case 'w': model.DoubleClick(); break;
      case 'c': host.capture = false; break;
      case 'x': host.covered = true; break;
    }
  }
  return host.log.str();
}

TEST(ControlModel, EventRows) {
  struct Row { const char* name; TipStyle style; const char* events; const char* log; int dpi = 96; };
  const TipStyle F = TipStyle::FollowCursor, A = TipStyle::Anchored;
  const Row rows[] = {
      {"enter: tip 15 right (centred) and 25 below", F, "m10,5", "tip315,230 H "},
      {"move: the tip follows", F, "m10,5 m20,6", "tip315,230 H tip>325,231 "},
      {"leave", F, "m10,5 m40,5", "tip315,230 H release hide N "},
      {"click inside", F, "m10,5 d10,5 u12,6", "tip315,230 H P hide down1 N value Click up1 "},
      {"released outside: no click", F, "d10,5 M40,5 M39,5 u40,5", "P hide down1 H P N up1 "},
      {"right button: no click", F, "D10,5 U10,5", "hide down2 N up2 "},
      {"double click clicks twice", F, "d1,1 u1,1 w u1,1", "P hide down1 N value Click up1 P hide down1 N value Click up1 "},
      {"press lost with the capture", F, "d10,5 c M10,5 u10,5", "P hide down1 up1 "},
      {"covered counts as leaving", F, "x m10,5", "hide release N "},
      {"anchored tip at the control", A, "m10,5 m20,5", "tip316,200 H "},
      {"tip place overflows: no tip, the rest runs", F, "f m1,1 m2,1 m-5,1", "H release hide N "},
      {"anchored place overflows: no tip", A, "f m1,1 d1,1 u1,1", "H P hide down1 N value Click up1 "},
      {"at 144 DPI: 23 right, 38 below", F, "m10,5 m20,6", "tip323,243 H tip>333,244 ", 144},
      {"anchored at 192 DPI: 32 right", A, "m10,5", "tip332,200 H ", 192},
  };
  for (const Row& r : rows) EXPECT_EQ(Events(r.style, r.events, r.dpi), r.log) << r.name;
}

TEST(Glyphs, TopAndSkinCell) {
  struct Top { std::int32_t height, glyph, top; };
  for (const Top& r : {Top{18, 13, 2}, Top{13, 13, 0}, Top{12, 13, -1}, Top{0, 13, -7}, Top{27, 20, 3}})
    EXPECT_EQ(GlyphTop(r.height, r.glyph), r.top) << r.height << " high";
  // Enabled: the value's column, a row down for each of pressed and hover; disabled: the disabled
  // column (given in 13-pixel cells), the value's row.
  struct Cell { bool enabled; std::uint8_t value; bool pressed, hover; int disabled, size; std::pair<int, int> at; };
  for (const Cell& c : {Cell{true, 0, false, false, 39, 13, {0, 0}}, Cell{true, 1, false, true, 39, 13, {13, 13}},
                        Cell{true, 2, true, true, 39, 13, {26, 26}}, Cell{true, 1, true, false, 39, 20, {20, 20}},
                        Cell{false, 2, true, true, kCheckBoxDisabledColumn, 13, {39, 26}},
                        Cell{false, 1, false, true, kOptionBoxDisabledColumn, 20, {40, 20}}}) {
    const CellOrigin at = GlyphCell(c.enabled, c.value, c.pressed, c.hover, c.disabled, c.size);
    EXPECT_EQ((std::pair{at.x, at.y}), c.at) << c.enabled << int{c.value} << c.pressed << c.hover << " in " << c.size;
  }
}

TEST(CheckBoxValue, StoredAndAfterAClick) {
  struct Row { int written; std::optional<std::uint8_t> stored; };
  for (const Row& r : {Row{0, 0}, Row{1, 1}, Row{2, 2}, Row{3, 2}, Row{255, 2}, Row{256, {}}, Row{-1, {}}})
    EXPECT_EQ(CheckBoxStoredValue(r.written), r.stored) << r.written;
  const std::vector<int> after{CheckBoxValueAfterClick(0), CheckBoxValueAfterClick(1), CheckBoxValueAfterClick(2)};
  EXPECT_EQ(after, (std::vector<int>{1, 0, 0})) << "after unchecked, checked, third state";
}

// (The link's size at a DPI: the window test.)
TEST(Links, LookFollowsPressAndHover) {
  struct Look { bool pressed, hover; std::uint32_t color; bool underline; };
  for (const Look& r : {Look{false, false, kLinkBlue, false}, Look{false, true, kLinkBlue, true},
                        Look{true, false, kLinkBlue, true}, Look{true, true, kLinkRed, true}}) {
    const LinkLook look = LinkLookFor(r.pressed, r.hover);
    EXPECT_EQ((std::pair{look.color, look.underline}), (std::pair{r.color, r.underline})) << r.pressed << r.hover;
  }
}

// The tip's arithmetic: halves to even, sums and places that refuse the 32-bit (the track
// message: 16-bit) range instead of wrapping, the left edge the margin (3 at 96 DPI) left of the
// request but never left of 0, x in the message's low and y in its high word; its display text.
TEST(TipPlacement, Arithmetic) {
  struct Round { double in; std::optional<std::int32_t> out; };
  for (const Round& r : {Round{0.5, 0}, Round{1.5, 2}, Round{-2.5, -2}, Round{2.5001, 3}, Round{2147483647.5, {}}})
    EXPECT_EQ(RoundHalfEven(r.in), r.out) << r.in;
  EXPECT_EQ(CheckedSum(-2147483600, -60, 15), std::nullopt) << "the first sum overflows";
  EXPECT_EQ(CheckedSum(2147483600, 40, 7), 2147483647) << "the largest still fits";
  struct Track { std::int32_t x; int dpi; std::int32_t left; };
  for (const Track& r : {Track{2, 96, 0}, Track{103, 96, 100}, Track{103, 144, 98}, Track{5, 192, 0}})
    EXPECT_EQ(TipTrackX(r.x, r.dpi), r.left) << r.x << " at " << r.dpi;
  EXPECT_EQ(TrackPositionParam(103, -1), 0xFFFF0064u);
  EXPECT_EQ(TrackPositionParam(103, 0, 192), 97u);
  EXPECT_EQ(TrackPositionParam(10, 32768), std::nullopt);
  struct Shown { Text in; bool multiline; Text out; };
  for (const Shown& r : {Shown{u"R&\r\nD", false, u"R&&D"}, Shown{u"a\r\nb", true, u"a\r\nb"},
                         Shown{u"a\r\r\nb\n", false, u"a\rb\n"}})
    EXPECT_EQ(TipDisplayText(r.in, r.multiline), r.out);
}

// The path box 200 x 20 at screen (100, top); texts are 9 pixels a character.
struct PathBox : WindowTipPlatform {
  PathBox(std::int32_t top, int dpi) : top(top), dpi(dpi) {}
  WindowId at = 10;
  std::int32_t top;
  int dpi;
  std::ostringstream log;
  bool OwnerRect(WindowId owner, Rect& rect) override { return owner == 10 && (rect = {100, top, 300, top + 20}, true); }
  WindowId WindowAt(Point) override { return at; }
  WindowId TipWindow() override { return 900; }
  int OwnerDpi(WindowId) override { return dpi; }
  std::int32_t MeasureText(const Text& text, int at) override { return static_cast<std::int32_t>(text.size()) * 9 * at / 96; }
  // The tooltip's position holds 16 bits.
  bool ShowTip(const Text& text, WindowId, std::int32_t x, std::int32_t y, int at) override {
    return log << "show" << text.size() << "@" << x << "," << y << (at != 96 ? "/" + std::to_string(at) : "") << " ", y < 32768;
  }
  bool MoveTip(const Text&, std::int32_t x, std::int32_t y) override { return log << "move@" << x << "," << y << " ", y < 32768; }
  void HideTip() override { log << "hide "; }
};

TEST(PathBoxTip, Rows) {
  struct Step { std::uint8_t button; const char16_t* text; std::int32_t x, y; };
  struct Row { const char* name; std::vector<Step> steps; const char* log; std::int32_t top = 50; int dpi = 96; };
  const Row rows[] = {
      {"shows centred, 15 right and 25 below; same place does nothing", {{0, u"abc", 20, 5}, {0, u"abc", 20, 5}}, "show3@122,80 "},
      {"empty path shows the hint", {{0, u"", 20, 5}}, "show10@90,80 "},
      {"follows, and leaving hides", {{0, u"x", 20, 5}, {0, u"x", 30, 6}, {0, u"x", 201, 6}}, "show1@130,80 move@140,81 hide "},
      {"a press hides and held moves do not show", {{0, u"x", 20, 5}, {1, u"x", 21, 5}, {1, u"x", 22, 5}}, "show1@130,80 hide "},
      {"a place past 16 bits ends the tracker: the next move starts anew", {{0, u"x", 20, 5}, {0, u"x", 21, 5}},
       "show1@130,32770 show1@132,32770 ", 32740},
      {"at the owner's 144 DPI: 23 right, 38 below, measured there", {{0, u"abc", 20, 5}}, "show3@123,93/144 ", 50, 144},
  };
  for (const Row& r : rows) {
    PathBox box(r.top, r.dpi);
    TrackTipRecord state;
    for (const Step& s : r.steps) UpdateWindowTip(state, box, 10, s.button, s.text, false, s.x, s.y);
    EXPECT_EQ(box.log.str(), r.log) << r.name;
  }
}

}  // namespace
