#include "host/core_scan.h"

ScanResult ScanCoreWindows(CoreWindows& core, WindowId first) {
  WindowId current = first;
  int bottoms = 0;  // times the walk passed the last window since the last pause
  for (;;) {
    if (!core.CoreExists()) return {};
    if (core.Title(current) == kCoreSettingsTitle) return {true, current};
    current = core.NextWindow(current);
    if (current == 0) ++bottoms;  // 0 is walked too: the next step starts at the top again
    // A pass ends back at the first window; once that window is gone, at the second time past
    // the last one. Without a pause the walk would spin for as long as the core runs.
    if (current != first && bottoms < 2) continue;
    bottoms = current == 0 ? 1 : 0;  // paused at the bottom: the next pass starts at the top
    if (!core.WaitTimedOut(100)) return {};
  }
}

Text ArgumentsOf(const Text& commandLine) {
  std::size_t i = 0;
  const std::size_t n = commandLine.size();
  if (i < n && commandLine[i] == u'"') {
    ++i;
    while (i < n && commandLine[i] != u'"') ++i;
    if (i < n) ++i;
  } else {
    while (i < n && commandLine[i] != u' ' && commandLine[i] != u'\t') ++i;
  }
  while (i < n && (commandLine[i] == u' ' || commandLine[i] == u'\t')) ++i;
  return commandLine.substr(i);
}

Text CoreCommandLine(const Text& corePath, const Text& arguments) {
  return u"\"" + corePath + u"\" " + arguments;
}
