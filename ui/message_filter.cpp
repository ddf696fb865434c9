#include "ui/message_filter.h"

#include <algorithm>

namespace subclass {

void MessageFilter::Add(std::uint32_t message) {
  if (std::find(table_.begin(), table_.end(), message) != table_.end()) return;
  table_.push_back(message);
}

bool MessageFilter::Matches(std::uint32_t message) const {
  return std::find(table_.begin(), table_.end(), message) != table_.end();
}

void MessageFilter::Clear() {
  table_.clear();
  table_.shrink_to_fit();
}

}  // namespace subclass
