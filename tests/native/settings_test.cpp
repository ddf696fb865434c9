// The settings file: the writer's bytes, the reader's rules (each row a file and the record it
// gives), and the text conversions under them.
#include <gtest/gtest.h>

#include <string>

#include "dialog/file_filter.h"
#include "settings/settings_file.h"
#include "tests/native/memory_disk.h"

namespace {

using namespace std::string_literals;
Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }
std::string S(const Bytes& b) { return std::string(b.begin(), b.end()); }

std::string File(const std::string& mode, const std::string& bgm, const std::string& o1, const std::string& o2) {
  return "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<LumivaleScreenServer>\r\n\t<Setting>\r\n"
         "\t\t<InterpolationMode>" + mode + "</InterpolationMode>\r\n\t\t" + bgm + "\r\n\t\t<Omake1>" + o1 +
         "</Omake1>\r\n\t\t<Omake2>" + o2 + "</Omake2>\r\n\t</Setting>\r\n</LumivaleScreenServer>";
}

const Text kPath = u"C:\\AppData\\Lumivale!!\\Lumivale!!.xml";
const Text kDefault = u"C:\\P\\Lumivale BGM.mp3";
const Text kSong = u"C:\\m\\song.mp3";

TEST(SettingsFile, WriterBytes) {
  EXPECT_EQ(S(SettingsFileBytes({5, u"", false, false})), File("5", "<BGMfile />", "0", "0"));
  EXPECT_EQ(S(SettingsFileBytes({0, u"D:\\음\\a&b.mp3", true, true})),
            File("0", "<BGMfile>D:\\\xEC\x9D\x8C\\a&b.mp3</BGMfile>", "1", "255"));
}

TEST(SettingsFile, ReaderRows) {
  struct Row {
    const char* name;
    std::string content;  // the whole file
    SettingsRecord prior, expected;
  };
  const SettingsRecord prior{9, kSong, true, false};
  const std::string root = "<LumivaleScreenServer>";
  auto mode = [&](const char* v) { return root + "<InterpolationMode>" + v + "</InterpolationMode><BGMfile>C:\\m\\song.mp3</BGMfile><Omake1>1</Omake1>"; };
  const Row rows[] = {
      {"no root tag: defaults", "<Setting>7</Setting>", prior, {5, kDefault, false, false}},
      {"UTF-16 is no root tag", "\xFF\xFE<\0L\0"s, prior, {5, kDefault, false, false}},
      {"root only: defaults", "<lumivalescreenserver>", prior, {5, kDefault, false, false}},
      {"tags in any case", "x<LUMIVALESCREENSERVER><BGMFILE>C:\\m\\song.mp3</bgmFile><Omake2>-1</OMAKE2>"
                           "<interpolationMODE> 2 </interpolationmode><oMaKe1>0.5</OmAkE1>", prior, {2, kSong, true, true}},
      {"unclosed keep prior", root + "<InterpolationMode>2<BGMfile>x<Omake1>0<Omake2>1", prior, {9, kSong, true, false}},
      {"missing music: default", root + "<BGMfile>C:\\m\\gone.mp3</BGMfile>", prior, {5, kDefault, false, false}},
      {"wildcard is literal", root + "<BGMfile>C:\\m\\*.mp3</BGMfile>", prior, {5, kDefault, false, false}},
      {"switch zero", root + "<Omake1>0.0</Omake1><Omake2>yes</Omake2>", {0, u"", true, true}, {5, kDefault, false, false}},
      {"2.5 to even", mode("2.5"), prior, {2, kSong, true, false}},
      {"3.5 to even", mode("3.5"), prior, {4, kSong, true, false}},
      {"254.5 to even", mode("254.5"), prior, {254, kSong, true, false}},
      {"255", mode("255"), prior, {255, kSong, true, false}},
      {"255.5 out of range", mode("255.5"), prior, {9, kSong, true, false}},
      {"-0.4 rounds to 0", mode("-0.4"), prior, {0, kSong, true, false}},
      {"-1 out of range", mode("-1"), prior, {9, kSong, true, false}},
      {"exponent", mode(".5e1"), prior, {5, kSong, true, false}},
      {"huge", mode("1e999"), prior, {9, kSong, true, false}},
      {"tiny", mode("1e-999"), prior, {0, kSong, true, false}},
      {"million digits", mode(std::string(1000000, '9').c_str()), prior, {9, kSong, true, false}},
      {"no number: 5", mode("0x10"), prior, {5, kSong, true, false}},
      {"half a number: 5", mode("1e"), prior, {5, kSong, true, false}},
      {"broken UTF-8 switch", root + "<Omake2>\xC3\x28 1</Omake2>", prior, {5, kDefault, false, false}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    MemoryDisk disk;
    disk.folders.insert(u"C:\\AppData\\Lumivale!!");
    disk.files = {{kPath, B(r.content)}, {kSong, B("x")}, {kDefault, B("x")}};
    SettingsRecord s = r.prior;
    LoadSettingsFrom(disk, kPath, kDefault, s);
    EXPECT_EQ(s, r.expected);
    EXPECT_EQ(S(disk.files[kPath]), S(SettingsFileBytes(s)));  // in its normal form afterwards
  }
}

// The start writes the file back only when a byte or an attribute differs from its normal form.
TEST(SettingsFile, WriteBackRows) {
  const std::string normal = S(SettingsFileBytes({5, kSong, true, false}));
  struct Row { const char* name; std::string content; bool flagged; int writes; };
  const Row rows[] = {
      {"normal form: kept", normal, false, 0},
      {"normal form, read-only: rewritten", normal, true, 1},
      {"a line break more", normal + "\r\n", false, 1},
      {"no byte-order mark", normal.substr(3), false, 1},
      {"no root tag", "x", false, 1},
  };
  for (const Row& r : rows) {
    MemoryDisk disk;
    disk.folders.insert(u"C:\\AppData\\Lumivale!!");
    disk.files = {{kPath, B(r.content)}, {kSong, B("x")}};
    if (r.flagged) disk.flagged.insert(kPath);
    SettingsRecord s;
    LoadSettingsFrom(disk, kPath, kDefault, s);
    EXPECT_EQ(disk.writes, r.writes) << r.name;
  }
}

TEST(SettingsFile, Paths) {
  EXPECT_EQ(DefaultBgmPathFor(u"C:\\"), u"C:\\Lumivale BGM.mp3");
  EXPECT_EQ(JoinPath(u"\\\\s\\share", u"a.dll"), u"\\\\s\\share\\a.dll");
}

TEST(Text, Conversions) {
  const Bytes utf8 = B("A\xEC\x84\xA4\xF0\x9F\x98\x80");  // "A설" and a surrogate pair
  const Bytes utf16 = B("A\0\x24\xC1\x3D\xD8\0\xDE"s);
  EXPECT_EQ(Utf8ToUtf16Bytes(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8Bytes(utf16), utf8);
  EXPECT_EQ(Utf16ToUtf8Bytes(B("\0\xD8" "A\0"s)), B("\xEF\xBF\xBD" "A"));  // lone surrogate
  // One U+FFFD per maximal broken part.
  struct Row { std::string in; Text out; };
  for (const Row& r : {Row{"\x80" "A", u"\xFFFD" u"A"}, Row{"\xE0\x80", u"\xFFFD\xFFFD"},
                       Row{"\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"}, Row{"\xE2" "A", u"\xFFFD" u"A"}})
    EXPECT_EQ(Utf8ToText(B(r.in)), r.out) << r.in.size();
  EXPECT_EQ(ConvertFilter(u"음악(*.mp3)|*.mp3|"), u"음악(*.mp3)\0*.mp3\0\0\0"s);
  EXPECT_EQ(PatternInEffect(u"\0\0*.wav;*.mp3\0junk\0"s), u"*.wav;*.mp3");
}

}  // namespace
