#pragma once
// The one owner of a handle of any kind: Close runs on the handle when the owner lets it go; moved,
// never copied. A raw handle always means borrowed; the handle type's zero value means none.
#include <utility>

template <class H, auto Close>
class Owner {
 public:
  Owner() = default;
  explicit Owner(H handle) : h_(handle) {}
  Owner(Owner&& o) noexcept : h_(o.release()) {}
  Owner& operator=(Owner&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  ~Owner() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != H{}; }
  H release() { return std::exchange(h_, H{}); }
  void reset(H handle = H{}) {
    if (h_ != H{}) Close(h_);
    h_ = handle;
  }

 private:
  H h_{};
};
