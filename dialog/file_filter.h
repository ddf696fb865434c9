#pragma once
// The open-file dialog's filter, written with "|" where the system expects NUL separators.
#include "base/utf.h"

// "Music|*.mp3|" becomes "Music\0*.mp3\0\0\0"; an empty filter is a single NUL.
Text ConvertFilter(const Text& filter);
// The pattern the dialog left in its custom-filter buffer: leading NULs dropped, cut at the next.
Text PatternInEffect(const Text& customFilterBuffer);
