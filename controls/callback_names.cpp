#include "controls/callback_names.h"

#include <limits>
#include <stdexcept>
#include <vector>

namespace {
std::vector<Text>& CallbackNames() {
  static std::vector<Text> names;
  return names;
}
}  // namespace

std::int32_t RegisterCallbackName(const Text& name) {
  std::vector<Text>& names = CallbackNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<std::int32_t>(i);
  }
  if (names.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::overflow_error("too many callback names");
  }
  names.push_back(name);
  return static_cast<std::int32_t>(names.size() - 1);
}

const Text* CallbackNameAt(std::int32_t index) {
  const std::vector<Text>& names = CallbackNames();
  if (index < 0 || static_cast<std::size_t>(index) >= names.size()) return nullptr;
  return &names[static_cast<std::size_t>(index)];
}


bool NamedMethods::CallByName(const Text& name) const {
  const auto found = methods_.find(name);
  if (found == methods_.end() || !found->second) return false;
  found->second();
  return true;
}
