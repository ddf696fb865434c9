#include "controls/callback_names.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(CallbackNamesTest, SameNameSameIndexTableOnlyGrows) {
  const std::int32_t before = CallbackNameCount();
  const std::int32_t a = RegisterCallbackName(u"App_Path_MouseLeave");
  const std::int32_t b = RegisterCallbackName(u"app_path_mouseleave");  // case-sensitive
  EXPECT_NE(a, b);
  EXPECT_EQ(RegisterCallbackName(u"App_Path_MouseLeave"), a);
  EXPECT_EQ(RegisterCallbackName(u"app_path_mouseleave"), b);
  EXPECT_LE(CallbackNameCount(), before + 2);
  ASSERT_NE(CallbackNameAt(a), nullptr);
  EXPECT_EQ(*CallbackNameAt(a), u"App_Path_MouseLeave");
  EXPECT_EQ(CallbackNameAt(-1), nullptr);
  EXPECT_EQ(CallbackNameAt(CallbackNameCount()), nullptr);
  const std::int32_t empty = RegisterCallbackName(u"");
  EXPECT_EQ(RegisterCallbackName(u""), empty);
}

TEST(CallbackNamesTest, MethodsAreFoundByName) {
  NamedMethods object;
  int calls = 0;
  object.DefineMethod(u"Leave", [&] { ++calls; });
  EXPECT_TRUE(object.CallByName(u"Leave"));
  EXPECT_FALSE(object.CallByName(u"leave"));
  EXPECT_EQ(calls, 1);
  object.DefineMethod(u"Fail", [] { throw std::runtime_error("x"); });
  EXPECT_THROW(object.CallByName(u"Fail"), std::runtime_error);
}

}  // namespace
