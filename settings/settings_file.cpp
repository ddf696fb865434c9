#include "settings/settings_file.h"

#include <charconv>
#include <cmath>
#include <algorithm>
#include <string>

#include "base/rounding.h"

namespace {

enum class TagState { Missing, Unclosed, Found };

struct TagValue {
  TagState state = TagState::Missing;
  Text value;
};

char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }

// Searches the lower-case text for the opening tag and the closing tag after it; the value is cut
// from the original text, so it keeps its own case.
TagValue FindTag(const Text& text, const Text& lower, const char* open, const char* close) {
  const Text o = AsciiText(open), c = AsciiText(close);
  TagValue r;
  const auto p = lower.find(o);
  if (p == Text::npos) return r;
  const auto start = p + o.size();
  const auto q = lower.find(c, start);
  if (q == Text::npos) {
    r.state = TagState::Unclosed;
    return r;
  }
  r.state = TagState::Found;
  r.value = text.substr(start, q - start);
  return r;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

void AppendLine(Text& out, const char* ascii) { out += AsciiText(ascii); }

// A number too large or too small for a double: infinite (outside every range) or zero.
// Decided from its decimal magnitude, which the text gives exactly.
double OutOfRange(const std::string& ascii) {
  const bool negative = ascii[0] == '-';
  const auto e = ascii.find('e');
  const std::string mantissa = ascii.substr(negative ? 1 : 0, e == std::string::npos ? std::string::npos : e - (negative ? 1 : 0));
  long long exponent = 0;
  if (e != std::string::npos) {
    std::size_t k = e + 1;
    const bool negExp = k < ascii.size() && ascii[k] == '-';
    if (k < ascii.size() && (ascii[k] == '-' || ascii[k] == '+')) ++k;
    for (; k < ascii.size(); ++k) exponent = std::min<long long>(exponent * 10 + (ascii[k] - '0'), 1LL << 40);
    if (negExp) exponent = -exponent;
  }
  const auto point = mantissa.find('.');
  const std::string whole = mantissa.substr(0, point);
  const auto firstSignificant = whole.find_first_not_of('0');
  long long magnitude;  // position of the first significant digit relative to the point
  if (firstSignificant != std::string::npos) {
    magnitude = static_cast<long long>(whole.size() - firstSignificant);
  } else {
    const std::string fraction = point == std::string::npos ? std::string() : mantissa.substr(point + 1);
    const auto nz = fraction.find_first_not_of('0');
    if (nz == std::string::npos) return 0.0;
    magnitude = -static_cast<long long>(nz);
  }
  if (magnitude + exponent > 0) return negative ? -HUGE_VAL : HUGE_VAL;
  return 0.0;
}

}  // namespace

Text JoinPath(const Text& folder, const Text& name) {
  Text out = folder;
  while (!out.empty() && out.back() == u'\\') out.pop_back();
  out += u'\\';
  out += name;
  return out;
}

Text SettingsPathIn(const Text& appData) {
  return appData.empty() ? Text() : appData + u"\\Lumivale!!\\Lumivale!!.xml";
}

Text DefaultBgmPathFor(const Text& programFolder) {
  return JoinPath(programFolder, u"Lumivale BGM.mp3");
}

Bytes SettingsFileBytes(const SettingsRecord& s) {
  Text t;
  t += u'\xFEFF';
  AppendLine(t, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<LumivaleScreenServer>\r\n\t<Setting>\r\n");
  t += u"\t\t<InterpolationMode>" + AsciiText(std::to_string(s.InterpolationMode).c_str()) +
       u"</InterpolationMode>\r\n";
  if (s.BGMfile.empty())
    t += u"\t\t<BGMfile />\r\n";
  else
    t += u"\t\t<BGMfile>" + s.BGMfile + u"</BGMfile>\r\n";
  t += s.Omake1 ? u"\t\t<Omake1>1</Omake1>\r\n" : u"\t\t<Omake1>0</Omake1>\r\n";
  t += s.Omake2 ? u"\t\t<Omake2>255</Omake2>\r\n" : u"\t\t<Omake2>0</Omake2>\r\n";
  AppendLine(t, "\t</Setting>\r\n</LumivaleScreenServer>");
  return TextToUtf8(t);
}

std::optional<double> ParseNumber(const Text& text) {
  std::size_t i = 0, n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  while (n > i && IsBlank(text[n - 1])) --n;
  std::string ascii;  // the number in the form from_chars takes: no '+', exponent with 'e'
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') ascii += '-';
    ++i;
  }
  std::size_t digits = 0;
  while (i < n && IsDigit(text[i])) { ascii += char(text[i++]); ++digits; }
  if (i < n && text[i] == u'.') {
    ascii += '.';
    ++i;
    while (i < n && IsDigit(text[i])) { ascii += char(text[i++]); ++digits; }
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    ascii += 'e';
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ascii += char(text[i++]);
    std::size_t expDigits = 0;
    while (i < n && IsDigit(text[i])) { ascii += char(text[i++]); ++expDigits; }
    if (expDigits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (ec == std::errc::result_out_of_range) return OutOfRange(ascii);
  if (ec != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
  return value;
}

std::optional<std::uint8_t> NumberToByte(double value) {
  if (!(value > -1.0 && value < 256.0)) return std::nullopt;  // also refuses NaN
  const std::optional<std::int32_t> r = RoundHalfEven(value);
  if (!r || *r < 0 || *r > 255) return std::nullopt;
  return static_cast<std::uint8_t>(*r);
}

bool ReadSettingsFrom(SettingsFileSystem& fs, const Text& path, const Text& defaultBgmPath, SettingsRecord& s) {
  Bytes content;
  bool defaults = path.empty(), read = false;
  if (!defaults) {
    const IoResult result = fs.ReadAll(path, content);
    if (result == IoResult::PathNotFound) defaults = true;
    read = result == IoResult::Ok;
  }
  Text text, lower;
  if (!defaults) {
    content.push_back(0);  // the reader's buffer is one byte longer than the file
    text = Utf8ToText(content);
    lower.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) lower[i] = LowerAscii(text[i]);
    defaults = lower.find(u"<lumivalescreenserver>") == Text::npos;
  }

  if (defaults) {
    s.BGMfile = fs.FileExists(defaultBgmPath) ? defaultBgmPath : Text();
    s.InterpolationMode = 5;
    s.Omake1 = false;
    s.Omake2 = false;
  } else {
    const TagValue bgm = FindTag(text, lower, "<bgmfile>", "</bgmfile>");
    Text music = s.BGMfile;  // an unclosed tag keeps what was there
    if (bgm.state == TagState::Found)
      music = fs.FileExists(bgm.value) ? bgm.value : defaultBgmPath;
    else if (bgm.state == TagState::Missing)
      music = defaultBgmPath;
    s.BGMfile = (!music.empty() && fs.FileExists(music)) ? music : Text();

    const TagValue mode = FindTag(text, lower, "<interpolationmode>", "</interpolationmode>");
    if (mode.state == TagState::Found) {
      if (const auto number = ParseNumber(mode.value)) {
        if (const auto byte = NumberToByte(*number)) s.InterpolationMode = *byte;
      } else {
        s.InterpolationMode = 5;
      }
    } else if (mode.state == TagState::Missing) {
      s.InterpolationMode = 5;
    }

    const auto readSwitch = [&](const char* open, const char* close, bool& field) {
      const TagValue v = FindTag(text, lower, open, close);
      if (v.state == TagState::Unclosed) return;
      const auto number = v.state == TagState::Found ? ParseNumber(v.value) : std::nullopt;
      field = number && *number != 0.0;
    };
    readSwitch("<omake1>", "</omake1>", s.Omake1);
    readSwitch("<omake2>", "</omake2>", s.Omake2);
  }
  const Bytes normal = SettingsFileBytes(s);
  return read && content.size() == normal.size() + 1 && std::equal(normal.begin(), normal.end(), content.begin());
}

void LoadSettingsFrom(SettingsFileSystem& fs, const Text& path, const Text& defaultBgmPath, SettingsRecord& s) {
  // Rewriting a file already in its normal form would give the same file: the start skips it.
  if (ReadSettingsFrom(fs, path, defaultBgmPath, s) && fs.HasPlainAttributes(path)) return;
  SaveSettingsTo(fs, path, s);
}

bool SaveSettingsTo(SettingsFileSystem& fs, const Text& path, const SettingsRecord& s) {
  const auto slash = path.rfind(u'\\');
  if (path.empty() || slash == Text::npos || slash == 0) return false;  // no folder: nothing to write
  const Text folder = path.substr(0, slash);
  if (!fs.FolderExists(folder) && fs.CreateFolder(folder) == IoResult::PathNotFound) return false;
  return fs.ReplaceContents(path, SettingsFileBytes(s)) == IoResult::Ok;
}
