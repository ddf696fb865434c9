// The rules of HyperLink, CheckBox and OptionBox that need no window, and the check box's and
// option box's click rules driven through the shared control model.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/checkbox_rules.h"
#include "controls/control_model.h"
#include "controls/hyperlink_rules.h"
#include "controls/optionbox_rules.h"

namespace {

TEST(GlyphTopTest, CentresTheGlyphRoundingDown) {
  struct Row {
    std::int32_t height;
    std::int32_t top;
  };
  const Row rows[] = {
      {18, 2},   // the settings dialog's size: Int(2.5)
      {13, 0},   // exactly the glyph
      {12, -1},  // lower than the glyph: Int(-0.5) is -1, not 0
      {11, -1},
      {10, -2},
      {0, -7},
      {19, 3},
      {14, 0},
  };
  for (const Row& row : rows) EXPECT_EQ(GlyphTop(row.height), row.top) << "height " << row.height;
}

// Every combination of enabled, value, pressed and hover, for both controls.
TEST(GlyphCellTest, EveryStateTakesItsCell) {
  for (int disabledColumn : {kCheckBoxDisabledColumn, kOptionBoxDisabledColumn}) {
    const int values = disabledColumn == kCheckBoxDisabledColumn ? 3 : 2;
    for (int value = 0; value < values; ++value) {
      for (int pressed = 0; pressed < 2; ++pressed) {
        for (int hover = 0; hover < 2; ++hover) {
          const auto v = static_cast<std::uint8_t>(value);
          const std::string where = "column " + std::to_string(disabledColumn) + " value " + std::to_string(value) +
                                    " pressed " + std::to_string(pressed) + " hover " + std::to_string(hover);
          const CellOrigin on = GlyphCell(true, v, pressed, hover, disabledColumn);
          const int row = pressed && hover ? 26 : pressed || hover ? 13 : 0;
          EXPECT_EQ(on.x, 13 * value) << where;
          EXPECT_EQ(on.y, row) << where;
          const CellOrigin off = GlyphCell(false, v, pressed, hover, disabledColumn);
          EXPECT_EQ(off.x, disabledColumn) << where;
          EXPECT_EQ(off.y, 13 * value) << where;
        }
      }
    }
  }
  // The disabled columns lie right of the value columns of each skin.
  EXPECT_EQ(kCheckBoxDisabledColumn, 3 * kGlyphSize);
  EXPECT_EQ(kOptionBoxDisabledColumn, 2 * kGlyphSize);
}

TEST(CheckBoxValueTest, WritesAbove2StoreTheThirdState) {
  const std::pair<int, int> rows[] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {5, 2}, {255, 2}};
  for (const auto& [written, stored] : rows) EXPECT_EQ(CheckBoxStoredValue(written), stored) << written;
  // The value is 8 bits: beyond them the write is refused, not wrapped or clamped to 0.
  EXPECT_THROW(CheckBoxStoredValue(-1), std::out_of_range);
  EXPECT_THROW(CheckBoxStoredValue(256), std::out_of_range);
}

TEST(CheckBoxValueTest, ClickTogglesAndTheThirdStateUnchecks) {
  EXPECT_EQ(CheckBoxValueAfterClick(0), 1);
  EXPECT_EQ(CheckBoxValueAfterClick(1), 0);
  EXPECT_EQ(CheckBoxValueAfterClick(2), 0);
}

TEST(OptionGroupTest, GroupIsTheSameContainerWithoutSelf) {
  constexpr WindowId kForm = 1, kFrame = 2;
  const std::vector<OptionBoxEntry> boxes = {
      {10, kForm, false}, {11, kForm, true}, {12, kForm, false},  // on the form
      {20, kFrame, true}, {21, kFrame, false},                      // in a frame
  };
  EXPECT_EQ(OthersToTurnOff(boxes, 10, kForm, TurnOff::OnesThatAreOn), (std::vector<WindowId>{11}));
  EXPECT_EQ(OthersToTurnOff(boxes, 10, kForm, TurnOff::All), (std::vector<WindowId>{11, 12}));
  // The one that is on is not written to itself; the frame's members never belong to the form's group.
  EXPECT_EQ(OthersToTurnOff(boxes, 11, kForm, TurnOff::OnesThatAreOn), (std::vector<WindowId>{}));
  EXPECT_EQ(OthersToTurnOff(boxes, 21, kFrame, TurnOff::All), (std::vector<WindowId>{20}));
  EXPECT_EQ(OthersToTurnOff(boxes, 20, kFrame, TurnOff::OnesThatAreOn), (std::vector<WindowId>{}));
  EXPECT_TRUE(OthersToTurnOff({}, 10, kForm, TurnOff::All).empty());
}

TEST(LinkLookTest, ColourAndUnderlineByState) {
  struct Row {
    bool pressed, hover;
    std::uint32_t color;
    bool underline;
  };
  const Row rows[] = {
      {false, false, 0xFF0000, false},
      {false, true, 0xFF0000, true},
      {true, false, 0xFF0000, true},  // pressed, pointer dragged off
      {true, true, 0x0000FF, true},
  };
  for (const Row& row : rows) {
    const LinkLook look = LinkLookFor(row.pressed, row.hover);
    EXPECT_EQ(look.color, row.color) << row.pressed << row.hover;
    EXPECT_EQ(look.underline, row.underline) << row.pressed << row.hover;
  }
  const LinkSize size = LinkSizeFor(57, 12);
  EXPECT_EQ(size.width, 57);
  EXPECT_EQ(size.height, 13);  // a row below the text for the underline
}

// A glyph control 100 x 18 at screen (300, 200) on the shared model with the anchored tip. Its
// click rule is the check box's or the option box's; the events are logged.
class FakeGlyphBox : public ControlHost {
 public:
  enum class Kind { Check, Option };
  explicit FakeGlyphBox(Kind kind) : kind(kind), model(*this, TipStyle::Anchored) {}

  Kind kind;
  ControlModel model;
  std::uint8_t value = 0;
  std::vector<OptionBoxEntry> formBoxes;  // for the option box: the form's boxes, self is 1
  std::vector<WindowId> writtenFalse;
  std::vector<std::string> log;
  bool capture = false;

  bool CaptureIsOurs() override { return capture; }
  void TakeCapture() override { capture = true; }
  void ReleaseCapture() override { capture = false; }
  ScreenPoint CursorPos() override { return {350, 205}; }
  ScreenRect WindowRect() override { return {300, 200, 400, 218}; }
  WindowId WindowAt(ScreenPoint) override { return 1; }
  WindowId OwnWindow() override { return 1; }
  WindowId TipWindow() override { return 0; }
  float InnerWidth() override { return 100; }
  float InnerHeight() override { return 18; }
  std::int32_t TextWidth(const Text&) override { return 0; }
  void SetHandPointer() override {}
  void FocusForm() override {}
  void ShowTip(const Text&, std::int32_t, std::int32_t, bool) override {}
  void MoveTip(std::int32_t, std::int32_t) override {}
  void HideTip() override {}
  void Redraw() override { log.push_back("redraw " + std::to_string(value)); }
  void ClickChangesValue() override {
    if (kind == Kind::Check) {
      value = CheckBoxValueAfterClick(value);
    } else {
      value = 1;
      writtenFalse = OthersToTurnOff(formBoxes, 1, 7, TurnOff::All);
    }
  }
  bool RaiseClick() override {
    log.push_back("Click " + std::to_string(value));
    return true;
  }
  bool RaiseMouseDown(MouseMask&, MouseMask&, float&, float&) override { return true; }
  bool RaiseMouseMove(MouseMask&, MouseMask&, float&, float&) override { return true; }
  bool RaiseMouseUp(MouseMask& b, MouseMask&, float&, float&) override {
    log.push_back("MouseUp " + std::to_string(b) + " " + std::to_string(value));
    return true;
  }

  void Hover() { model.MouseMove(0, 0, 50, 9); }
  void ClickWith(MouseMask button, float upX = 50, float upY = 9) {
    model.MouseDown(button, 0, 50, 9);
    log.clear();
    model.MouseUp(button, 0, upX, upY);
  }
};

TEST(GlyphBoxClickTest, LeftClickChangesTheValueBeforeClickAndTheRedrawShowsTheOldOne) {
  FakeGlyphBox box(FakeGlyphBox::Kind::Check);
  box.Hover();
  box.ClickWith(1);
  // The release's redraw still shows the old value; Click sees the new one; the capture is still
  // ours, so nothing repaints the new value until the next move.
  EXPECT_EQ(box.log, (std::vector<std::string>{"redraw 0", "Click 1", "MouseUp 1 1"}));
  box.log.clear();
  box.Hover();
  EXPECT_EQ(box.log, (std::vector<std::string>{"redraw 1"}));
}

TEST(GlyphBoxClickTest, CheckBoxValueRulesThroughTheModel) {
  struct Row {
    const char* name;
    std::uint8_t before;
    MouseMask button;
    float upX;
    std::uint8_t after;
    bool click;
  };
  const Row rows[] = {
      {"left click checks", 0, 1, 50, 1, true},
      {"left click unchecks", 1, 1, 50, 0, true},
      {"third state unchecks", 2, 1, 50, 0, true},
      {"right click changes nothing", 0, 2, 50, 0, false},
      {"middle click changes nothing", 1, 4, 50, 1, false},
      {"release outside changes nothing", 0, 1, 150, 0, false},
      {"release on the last column is inside", 0, 1, 99.5f, 1, true},
      {"release at the right edge is outside", 0, 1, 100, 0, false},
  };
  for (const Row& row : rows) {
    FakeGlyphBox box(FakeGlyphBox::Kind::Check);
    box.value = row.before;
    box.Hover();
    box.ClickWith(row.button, row.upX);
    EXPECT_EQ(box.value, row.after) << row.name;
    int clicks = 0;
    for (const auto& e : box.log) clicks += e.rfind("Click", 0) == 0;
    EXPECT_EQ(clicks, row.click ? 1 : 0) << row.name;
    EXPECT_FALSE(box.model.Pressed()) << row.name;
    EXPECT_FALSE(box.model.Hover()) << row.name;
  }
}

TEST(GlyphBoxClickTest, OptionBoxClickNeverTurnsItOffAndWritesFalseToEveryOtherMember) {
  FakeGlyphBox box(FakeGlyphBox::Kind::Option);
  box.value = 1;  // already on
  box.formBoxes = {{1, 7, true}, {2, 7, false}, {3, 7, false}, {4, 8, true}};
  box.Hover();
  box.ClickWith(1);
  EXPECT_EQ(box.value, 1);
  EXPECT_EQ(box.writtenFalse, (std::vector<WindowId>{2, 3}));  // off or not; not container 8
  EXPECT_EQ(box.log, (std::vector<std::string>{"redraw 1", "Click 1", "MouseUp 1 1"}));

  FakeGlyphBox right(FakeGlyphBox::Kind::Option);
  right.formBoxes = box.formBoxes;
  right.Hover();
  right.ClickWith(2);
  EXPECT_EQ(right.value, 0);
  EXPECT_TRUE(right.writtenFalse.empty());
}

// Without a press on the control, a left release is no click at all.
TEST(GlyphBoxClickTest, ReleaseWithoutPressIsNoClick) {
  FakeGlyphBox box(FakeGlyphBox::Kind::Check);
  box.Hover();
  box.log.clear();
  box.model.MouseUp(1, 0, 50, 9);
  EXPECT_EQ(box.value, 0);
  EXPECT_EQ(box.log, (std::vector<std::string>{"MouseUp 1 0"}));
}

}  // namespace
