#pragma once
// The list of messages for which a hooked window calls its owner back in one phase.
#include <cstdint>
#include <vector>

namespace subclass {

class MessageFilter {
 public:
  // Adds a message once; a message already listed is not listed again.
  void Add(std::uint32_t message);
  // Whether a message calls back.
  bool Matches(std::uint32_t message) const;
  // Back to "no messages".
  void Clear();

 private:
  std::vector<std::uint32_t> table_;
};

}  // namespace subclass
