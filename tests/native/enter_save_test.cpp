#include "dialog/enter_save.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A sequence of key events on the dialog: 'D' press, 'U' release, 'F' focus lost; key and
// whether Shift, Ctrl or Alt is held.
struct Event {
  char kind;
  unsigned key;
  bool modifier;
};

TEST(EnterSave, SavesOnlyOnAReleaseOfAnEnterPressedHere) {
  constexpr unsigned kEnter = 13, kA = 'A', kShift = 16;
  const struct {
    const char* name;
    std::vector<Event> events;
    std::vector<bool> saves;  // per release
  } rows[] = {
      {"press and release", {{'D', kEnter, false}, {'U', kEnter, false}}, {true}},
      {"release alone (pressed in the file dialog)", {{'U', kEnter, false}}, {false}},
      {"held, repeating", {{'D', kEnter, false}, {'D', kEnter, false}, {'U', kEnter, false}}, {true}},
      {"once per press", {{'D', kEnter, false}, {'U', kEnter, false}, {'U', kEnter, false}}, {true, false}},
      {"another key pressed between", {{'D', kEnter, false}, {'D', kA, false}, {'U', kEnter, false}}, {false}},
      {"another key released between", {{'D', kEnter, false}, {'U', kA, false}, {'U', kEnter, false}}, {false, true}},
      {"focus lost between", {{'D', kEnter, false}, {'F', 0, false}, {'U', kEnter, false}}, {false}},
      {"pressed with a modifier", {{'D', kEnter, true}, {'U', kEnter, false}}, {false}},
      {"released with a modifier", {{'D', kEnter, false}, {'U', kEnter, true}}, {false}},
      {"Shift pressed while held", {{'D', kEnter, false}, {'D', kShift, true}, {'U', kEnter, true}}, {false}},
  };
  for (const auto& row : rows) {
    EnterSave enter;
    std::vector<bool> saves;
    for (const Event& e : row.events) {
      if (e.kind == 'D') enter.KeyDown(e.key, e.modifier);
      else if (e.kind == 'F') enter.FocusLost();
      else saves.push_back(enter.KeyUp(e.key, e.modifier));
    }
    EXPECT_EQ(saves, row.saves) << row.name;
  }
}

}  // namespace
