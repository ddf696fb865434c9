#pragma once
// The program holds its texts as UTF-16 (Text); the wide Win32 API takes the same code units.
#include <string>

#include "base/utf.h"

inline std::wstring Wide(const Text& text) { return std::wstring(text.begin(), text.end()); }
inline Text FromWide(const std::wstring& text) { return Text(text.begin(), text.end()); }
