#include "host/core_scan.h"

ScanResult ScanCoreWindows(CoreWindows& core, WindowId first) {
  WindowId current = first;
  for (;;) {
    if (!core.CoreExists()) return {};
    if (core.Title(current) == kCoreSettingsTitle) return {true, current};
    current = core.NextWindow(current);
    if (current != first) continue;  // 0 is walked too: the next step starts at the top again
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
