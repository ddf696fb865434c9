#pragma once
// The list of messages for which a hooked window calls its owner back in one phase.
#include <cstdint>
#include <vector>

namespace subclass {

class MessageFilter {
 public:
  // Stands for every message; once given, the filter takes every message for good.
  static constexpr std::uint32_t kAllMessages = 0xFFFFFFFFu;

  // Adds a message once; a message already listed is not listed again.
  void Add(std::uint32_t message);
  // Whether a message calls back: none when the count is 0, all when it is -1.
  bool Matches(std::uint32_t message) const;
  // Back to "no messages".
  void Clear();

  // The number of listed messages, -1 for every message.
  std::int32_t Count() const { return all_ ? -1 : static_cast<std::int32_t>(table_.size()); }
  const std::vector<std::uint32_t>& Table() const { return table_; }

 private:
  bool all_ = false;
  std::vector<std::uint32_t> table_;
};

}  // namespace subclass
