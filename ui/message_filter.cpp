#include "ui/message_filter.h"

#include <algorithm>

namespace subclass {

void MessageFilter::Add(std::uint32_t message) {
  if (message == kAllMessages) {
    all_ = true;
    return;
  }
  // A filter that already takes every message stays that way: listing one more changes nothing.
  if (all_ || std::find(table_.begin(), table_.end(), message) != table_.end()) return;
  table_.push_back(message);
}

bool MessageFilter::Matches(std::uint32_t message) const {
  return all_ || std::find(table_.begin(), table_.end(), message) != table_.end();
}

void MessageFilter::Clear() {
  all_ = false;
  table_.clear();
  table_.shrink_to_fit();
}

}  // namespace subclass
