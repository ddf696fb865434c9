// libFuzzer target for the settings reader and writer: any bytes as the content of the settings
// file. Every broken property ends the run with a message (the fuzzer then keeps the input).
//
// For each of three disks (every well-formed Windows name is a music file; no music at all; only
// the default music), the file is loaded into a fresh record as the program does at its start:
//  - what is written back is exactly SettingsFileBytes of the record read;
//  - the record never names a music file that does not exist;
//  - loading the written file again (into a fresh record, and into a record that differs in every
//    field) gives the same record and the same bytes: a fixed point. The one change allowed is
//    the one the format cannot carry: an unclosed <BGMfile> keeps the empty prior, written as
//    <BGMfile />, which the next load reads as the default music. From the second load on, the
//    fixed point is exact.
//  - SaveSettingsTo writes the same bytes, making the settings folder, and writes nothing when its
//    parent is missing or when the path has no folder.
// Also on the same bytes: the UTF-8 conversions (valid UTF-8 comes back unchanged, broken UTF-8
// becomes U+FFFD and is stable after one round), ParseNumber against strtod and NumberToByte
// against the rounding rule.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/settings_file.h"
#include "base/utf.h"
#include "tests/native/memory_disk.h"

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "settings_fuzz: %s\n", what);
  std::fflush(stderr);
  std::abort();
}

const Text kFolder = u"C:\\AppData\\Lumivale!!";
const Text kPath = u"C:\\AppData\\Lumivale!!\\Lumivale!!.xml";
const Text kDefaultBgm = u"C:\\Program\\Lumivale BGM.mp3";

enum class Music { EveryValidName, None, OnlyDefault };

// A name Windows can give a file: no control character, none of < > " | ? *, a colon only after
// the drive letter, no separator at the end (that would be a folder).
bool WindowsFileName(const Text& path) {
  if (path.empty() || path.back() == u'\\' || path.back() == u'/') return false;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (c < 0x20 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' || c == u'*') return false;
    if (c == u':' && i != 1) return false;
  }
  return true;
}

bool MusicExists(Music music, const Text& path) {
  return music == Music::EveryValidName ? WindowsFileName(path) : music == Music::OnlyDefault && path == kDefaultBgm;
}

// The unit tests' in-memory disk, with the music files of one model.
struct MusicDisk : MemoryDisk {
  Music music;
  explicit MusicDisk(Music m) : music(m) {}
  bool FileExists(const Text& path) override { return MemoryDisk::FileExists(path) || MusicExists(music, path); }
};

struct Loaded { SettingsRecord record; Bytes written; };

Loaded Load(Music music, const Bytes& content, const SettingsRecord& prior) {
  MusicDisk disk(music);
  disk.folders.insert(kFolder);
  disk.files[kPath] = content;
  Loaded l{prior, {}};
  LoadSettingsFrom(disk, kPath, kDefaultBgm, l.record);
  l.written = disk.files[kPath];
  // A file already in its normal form is left alone; any other is written back once.
  Check(disk.writes == (l.written == content ? 0 : 1), "loading did not write the file back exactly once");
  Check(l.written == SettingsFileBytes(l.record), "the file written is not the template of the record read");
  Check(l.record.BGMfile.empty() || disk.FileExists(l.record.BGMfile), "the record names a music file that does not exist");
  return l;
}

// Loading a written file into any prior gives one record and writes the same bytes again.
void CheckStable(Music music, const Loaded& l, const char* what) {
  const SettingsRecord other{static_cast<std::uint8_t>(l.record.InterpolationMode ^ 0x5A), u"C:\\Prior\\song.mp3",
                             !l.record.Omake1, !l.record.Omake2};
  for (const SettingsRecord& prior : {SettingsRecord{}, other}) {
    const Loaded again = Load(music, l.written, prior);
    Check(again.record == l.record, what);
    Check(again.written == l.written, what);
  }
}

void CheckSettingsFile(Music music, const Bytes& content) {
  const Loaded first = Load(music, content, SettingsRecord{});
  SettingsRecord expected = first.record;
  if (expected.BGMfile.empty() && MusicExists(music, kDefaultBgm)) expected.BGMfile = kDefaultBgm;
  const Loaded second = Load(music, first.written, SettingsRecord{});
  Check(second.record == expected, "re-reading the written file gives another record");
  if (expected == first.record) Check(second.written == first.written, "the written file is not a fixed point");
  CheckStable(music, second, "the file written by the second load is not a fixed point");

  // Saving the record read: the settings folder is made when missing; nothing without its parent.
  {
    MusicDisk disk(music);
    SaveSettingsTo(disk, kPath, first.record);
    Check(disk.writes == 1 && disk.folders.count(kFolder) && disk.files[kPath] == first.written, "saving into a new folder");
  }
  {
    MusicDisk disk(music);
    disk.folders.clear();
    SaveSettingsTo(disk, kPath, first.record);
    Check(disk.writes == 0 && disk.files.empty() && disk.folders.empty(), "saving without the parent folder wrote");
  }
}

// UTF-8 by the definition (Unicode table 3-7): the shortest form, no surrogates, up to U+10FFFF.
bool ValidUtf8(const Bytes& b) {
  std::size_t i = 0;
  while (i < b.size()) {
    const std::uint8_t lead = b[i];
    int length;
    char32_t cp;
    if (lead < 0x80) { length = 1; cp = lead; }
    else if ((lead & 0xE0) == 0xC0) { length = 2; cp = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { length = 3; cp = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { length = 4; cp = lead & 0x07; }
    else return false;
    if (b.size() - i < static_cast<std::size_t>(length)) return false;
    for (int k = 1; k < length; ++k) {
      if ((b[i + k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b[i + k] & 0x3F);
    }
    static constexpr char32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kShortest[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return false;
    i += length;
  }
  return true;
}

void CheckUtf(const Bytes& input, const Text& text) {
  Check(text.size() <= input.size(), "decoding made more UTF-16 units than there were bytes");
  const Bytes clean = TextToUtf8(text);
  Check(ValidUtf8(clean), "encoding made invalid UTF-8");
  Check(Utf8ToText(clean) == text, "decoding what was encoded changed the text");
  const bool valid = ValidUtf8(input);
  Check((clean == input) == valid, "valid UTF-8 did not come back unchanged, or broken UTF-8 did");
  Check(valid || text.find(u'\xFFFD') != Text::npos, "broken UTF-8 was decoded without a U+FFFD");
  Check(Utf16ToUtf8Bytes(Utf8ToUtf16Bytes(input)) == clean, "the byte-array conversions disagree");

  // The same bytes as UTF-16LE: lone surrogates become U+FFFD; stable after one round.
  const Bytes fromUtf16 = Utf16ToUtf8Bytes(input);
  Check(ValidUtf8(fromUtf16), "UTF-16 to UTF-8 made invalid UTF-8");
  Check(TextToUtf8(Utf8ToText(fromUtf16)) == fromUtf16, "UTF-16 to UTF-8 is not stable");
}

// ParseNumber takes a subset of what strtod takes and must agree with it on that subset;
// NumberToByte is rounding to nearest with ties to even, refused outside 0..255.
void CheckNumber(const Text& text) {
  const auto number = ParseNumber(text);
  if (!number) return;
  std::string ascii;
  for (char16_t c : text) {
    Check(c < 0x80, "ParseNumber took a character outside ASCII");
    ascii += static_cast<char>(c);
  }
  char* end = nullptr;
  errno = 0;
  const double reference = std::strtod(ascii.c_str(), &end);
  Check(end != ascii.c_str(), "ParseNumber took what strtod refuses");
  for (; *end; ++end) Check(*end == ' ' || *end == '\t', "ParseNumber took more than strtod");
  Check(*number == reference, "ParseNumber and strtod disagree");

  const double v = *number;
  if (const auto byte = NumberToByte(v)) {
    const double off = std::fabs(v - *byte);
    Check(off < 0.5 || (off == 0.5 && *byte % 2 == 0), "NumberToByte did not round to nearest, ties to even");
  } else {
    Check(std::isnan(v) || v < -0.5 || v >= 255.5, "NumberToByte refused a number that rounds into 0..255");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes input(data, data + size);
  const Text text = Utf8ToText(input);
  CheckUtf(input, text);
  CheckNumber(text);
  for (Music music : {Music::EveryValidName, Music::None, Music::OnlyDefault})
    CheckSettingsFile(music, input);
  return 0;
}
