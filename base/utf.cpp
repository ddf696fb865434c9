#include "base/utf.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at p; returns the code point (or U+FFFD) and advances p by the
// bytes consumed. Overlong forms, surrogates and values past U+10FFFF are malformed.
char32_t DecodeOne(const std::uint8_t*& p, const std::uint8_t* end) {
  const std::uint8_t b0 = *p++;
  if (b0 < 0x80) return b0;
  // The lead byte fixes the length and the range of the second byte (no overlong forms, no
  // surrogates, nothing past U+10FFFF); a sequence broken anywhere yields one U+FFFD and the
  // offending byte is read again as the start of the next one.
  int extra;
  char32_t cp;
  std::uint8_t lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) { extra = 1; cp = b0 & 0x1F; }
  else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2; cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3; cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return kReplacement;
  }
  for (int i = 0; i < extra; ++i) {
    if (p == end || *p < lo || *p > hi) return kReplacement;
    cp = (cp << 6) | (*p++ & 0x3F);
    lo = 0x80;
    hi = 0xBF;
  }
  return cp;
}

void AppendUtf8(Bytes& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<std::uint8_t>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<std::uint8_t>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<std::uint8_t>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<std::uint8_t>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

Text Utf8ToText(const Bytes& utf8) {
  Text out;
  out.reserve(utf8.size());
  const std::uint8_t* p = utf8.data();
  const std::uint8_t* end = p + utf8.size();
  while (p != end) {
    const char32_t cp = DecodeOne(p, end);
    if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

Bytes TextToUtf8(const Text& text) {
  Bytes out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      AppendUtf8(out, kReplacement);  // a lone surrogate has no UTF-8 form
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

Bytes Utf8ToUtf16Bytes(const Bytes& utf8) {
  const Text text = Utf8ToText(utf8);
  Bytes out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return out;
}

Bytes Utf16ToUtf8Bytes(const Bytes& utf16le) {
  Text text(utf16le.size() / 2, u'\0');  // an odd last byte is no character
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(utf16le[2 * i] | (utf16le[2 * i + 1] << 8));
  return TextToUtf8(text);
}

Text AsciiText(const char* ascii) {
  Text out;
  for (; *ascii; ++ascii) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*ascii)));
  return out;
}
