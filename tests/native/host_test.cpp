// The core's command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core_scan.h"

namespace {

TEST(CoreCommandLine, ArgumentsAreHandedOnAsReceived) {
  struct Row { const char16_t* line; const char16_t* args; };
  for (const Row& r : {Row{u"\"C:\\S\\L.scr\"  /c:1234  ", u"/c:1234  "}, Row{u"C:\\L~1.SCR /p 65552", u"/p 65552"},
                       Row{u"\"C:\\My S\\L.scr\"", u""}, Row{u"\"C:\\x y\\a.scr\"/S", u"/S"}})
    EXPECT_EQ(ArgumentsOf(r.line), Text(r.args)) << static_cast<int>(r.line[2]);
  EXPECT_EQ(CoreCommandLine(u"C:\\LumivaleCore.dll", u""), u"\"C:\\LumivaleCore.dll\" ");
}

}  // namespace
