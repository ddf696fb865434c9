#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/native/memory_disk.h"

namespace {

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

const std::string kBom = "\xEF\xBB\xBF";
std::string Template(const std::string& mode, const std::string& bgmLine, const std::string& o1,
                     const std::string& o2) {
  return kBom + "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<LumivaleScreenServer>\r\n\t<Setting>\r\n"
         "\t\t<InterpolationMode>" + mode + "</InterpolationMode>\r\n\t\t" + bgmLine +
         "\r\n\t\t<Omake1>" + o1 + "</Omake1>\r\n\t\t<Omake2>" + o2 +
         "</Omake2>\r\n\t</Setting>\r\n</LumivaleScreenServer>";
}

const Text kPath = u"C:\\AppData\\Lumivale!!\\Lumivale!!.xml";
const Text kDefaultBgm = u"C:\\Program\\Lumivale BGM.mp3";

struct Loaded {
  SettingsRecord settings;
  std::string file;
};

Loaded LoadFrom(MemoryDisk& disk, const std::string& content, SettingsRecord prior = {}) {
  disk.folders.insert(u"C:\\AppData\\Lumivale!!");
  disk.files[kPath] = B(content);
  LoadSettingsFrom(disk, kPath, kDefaultBgm, prior);
  const Bytes& out = disk.files[kPath];
  return {prior, std::string(out.begin(), out.end())};
}

TEST(SettingsFile, TemplateIsByteExact) {
  SettingsRecord s;
  s.InterpolationMode = 5;
  const Bytes defaults = SettingsFileBytes(s);
  EXPECT_EQ(std::string(defaults.begin(), defaults.end()), Template("5", "<BGMfile />", "0", "0"));

  s.InterpolationMode = 0;
  s.BGMfile = u"D:\\음악\\a&b<c>.mp3";
  s.Omake1 = true;
  s.Omake2 = true;
  const Bytes bytes = SettingsFileBytes(s);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            Template("0", "<BGMfile>D:\\\xEC\x9D\x8C\xEC\x95\x85\\a&b<c>.mp3</BGMfile>", "1", "255"));
  EXPECT_NE(bytes.back(), '\n');
}

TEST(SettingsFile, DefaultsRouteWhenFolderOrRootTagIsMissing) {
  MemoryDisk disk;
  SettingsRecord s;
  LoadSettingsFrom(disk, kPath, kDefaultBgm, s);  // no folder yet: created, then written
  EXPECT_EQ(s.InterpolationMode, 5);
  EXPECT_TRUE(s.BGMfile.empty());
  ASSERT_TRUE(disk.files.count(kPath));
  EXPECT_EQ(std::string(disk.files[kPath].begin(), disk.files[kPath].end()),
            Template("5", "<BGMfile />", "0", "0"));

  for (const std::string& content : {std::string(), std::string("garbage"),
                                    std::string("\xFF\xFE<\0L\0", 6), std::string("<Setting>7</Setting>")}) {
    MemoryDisk d;
    d.files[kDefaultBgm] = B("mp3");
    const Loaded l = LoadFrom(d, content, {3, u"x", true, true});
    EXPECT_EQ(l.settings.InterpolationMode, 5);
    EXPECT_EQ(l.settings.BGMfile, kDefaultBgm);
    EXPECT_FALSE(l.settings.Omake1);
    EXPECT_FALSE(l.settings.Omake2);
  }
}

TEST(SettingsFile, OnlyRootTagGivesEveryDefaultAndAFullRewrite) {
  MemoryDisk disk;
  const Loaded l = LoadFrom(disk, "<lumivalescreenserver>");
  EXPECT_EQ(l.file, Template("5", "<BGMfile />", "0", "0"));
}

TEST(SettingsFile, TagsAreCaseInsensitiveAndValuesVerbatim) {
  MemoryDisk disk;
  disk.files[u"E:\\Music\\Night Song.MP3"] = B("x");
  const Loaded l = LoadFrom(disk,
      "junk<LUMIVALESCREENSERVER><BGMFILE>E:\\Music\\Night Song.MP3</bgmFile>"
      "<Omake2>-1</OMAKE2><interpolationMODE> 2 </interpolationmode>");
  EXPECT_EQ(l.settings.BGMfile, u"E:\\Music\\Night Song.MP3");
  EXPECT_EQ(l.settings.InterpolationMode, 2);
  EXPECT_FALSE(l.settings.Omake1);
  EXPECT_TRUE(l.settings.Omake2);
  EXPECT_EQ(l.file, Template("2", "<BGMfile>E:\\Music\\Night Song.MP3</BGMfile>", "0", "255"));
}

TEST(SettingsFile, InterpolationModeValues) {
  struct Row { const char* value; int prior; int expected; };
  const Row rows[] = {
      {"2.5", 0, 2},   {"3.5", 0, 4},    {"0.5", 9, 0},     {"7", 0, 7},      {"255", 0, 255},
      {"300", 0, 0},   {"300", 4, 4},    {"-1", 3, 3},      {"255.5", 1, 1},  {"-0.4", 1, 0},
      {"2e1", 0, 20},  {"+12", 0, 12},   {" \t3\t ", 0, 3}, {"abc", 1, 5},    {"", 1, 5},
      {"1e999", 2, 2}, {"1e-999", 2, 0}, {"3.", 0, 3},      {".5e1", 0, 5},   {"1e", 1, 5},
      {"1 2", 1, 5},   {"0x10", 1, 5},   {"--1", 1, 5},     {"254.5", 0, 254},
  };
  for (const Row& r : rows) {
    MemoryDisk disk;
    SettingsRecord prior;
    prior.InterpolationMode = static_cast<std::uint8_t>(r.prior);
    const Loaded l = LoadFrom(disk, std::string("<LumivaleScreenServer><InterpolationMode>") + r.value +
                                        "</InterpolationMode>", prior);
    EXPECT_EQ(l.settings.InterpolationMode, r.expected) << "value '" << r.value << "' prior " << r.prior;
  }
}

TEST(SettingsFile, SwitchesAreTrueForEveryNonZeroNumber) {
  struct Row { const char* value; bool expected; };
  const Row rows[] = {{"-1", true}, {"0.5", true}, {"255", true}, {"1", true}, {"0", false},
                      {"0.0", false}, {"yes", false}, {"", false}, {"1e-999", false}};
  for (const Row& r : rows) {
    MemoryDisk disk;
    const Loaded l = LoadFrom(disk, std::string("<LumivaleScreenServer><Omake1>") + r.value +
                                        "</Omake1><Omake2>" + r.value + "</Omake2>", {0, u"", !r.expected, !r.expected});
    EXPECT_EQ(l.settings.Omake1, r.expected) << r.value;
    EXPECT_EQ(l.settings.Omake2, r.expected) << r.value;
  }
}

TEST(SettingsFile, MusicFileExistenceRules) {
  struct Row { const char* name; std::string tag; bool defaultExists; Text expected; };
  const Text chosen = u"C:\\m\\song.mp3";
  const Row rows[] = {
      {"existing path kept", "<BGMfile>C:\\m\\song.mp3</BGMfile>", true, chosen},
      {"missing path -> default", "<BGMfile>C:\\m\\gone.mp3</BGMfile>", true, kDefaultBgm},
      {"missing path, no default", "<BGMfile>C:\\m\\gone.mp3</BGMfile>", false, u""},
      {"empty element -> default", "<BGMfile />", true, kDefaultBgm},
      {"empty element, no default", "<BGMfile />", false, u""},
      {"wildcard is literal", "<BGMfile>C:\\m\\*.mp3</BGMfile>", false, u""},
      {"unclosed keeps prior, still tested", "<BGMfile>C:\\m\\song.mp3", false, chosen},
  };
  for (const Row& r : rows) {
    MemoryDisk disk;
    disk.files[chosen] = B("x");
    if (r.defaultExists) disk.files[kDefaultBgm] = B("x");
    SettingsRecord prior;
    prior.BGMfile = chosen;
    const Loaded l = LoadFrom(disk, "<LumivaleScreenServer>" + r.tag, prior);
    EXPECT_EQ(l.settings.BGMfile, r.expected) << r.name;
  }
}

TEST(SettingsFile, UnclosedTagsKeepPriorValues) {
  MemoryDisk disk;
  const Loaded l = LoadFrom(disk, "<LumivaleScreenServer><InterpolationMode>2<Omake1>1<Omake2>1",
                            {9, u"", true, false});
  EXPECT_EQ(l.settings.InterpolationMode, 9);
  EXPECT_TRUE(l.settings.Omake1);
  EXPECT_FALSE(l.settings.Omake2);
  EXPECT_EQ(l.file, Template("9", "<BGMfile />", "1", "0"));
}

TEST(SettingsFile, HugeAndHostileContentIsNormalised) {
  MemoryDisk disk;
  const std::string million(1000000, '9');
  Loaded l = LoadFrom(disk, "<LumivaleScreenServer><InterpolationMode>" + million +
                                "</InterpolationMode><Omake1>1." + std::string(1000000, '0') + "</Omake1>");
  EXPECT_EQ(l.settings.InterpolationMode, 0);  // out of range: prior value
  EXPECT_TRUE(l.settings.Omake1);
  EXPECT_EQ(l.file, Template("0", "<BGMfile />", "1", "0"));

  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 7 + 3);
  l = LoadFrom(disk, binary + "<LumivaleScreenServer><Omake2>\xC3\x28 1</Omake2>" + binary);
  EXPECT_FALSE(l.settings.Omake2);
  EXPECT_EQ(l.file, Template("5", "<BGMfile />", "0", "0"));
}

TEST(SettingsFile, SaveWritesNothingWhenTheFolderCannotBeMade) {
  MemoryDisk disk;
  disk.folders.clear();  // the application-data folder itself is missing
  SettingsRecord s;
  LoadSettingsFrom(disk, kPath, kDefaultBgm, s);
  EXPECT_EQ(disk.writes, 0);
  EXPECT_EQ(s.InterpolationMode, 5);

  SaveSettingsTo(disk, u"", s);  // no settings folder at all
  SaveSettingsTo(disk, u"\\Lumivale!!.xml", s);
  EXPECT_EQ(disk.writes, 0);
}

TEST(SettingsFile, RoundTripKeepsEveryValue) {
  MemoryDisk disk;
  disk.folders.insert(u"C:\\AppData\\Lumivale!!");
  disk.files[u"C:\\음악\\곡 1.mp3"] = B("x");
  SettingsRecord s{7, u"C:\\음악\\곡 1.mp3", true, true};
  SaveSettingsTo(disk, kPath, s);
  SettingsRecord back;
  LoadSettingsFrom(disk, kPath, kDefaultBgm, back);
  EXPECT_EQ(back.InterpolationMode, 7);
  EXPECT_EQ(back.BGMfile, s.BGMfile);
  EXPECT_TRUE(back.Omake1);
  EXPECT_TRUE(back.Omake2);
}

TEST(SettingsFile, PathsJoinWithOneBackslash) {
  EXPECT_EQ(DefaultBgmPathFor(u"C:\\"), u"C:\\Lumivale BGM.mp3");
  EXPECT_EQ(DefaultBgmPathFor(u"C:\\Program Files\\Lumivale"), u"C:\\Program Files\\Lumivale\\Lumivale BGM.mp3");
  EXPECT_EQ(JoinPath(u"\\\\server\\share\\saver", u"LumivaleCore.dll"), u"\\\\server\\share\\saver\\LumivaleCore.dll");
}

}  // namespace
