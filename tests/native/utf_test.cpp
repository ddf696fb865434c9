#include "settings/utf.h"

#include <gtest/gtest.h>

namespace {

Bytes B(std::initializer_list<int> v) {
  Bytes b;
  for (int x : v) b.push_back(static_cast<std::uint8_t>(x));
  return b;
}

TEST(Utf, ConvertsBothWays) {
  // "A설" + U+1F600 (a surrogate pair in UTF-16)
  const Bytes utf8 = B({0x41, 0xEC, 0x84, 0xA4, 0xF0, 0x9F, 0x98, 0x80});
  const Bytes utf16 = B({0x41, 0x00, 0x24, 0xC1, 0x3D, 0xD8, 0x00, 0xDE});
  EXPECT_EQ(Utf8ToUtf16Bytes(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8Bytes(utf16), utf8);
}

TEST(Utf, EmptyAndMalformedInput) {
  EXPECT_TRUE(Utf8ToUtf16Bytes({}).empty());
  EXPECT_TRUE(Utf16ToUtf8Bytes({}).empty());
  EXPECT_TRUE(Utf16ToUtf8Bytes(B({0x41})).empty());  // an odd byte is no character
  // Stray continuation, truncated sequence, overlong form, encoded surrogate: one U+FFFD for
  // each maximal broken part, as the system converter gives.
  EXPECT_EQ(Utf8ToText(B({0x80, 0x41})), u"\xFFFD" u"A");
  EXPECT_EQ(Utf8ToText(B({0xE0, 0x80})), u"\xFFFD\xFFFD");
  EXPECT_EQ(Utf8ToText(B({0xC0, 0xAF})), u"\xFFFD\xFFFD");
  EXPECT_EQ(Utf8ToText(B({0xED, 0xA0, 0x80})), u"\xFFFD\xFFFD\xFFFD");
  EXPECT_EQ(Utf8ToText(B({0xE2, 0x41})), u"\xFFFD" u"A");
  // A lone surrogate in UTF-16 becomes U+FFFD (EF BF BD).
  EXPECT_EQ(Utf16ToUtf8Bytes(B({0x00, 0xD8, 0x41, 0x00})), B({0xEF, 0xBF, 0xBD, 0x41}));
  EXPECT_EQ(Utf8ToText(B({0xEF, 0xBB, 0xBF, 0x00})), Text(u"\xFEFF") + char16_t(0));
}

}  // namespace
