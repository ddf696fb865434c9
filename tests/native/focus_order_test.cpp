#include "ui/focus_order.h"

#include <gtest/gtest.h>

namespace {

TEST(FocusOrder, TabWrapsRoundAndArrowsChooseFromNoneTheFirst) {
  const struct {
    const char* name;
    int (*rule)(int count, int current, int step);
    int count, current, step, next;
  } rows[] = {
      {"Tab from the form: the first stop", NextStop, 8, -1, 1, 0},
      {"Shift+Tab from the form: the last stop", NextStop, 8, -1, -1, 7},
      {"Tab", NextStop, 8, 3, 1, 4},
      {"Tab from the last wraps", NextStop, 8, 7, 1, 0},
      {"Shift+Tab from the first wraps", NextStop, 8, 0, -1, 7},
      {"no stops", NextStop, 0, -1, 1, -1},
      {"arrow down", NextOption, 6, 2, 1, 3},
      {"arrow down from the last wraps", NextOption, 6, 5, 1, 0},
      {"arrow up from the first wraps", NextOption, 6, 0, -1, 5},
      {"no option chosen: down gives the first", NextOption, 6, -1, 1, 0},
      {"no option chosen: up gives the first too", NextOption, 6, -1, -1, 0},
      {"no options", NextOption, 0, -1, 1, -1},
  };
  for (const auto& row : rows) EXPECT_EQ(row.rule(row.count, row.current, row.step), row.next) << row.name;
}

}  // namespace
