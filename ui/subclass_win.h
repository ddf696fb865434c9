#pragma once
// The hook service: an owner sees chosen messages of chosen windows before the window's own
// procedure, after it, or both; it may change the arguments, suppress the procedure and set the
// result. Each hooked window gets its own block: a thunk installed as the window procedure, the
// previous procedure and the two message filters.
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/message_filter.h"
#include "ui/thunk_win.h"

// What a hooked window calls back. bBefore says the phase. bHandled set in the before phase skips
// the window's procedure and the after phase; lReturn is what the platform receives (in the after
// phase it arrives holding the procedure's result). The four message arguments are the block's
// own copies: what the before phase changes is what the procedure and the after phase see.
class HookOwner {
 public:
  virtual void SubclassProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd,
                              UINT& uMsg, WPARAM& wParam, LPARAM& lParam) = 0;

 protected:
  ~HookOwner() = default;
};

// Phases as a bit set.
enum HookPhase : int { kHookAfter = 1, kHookBefore = 2, kHookBoth = 3 };

namespace subclass {

struct HookBlock;

class HookService {
 public:
  explicit HookService(HookOwner& owner);
  ~HookService();  // unhooks whatever is still hooked
  HookService(const HookService&) = delete;
  HookService& operator=(const HookService&) = delete;

  // Installs a fresh block as the window's procedure; the slot index, or -1 when no block could
  // be made or installed (the window is then left as it was).
  int HookWindow(HWND hWnd);
  void HookMessage(HWND hWnd, UINT uMsg, int phases);
  // Puts the previous procedure back and silences the block. A block that is dispatching a
  // message right now is released when that dispatch returns.
  void UnhookWindow(HWND hWnd);
  void UnhookAll();
  // Slots are reused: their number is the most windows hooked at once.
  int SlotCount() const { return static_cast<int>(slots_.size()); }

 private:
  struct BlockDeleter {
    void operator()(HookBlock* block) const;
  };
  struct HookSlot {
    HWND hWnd = nullptr;  // null marks a free slot
    std::unique_ptr<HookBlock, BlockDeleter> block;
  };

  // From the highest slot down: the window's slot, or with forReuse the first free one; -1 if none.
  int FindHookSlot(HWND hWnd, bool forReuse) const;

  HookOwner& owner_;
  std::vector<HookSlot> slots_;
};

}  // namespace subclass
