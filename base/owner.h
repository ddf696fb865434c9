#pragma once
// The one owner of a handle of any kind: Close runs on the handle when the owner lets it go; moved,
// never copied. A raw handle always means borrowed; the handle type's zero value means none.
// A Close whose type has a static Track(int) is told of every handle taken (+1) and given up
// (-1): the live count the leak tests read.
#include <utility>

template <class H, auto Close>
class Owner {
 public:
  Owner() = default;
  explicit Owner(H handle) : h_(handle) { Track(h_, +1); }
  Owner(Owner&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
  Owner& operator=(Owner&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, H{});
    }
    return *this;
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  ~Owner() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != H{}; }
  // Hands the handle to a new owner (a region given to SetWindowRgn belongs to the window).
  H release() {
    Track(h_, -1);
    return std::exchange(h_, H{});
  }
  void reset(H handle = H{}) {
    if (h_ != H{}) {
      Close(h_);
      Track(h_, -1);
    }
    h_ = handle;
    Track(h_, +1);
  }

 private:
  static void Track([[maybe_unused]] H handle, [[maybe_unused]] int change) {
    if constexpr (requires { decltype(Close)::Track(change); })
      if (handle != H{}) decltype(Close)::Track(change);
  }

  H h_{};
};
