// Several monitors without monitors: the reference core's scene on each monitor of a window over
// several (fitted or at its own size, centred in each, nothing in the gaps, a mirrored monitor
// drawn once), and a window left on no monitor by a change of them (back onto the nearest one's
// work area, wholly, at its DPI; a window still on a monitor stays).
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tools/reference-core/scene_layout.h"
#include "tests/geometry_print.h"
#include "ui/monitor_return.h"

namespace {

TEST(SceneLayout, Rows) {
  const Rect primary{0, 0, 1280, 1024}, second{1280, 128, 2304, 896}, left{-1024, 128, 0, 896};
  // scenes: monitor part and scene in window coordinates, frame columns / rows on whole pixels.
  struct Row { const char* name; Rect window; std::vector<Rect> monitors; bool natural; std::vector<MonitorScene> scenes; };
  const Row rows[] = {
      {"second on the right: fitted on each", {0, 0, 2304, 1024}, {primary, second}, false,
       {{primary, {0, 112, 1280, 800}, 5, 5}, {{1280, 128, 2304, 896}, {1280, 192, 1024, 640}, 25, 25}}},
      {"second on the left, negative coordinates", {-1024, 0, 1280, 1024}, {primary, left}, false,
       {{{1024, 0, 2304, 1024}, {1024, 112, 1280, 800}, 5, 5}, {{0, 128, 1024, 896}, {0, 192, 1024, 640}, 25, 25}}},
      {"at its own size, centred on each", {0, 0, 2304, 1024}, {primary, second}, true,
       {{primary, {440, 387, 400, 250}, 1, 1}, {{1280, 128, 2304, 896}, {1592, 387, 400, 250}, 1, 1}}},
      {"a gap between them holds no scene", {0, 0, 2000, 600}, {{0, 0, 800, 500}, {1600, 100, 2000, 600}}, false,
       {{{0, 0, 800, 500}, {0, 0, 800, 500}, 1, 1}, {{1600, 100, 2000, 600}, {1600, 225, 400, 250}, 1, 1}}},
      {"mirrored outputs: one scene", {0, 0, 1280, 1024}, {primary, primary}, false, {{primary, {0, 112, 1280, 800}, 5, 5}}},
      {"a monitor outside the window: none", {0, 0, 1280, 1024}, {primary, {3000, 0, 3500, 400}}, false,
       {{primary, {0, 112, 1280, 800}, 5, 5}}},
      {"a monitor partly outside: its part", {0, 0, 1000, 500}, {{-200, 0, 800, 500}, {800, 0, 1000, 500}}, false,
       {{{0, 0, 800, 500}, {0, 0, 800, 500}, 1, 1}, {{800, 0, 1000, 500}, {800, 187, 200, 125}, 0, 0}}},
      {"no monitor: the whole window", {0, 0, 800, 250}, {}, false, {{{0, 0, 800, 250}, {200, 0, 400, 250}, 1, 1}}},
      {"frame pixels seldom on whole target pixels: redrawn whole", {0, 0, 1366, 1000}, {}, false,
       {{{0, 0, 1366, 1000}, {0, 73, 1366, 854}, 0, 0}}},
      {"natural size on a small monitor: redrawn within it", {0, 0, 300, 200}, {}, true,
       {{{0, 0, 300, 200}, {-50, -25, 400, 250}, 1, 1}}},
  };
  for (const Row& row : rows) EXPECT_EQ(PlaceOnMonitors(row.window, row.monitors, row.natural), row.scenes) << row.name;
}

TEST(MonitorReturn, Rows) {
  const LiveMonitor primary{{0, 0, 1280, 1024}, {0, 0, 1280, 984}, 96};
  const LiveMonitor left{{-1024, 128, 0, 896}, {-1024, 128, 0, 896}, 96};
  const LiveMonitor left150{{-1536, 0, 0, 864}, {-1536, 0, 0, 824}, 144};
  const Rect dialog = Box(1500, 300, 370, 250);  // where the second monitor on the right was
  using P = ReturnPlace;
  struct Row { const char* name; Rect window; int dpi; std::vector<LiveMonitor> monitors; std::optional<P> placed; };
  const Row rows[] = {
      {"its monitor gone: onto the primary, wholly, at the edge nearest", dialog, 96, {primary}, P{Box(910, 300, 370, 250), 96}},
      {"still on the primary: stays", Box(100, 100, 370, 250), 96, {primary, left}, std::nullopt},
      {"a corner on a monitor: stays", Box(1279, 1023, 370, 250), 96, {primary}, std::nullopt},
      {"the nearest of two", Box(-2000, 300, 370, 250), 96, {primary, left}, P{Box(-1024, 300, 370, 250), 96}},
      {"below the task bar's edge: above it", Box(200, 1100, 370, 250), 96, {primary}, P{Box(200, 734, 370, 250), 96}},
      {"onto a monitor at 150 %: scaled", dialog, 96, {left150}, P{Box(-555, 300, 555, 375), 144}},
      {"from 150 % onto 100 %", Box(-2000, -900, 555, 375), 144, {primary}, P{Box(0, 0, 370, 250), 96}},
      {"larger than the work area: its corner in it", Box(-3000, 0, 1500, 1100), 96, {left}, P{Box(-1024, 128, 1500, 1100), 96}},
      {"no monitor: nothing to do", dialog, 96, {}, std::nullopt},
  };
  for (const Row& r : rows) EXPECT_EQ(ReturnOntoMonitor(r.window, r.dpi, r.monitors), r.placed) << r.name;
}

}  // namespace
