#pragma once
// Owned kernel handles (files, processes, events). A raw HANDLE always means borrowed.
#include <windows.h>

#include "base/owner.h"

struct CloseKernelHandle {
  void operator()(HANDLE h) const { CloseHandle(h); }
};

// Kernel handles: the API gives either null or INVALID_HANDLE_VALUE for none.
class UniqueHandle : public Owner<HANDLE, CloseKernelHandle{}> {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : Owner(Valid(h)) {}
  void reset(HANDLE h = nullptr) { Owner::reset(Valid(h)); }

 private:
  static HANDLE Valid(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }
};
