// A window left on no monitor by a change of the monitors comes back onto the nearest one's work
// area, wholly, at its DPI; a window still on a monitor stays.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "ui/monitor_return.h"

namespace {

TEST(MonitorReturn, Rows) {
  const LiveMonitor primary{{0, 0, 1280, 1024}, {0, 0, 1280, 984}, 96};
  const LiveMonitor left{{-1024, 128, 0, 896}, {-1024, 128, 0, 896}, 96};
  const LiveMonitor left150{{-1536, 0, 0, 864}, {-1536, 0, 0, 824}, 144};
  const Rect dialog = Box(1500, 300, 370, 250);  // where the second monitor on the right was
  struct Row { const char* name; Rect window; int dpi; std::vector<LiveMonitor> monitors; std::optional<ReturnPlace> placed; };
  const Row rows[] = {
      {"its monitor gone: onto the primary, wholly, at the edge nearest", dialog, 96, {primary}, ReturnPlace{Box(910, 300, 370, 250), 96}},
      {"still on the primary: stays", Box(100, 100, 370, 250), 96, {primary, left}, std::nullopt},
      {"a corner on a monitor: stays", Box(1279, 1023, 370, 250), 96, {primary}, std::nullopt},
      {"the nearest of two", Box(-2000, 300, 370, 250), 96, {primary, left}, ReturnPlace{Box(-1024, 300, 370, 250), 96}},
      {"below the task bar's edge: above it", Box(200, 1100, 370, 250), 96, {primary}, ReturnPlace{Box(200, 734, 370, 250), 96}},
      {"onto a monitor at 150 %: scaled", dialog, 96, {left150}, ReturnPlace{Box(-555, 300, 555, 375), 144}},
      {"from 150 % onto 100 %", Box(-2000, -900, 555, 375), 144, {primary}, ReturnPlace{Box(0, 0, 370, 250), 96}},
      {"larger than the work area: its corner in it", Box(-3000, 0, 1500, 1100), 96, {left}, ReturnPlace{Box(-1024, 128, 1500, 1100), 96}},
      {"no monitor: nothing to do", dialog, 96, {}, std::nullopt},
  };
  for (const Row& r : rows) EXPECT_EQ(ReturnOntoMonitor(r.window, r.dpi, r.monitors), r.placed) << r.name;
}

}  // namespace
