#pragma once
// Owned kernel handles. A raw HANDLE always means borrowed.
#include <windows.h>

#include <utility>

#include "base/owner.h"

inline void CloseKernelHandle(HANDLE h) { CloseHandle(h); }

// Kernel handles: the API gives either null or INVALID_HANDLE_VALUE for none.
class UniqueHandle : public Owner<HANDLE, CloseKernelHandle> {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : Owner(Valid(h)) {}
  void reset(HANDLE h = nullptr) { Owner::reset(Valid(h)); }

 private:
  static HANDLE Valid(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }
};

// An owned window: destroyed with its owner object unless it is gone already. A raw HWND always
// means borrowed.
class UniqueWindow {
 public:
  UniqueWindow() = default;
  explicit UniqueWindow(HWND hwnd) : hwnd_(hwnd) {}
  UniqueWindow(UniqueWindow&& o) noexcept : hwnd_(std::exchange(o.hwnd_, nullptr)) {}
  UniqueWindow& operator=(UniqueWindow&& o) noexcept {
    if (this != &o) reset(std::exchange(o.hwnd_, nullptr));
    return *this;
  }
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  ~UniqueWindow() { reset(); }

  HWND get() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }
  HWND release() { return std::exchange(hwnd_, nullptr); }
  void reset(HWND hwnd = nullptr) {
    // A window can die without us (with its owner or parent); a dead handle is not destroyed.
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    hwnd_ = hwnd;
  }

 private:
  HWND hwnd_ = nullptr;
};
