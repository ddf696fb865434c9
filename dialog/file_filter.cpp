#include "dialog/file_filter.h"

Text ConvertFilter(const Text& filter) {
  if (filter.empty()) return Text(1, u'\0');
  Text out = filter;
  for (auto& c : out)
    if (c == u'|') c = u'\0';
  out.append(2, u'\0');
  return out;
}

Text PatternInEffect(const Text& buffer) {
  const auto start = buffer.find_first_not_of(u'\0');
  if (start == Text::npos) return Text();
  const auto end = buffer.find(u'\0', start);
  return buffer.substr(start, end == Text::npos ? Text::npos : end - start);
}
