#pragma once
// Calls by name for the mouse-leave hook: the process-wide table of callback names (a window
// property can hold only an integer, so it holds the index) and objects whose methods are found
// by name.
#include <cstdint>
#include <functional>
#include <map>

#include "base/utf.h"

// The index of the name in the table, appending it when it is new. Exact, case-sensitive
// comparison; entries are never removed or changed. Throws std::overflow_error when the table
// would pass the largest 32-bit signed count.
std::int32_t RegisterCallbackName(const Text& name);
// The name at an index; null for an index that is not in the table.
const Text* CallbackNameAt(std::int32_t index);

// An object whose public methods without arguments can be called by name.
class NamedMethods {
 public:
  virtual ~NamedMethods() = default;
  void DefineMethod(const Text& name, std::function<void()> method) { methods_[name] = std::move(method); }
  // Calls the method; false when the object has none of that name. The method's errors reach
  // the caller.
  bool CallByName(const Text& name) const;

 private:
  std::map<Text, std::function<void()>> methods_;
};
