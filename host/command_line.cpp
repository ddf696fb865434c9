#include "host/command_line.h"

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

bool ConfigureRoad(const Text& arguments) {
  const std::size_t first = arguments.find_first_not_of(u" \t");
  if (first == Text::npos) return true;
  if (arguments.size() - first < 2 || (arguments[first] != u'/' && arguments[first] != u'-')) return false;
  const char16_t letter = arguments[first + 1];
  const std::size_t after = first + 2;
  return (letter == u'c' || letter == u'C') &&
         (after == arguments.size() || arguments[after] == u':' || arguments[after] == u' ' || arguments[after] == u'\t');
}

Text CoreCommandLine(const Text& corePath, const Text& arguments) {
  return u"\"" + corePath + u"\" " + arguments;
}
