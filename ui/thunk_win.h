#pragma once
// Window procedures made at run time: each thunk is a small machine-code entry point that calls one
// fixed function with its own context pointer in front of the window procedure's four arguments.
//
// The code is never writable and executable at once: thunks live in pages of identical stubs that
// are written once and then protected execute-read; each stub finds its target and its context in
// a read-write data slot that lies exactly one page after it. Hooking a window writes data only.
#include <windows.h>

#include <utility>

namespace subclass {

using ThunkTarget = LRESULT(CALLBACK*)(void* context, HWND hWnd, UINT uMsg, WPARAM wParam,
                                       LPARAM lParam);

// One stub of the process-wide pool, owned. Releasing it points the stub at a harmless procedure
// (the default one) before its slot can be handed out again, so that a stale caller cannot crash.
class Thunk {
 public:
  Thunk() = default;
  // An empty thunk when no executable memory could be had.
  static Thunk Allocate(ThunkTarget target, void* context);

  Thunk(Thunk&& o) noexcept : stub_(std::exchange(o.stub_, nullptr)) {}
  Thunk& operator=(Thunk&& o) noexcept {
    if (this != &o) {
      Reset();
      stub_ = std::exchange(o.stub_, nullptr);
    }
    return *this;
  }
  Thunk(const Thunk&) = delete;
  Thunk& operator=(const Thunk&) = delete;
  ~Thunk() { Reset(); }

  explicit operator bool() const { return stub_ != nullptr; }
  // The entry point, to be installed as a window procedure.
  WNDPROC Procedure() const { return reinterpret_cast<WNDPROC>(stub_); }
  void Reset();

 private:
  explicit Thunk(void* stub) : stub_(stub) {}
  void* stub_ = nullptr;
};

}  // namespace subclass
