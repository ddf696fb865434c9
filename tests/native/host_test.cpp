// The walk over the core's windows and the core's command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core_scan.h"

namespace {

// A scripted core: its top-level windows in Z order; a window with `until` >= 0 is listed only
// before that step, one with `from` > 0 only from that step on. The core ends after `life` steps.
struct FakeCore : CoreWindows {
  struct Window { WindowId id; Text title; int until = -1, from = 0; };
  std::vector<Window> windows;
  int steps = 0, waits = 0, life = 1 << 30;
  std::string walk;  // the windows whose titles were read, "0" for the end of the list
  bool Listed(const Window& w) const { return (w.until < 0 || steps < w.until) && steps >= w.from; }
  bool CoreExists() override { return steps < life; }
  WindowId NextWindow(WindowId after) override {
    ++steps;
    std::size_t i = 0;
    while (after && i < windows.size() && windows[i++].id != after) {}
    for (; i < windows.size(); ++i)
      if (Listed(windows[i])) return windows[i].id;
    return 0;
  }
  Text Title(WindowId id) override {
    walk += std::to_string(id) + " ";
    for (const Window& w : windows)
      if (w.id == id && Listed(w)) return w.title;
    return Text();
  }
  bool WaitTimedOut(int ms) override {
    walk += "| ";
    EXPECT_EQ(ms, 100) << "a pass pauses 100 ms";
    return ++waits < 3;
  }
};

TEST(CoreScan, Rows) {
  struct Row {
    const char* name;
    std::vector<FakeCore::Window> windows;
    int life;
    WindowId found;
    std::string walk;
  };
  const Row rows[] = {
      {"third window", {{1, u"Lumivale"}, {2, u""}, {3, u"設定"}}, 1 << 30, 3, "1 2 3 "},
      {"near titles never match", {{1, u"設定x"}, {2, u" 設定"}}, 1 << 30, 0, "1 2 0 | 1 2 0 | 1 2 0 | "},
      {"late window, next pass", {{1, u"a"}, {2, u"設定", -1, 3}}, 1 << 30, 2, "1 0 | 1 2 "},
      {"first window gone", {{1, u"splash", 1}, {2, u"b"}}, 1 << 30, 0, "1 2 0 2 | 0 2 | 0 2 | "},
      {"no window left", {{1, u"splash", 1}}, 1 << 30, 0, "1 0 | 0 | 0 | "},
      {"core ends", {{1, u"a"}, {2, u"b"}}, 2, 0, "1 2 "},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    FakeCore core;
    core.windows = r.windows;
    core.life = r.life;
    const ScanResult result = ScanCoreWindows(core, 1);
    EXPECT_EQ(result.found, r.found != 0);
    EXPECT_EQ(result.window, r.found);
    EXPECT_EQ(core.walk, r.walk);
  }
}

TEST(CoreCommandLine, ArgumentsAreHandedOnAsReceived) {
  struct Row { const char16_t* line; const char16_t* args; };
  for (const Row& r : {Row{u"\"C:\\S\\L.scr\"  /c:1234  ", u"/c:1234  "}, Row{u"C:\\L~1.SCR /p 65552", u"/p 65552"},
                       Row{u"\"C:\\My S\\L.scr\"", u""}, Row{u"\"C:\\x y\\a.scr\"/S", u"/S"}})
    EXPECT_EQ(ArgumentsOf(r.line), Text(r.args)) << static_cast<int>(r.line[2]);
  EXPECT_EQ(CoreCommandLine(u"C:\\LumivaleCore.dll", u""), u"\"C:\\LumivaleCore.dll\" ");
}

}  // namespace
