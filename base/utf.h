#pragma once
// UTF-8 <-> UTF-16LE conversion on byte arrays, with the system's UTF-8 code-page rules:
// malformed input becomes U+FFFD, nothing is dropped silently.
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;
using Text = std::u16string;  // UTF-16 text, as the program holds all its strings

Bytes Utf8ToUtf16Bytes(const Bytes& utf8);
Bytes Utf16ToUtf8Bytes(const Bytes& utf16le);

Text Utf8ToText(const Bytes& utf8);
Bytes TextToUtf8(const Text& text);
Text AsciiText(const char* ascii);
