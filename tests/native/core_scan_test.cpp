#include "host/command_line.h"
#include "host/supervision.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A core on a virtual clock: its windows come, change their title and go at given times. Only
// creations are told (as under Wine: no rename event); a rename must be seen by a pass.
struct FakeWindow {
  WindowId id;
  Text title;
  int createdAt = 0;  // 0: there when the core is idle
  int renamedAt = -1;
  Text renamedTo = u"設定";
  int goneAt = -1;
  bool hasParent = false;  // an owned window (children are never told: they are not top-level)
};

class FakeCore : public CoreWindows {
 public:
  std::vector<FakeWindow> windows;
  int endsAt = 60000, now = 0, waits = 0;
  std::vector<WindowId> told;

  CoreWake Wait(int ms) override {
    EXPECT_GE(ms, 0);
    if (++waits > 100000) return CoreWake::Ended;  // a loop that never sleeps: the row fails
    int until = now + ms;
    CoreWake why = CoreWake::TimedOut;
    for (const FakeWindow& w : windows)
      if (!Told(w.id) && w.createdAt <= until) {
        until = std::max(now, w.createdAt);
        why = CoreWake::News;
      }
    if (endsAt <= until) {
      now = std::max(now, endsAt);
      return CoreWake::Ended;
    }
    now = until;
    return why;
  }
  std::vector<WindowId> TakeNews() override {
    std::vector<WindowId> news;
    for (const FakeWindow& w : windows)
      if (!Told(w.id) && w.createdAt <= now) news.push_back(w.id);
    told.insert(told.end(), news.begin(), news.end());
    return news;
  }
  bool Title(WindowId id, Text& title) override {
    const FakeWindow* w = Find(id);
    if (!w || now < w->createdAt || (w->goneAt >= 0 && now >= w->goneAt)) return false;
    title = (w->renamedAt >= 0 && now >= w->renamedAt) ? w->renamedTo : w->title;
    return true;
  }
  bool HasParent(WindowId id) override { return Find(id) && Find(id)->hasParent; }
  bool OwnsTopLevelWindow() override {
    return std::any_of(windows.begin(), windows.end(), [this](const FakeWindow& w) {
      return !w.hasParent && w.createdAt <= now && (w.goneAt < 0 || now < w.goneAt);
    });
  }
  std::int64_t NowMs() override { return now; }

 private:
  bool Told(WindowId id) const { return std::find(told.begin(), told.end(), id) != told.end(); }
  const FakeWindow* Find(WindowId id) const {
    for (const FakeWindow& w : windows)
      if (w.id == id) return &w;
    return nullptr;
  }
};

TEST(SuperviseCore, Outcomes) {
  constexpr Supervision kFound = Supervision::SettingsWindow, kEnded = Supervision::CoreEnded,
                        kNone = Supervision::NoWindow;
  struct Row {
    const char* name;
    std::vector<FakeWindow> windows;
    int endsAt;
    Supervision outcome;
    WindowId window;
    int byMs;  // on the virtual clock: when the outcome must be known at the latest
  };
  const Row rows[] = {
      {"settings window third of three at idle", {{1, u"Lumivale"}, {2, u""}, {3, u"設定"}}, 60000, kFound, 3, 0},
      {"settings window made later, found as its news comes", {{1, u"main"}, {2, u"設定", 700}}, 60000, kFound, 2, 700},
      {"renamed later without an event: the next pass", {{1, u"main", 0, 650}}, 60000, kFound, 1, 750},
      {"a later window renamed later", {{1, u"main"}, {2, u"x", 300, 1234}}, 60000, kFound, 2, 1334},
      {"renamed while the first window is gone", {{1, u"a", 0, -1, u"", 200}, {2, u"b", 0, 950}}, 60000, kFound, 2, 1050},
      {"a first window a moment after idle counts", {{1, u"main", 400}, {2, u"設定", 2000}}, 60000, kFound, 2, 2000},
      {"an owned window titled so never matches", {{1, u"main"}, {2, u"設定", 0, -1, u"", -1, true}}, 3000, kEnded, 0, 3000},
      {"longer or other titles never match",
       {{1, u"設定x"}, {2, u" 設定"}, {3, u"設 定"}, {4, u"設"}, {5, u"main", 0, 500, u"設定 "}}, 3000, kEnded, 0, 3000},
      {"a rename away from the title is not a match", {{1, u"設", 0, 100, u"設定!"}}, 3000, kEnded, 0, 3000},
      {"no window once idle", {}, 60000, kNone, 0, 1000},
      {"only an owned window once idle", {{1, u"main", 0, -1, u"", -1, true}}, 60000, kNone, 0, 1000},
      {"first window after the grace", {{1, u"main", 1500}}, 60000, kNone, 0, 1000},
      {"first window gone before idle", {{1, u"main", 0, -1, u"", 0}}, 60000, kNone, 0, 1000},
      {"core ends before its first window", {}, 300, kEnded, 0, 300},
      {"core ends while watched", {{1, u"main"}, {2, u"b", 800, -1, u"", 900}}, 2500, kEnded, 0, 2500},
      {"core ends without a window left", {{1, u"main", 0, -1, u"", 300}}, 4000, kEnded, 0, 4000},
  };
  for (const Row& row : rows) {
    FakeCore core;
    core.windows = row.windows;
    core.endsAt = row.endsAt;
    const SupervisionResult r = SuperviseCore(core, 1000);
    EXPECT_EQ(r.outcome, row.outcome) << row.name;
    EXPECT_EQ(r.window, row.window) << row.name;
    EXPECT_LE(core.now, row.byMs) << row.name;
    // Asleep between passes: one wait per 100 ms and one per news, no more.
    EXPECT_LE(core.waits, core.now / kPassIntervalMs + static_cast<int>(row.windows.size()) + 2) << row.name;
  }
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
  const auto shown = [](const Text& t) { const Bytes b = TextToUtf8(t); return std::string(b.begin(), b.end()); };
  for (const Text configure : {u"", u"  ", u"/c", u"/C:1234", u"-c 1234", u"/c\t9"})
    EXPECT_TRUE(ConfigureRoad(configure)) << shown(configure);
  for (const Text other : {u"/s", u"/p 1234", u"/cx", u"c", u"/", u"/a", u"x /c"})
    EXPECT_FALSE(ConfigureRoad(other)) << shown(other);
  EXPECT_EQ(CoreCommandLine(u"C:\\LumivaleCore.dll", u""), u"\"C:\\LumivaleCore.dll\" ");
  EXPECT_EQ(CoreCommandLine(u"C:\\S\\LumivaleCore.dll", u"/c:42"), u"\"C:\\S\\LumivaleCore.dll\" /c:42");
}

}  // namespace
