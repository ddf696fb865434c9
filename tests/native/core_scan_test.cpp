#include "host/core_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A scripted core: its windows in Z order, each with a title, some that vanish after a few steps.
class FakeCore : public CoreWindows {
 public:
  struct Window { WindowId id; Text title; int vanishAfterSteps = -1; };
  std::vector<Window> windows;
  int steps = 0, waits = 0, existsChecks = 0, lifetimeSteps = 1 << 30;
  std::vector<WindowId> visited;

  bool Alive(const Window& w) const { return w.vanishAfterSteps < 0 || steps < w.vanishAfterSteps; }
  bool CoreExists() override { ++existsChecks; return steps < lifetimeSteps; }
  WindowId NextWindow(WindowId after) override {
    ++steps;
    std::size_t i = 0;
    if (after != 0) {
      while (i < windows.size() && windows[i].id != after) ++i;
      ++i;
    }
    for (; i < windows.size(); ++i)
      if (Alive(windows[i])) return windows[i].id;
    return 0;
  }
  Text Title(WindowId id) override {
    visited.push_back(id);
    for (const auto& w : windows)
      if (w.id == id && Alive(w)) return w.title;
    return Text();
  }
  bool WaitTimedOut(int ms) override {
    EXPECT_EQ(ms, 100);
    ++waits;
    return waits < 50;
  }
};

TEST(CoreScan, SettingsWindowThirdIsFoundInTheFirstPass) {
  FakeCore core;
  core.windows = {{11, u"Lumivale"}, {12, u""}, {13, u"設定"}};
  const ScanResult r = ScanCoreWindows(core, 11);
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.window, 13u);
  EXPECT_EQ(core.waits, 0);
}

TEST(CoreScan, NearMatchesAndChildrenNeverMatch) {
  FakeCore core;  // children are not listed by NextWindow; titles must be exact
  core.windows = {{21, u"設定x"}, {22, u" 設定"}, {23, u"設 定"}, {24, u"設"}};
  const ScanResult r = ScanCoreWindows(core, 21);
  EXPECT_FALSE(r.found);
  EXPECT_EQ(core.waits, 50);
}

TEST(CoreScan, PassesPauseOnlyWhenTheWalkReturnsToTheFirstWindow) {
  FakeCore core;
  core.windows = {{31, u"a"}, {32, u"b"}};
  ScanCoreWindows(core, 31);
  // Each pass: 31, 32, 0 (the walk starts again at the top), back at 31 -> pause.
  EXPECT_EQ(core.waits, 50);
  ASSERT_GE(core.visited.size(), 6u);
  EXPECT_EQ(core.visited[0], 31u);
  EXPECT_EQ(core.visited[1], 32u);
  EXPECT_EQ(core.visited[2], 0u);
  EXPECT_EQ(core.visited[3], 31u);
}

TEST(CoreScan, VanishedFirstWindowStillPausesAfterEveryWholePass) {
  for (const bool othersRemain : {true, false}) {
    FakeCore core;
    core.windows = {{41, u"first", 1}, {42, u"b"}, {43, u"c"}};
    if (!othersRemain) core.windows.resize(1);  // a core that runs on without any window
    core.lifetimeSteps = 40;  // the core ends after a while
    const ScanResult r = ScanCoreWindows(core, 41);
    EXPECT_FALSE(r.found);
    // After the first, a pass is one walk over the remaining windows and past the last one.
    const int pass = othersRemain ? 3 : 1;
    EXPECT_GE(core.waits, 40 / pass - 2) << othersRemain;
    EXPECT_GE(core.existsChecks, 40);  // every step still checks that the core exists
  }
}

TEST(CoreScan, SettingsWindowShowingAfterTheFirstWentIsStillFound) {
  // The splash window goes after the first step; the settings window is listed from the tenth.
  struct LateCore : FakeCore {
    WindowId NextWindow(WindowId after) override {
      const WindowId next = FakeCore::NextWindow(after);
      return (next == 72 && steps < 10) ? FakeCore::NextWindow(72) : next;
    }
  } core;
  core.windows = {{71, u"splash", 1}, {72, u"設定"}};
  const ScanResult r = ScanCoreWindows(core, 71);
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.window, 72u);
  EXPECT_GE(core.waits, 1);
}

TEST(CoreScan, LateSettingsWindowIsFoundInTheNextPass) {
  FakeCore core;
  core.windows = {{51, u"main"}, {52, u"設定", -1}};
  core.windows[1].title = u"設定";
  core.windows.insert(core.windows.begin() + 1, {50, u"", -1});
  const ScanResult r = ScanCoreWindows(core, 51);
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.window, 52u);
}

TEST(CoreScan, EndsWhenTheCoreIsGone) {
  FakeCore core;
  core.windows = {{61, u"a"}};
  core.lifetimeSteps = 0;
  EXPECT_FALSE(ScanCoreWindows(core, 61).found);
  EXPECT_EQ(core.visited.size(), 0u);
}

TEST(CommandLine, ArgumentsAreHandedOnAsReceived) {
  struct Row { const char16_t* line; const char16_t* args; };
  const Row rows[] = {
      {u"\"C:\\Saver\\Lumivale.scr\" /s", u"/s"},
      {u"\"C:\\Saver\\Lumivale.scr\"  /c:1234  ", u"/c:1234  "},
      {u"C:\\SAVER\\LUMIVA~1.SCR /p 65552", u"/p 65552"},
      {u"\"C:\\My Saver\\Lumivale.scr\"", u""},
      {u"Lumivale.scr", u""},
      {u"\"C:\\x y\\a.scr\"/S", u"/S"},
  };
  for (const Row& r : rows) EXPECT_EQ(ArgumentsOf(r.line), Text(r.args)) << std::string(r.line, r.line + 3);
  EXPECT_EQ(CoreCommandLine(u"C:\\LumivaleCore.dll", u""), u"\"C:\\LumivaleCore.dll\" ");
  EXPECT_EQ(CoreCommandLine(u"C:\\S\\LumivaleCore.dll", u"/c:42"), u"\"C:\\S\\LumivaleCore.dll\" /c:42");
}

}  // namespace
