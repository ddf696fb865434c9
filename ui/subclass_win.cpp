#include "ui/subclass_win.h"

#include <atomic>

#include "ui/live_objects.h"

namespace subclass {

namespace {
std::atomic<int> liveBlocks{0};
}

// One hooked window. The thunk calls Dispatch with the block; the block outlives its slot while a
// dispatch through it is running.
struct HookBlock {
  HookBlock() { ++liveBlocks; }
  ~HookBlock() { --liveBlocks; }
  HookBlock(const HookBlock&) = delete;
  HookBlock& operator=(const HookBlock&) = delete;

  static LRESULT CALLBACK Dispatch(void* context, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Calls the owner back if this phase's filter, read afresh, names the message.
  void Callback(bool before, bool& handled, LRESULT& result, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                LPARAM& lParam);

  HookOwner* owner = nullptr;  // null once unhooked: no more callbacks
  WNDPROC PrevWndProc = nullptr;
  MessageFilter Before;
  MessageFilter After;
  Thunk thunk;
  int depth = 0;          // dispatches through this block now running (messages nest)
  bool released = false;  // unhooked while dispatching: the outermost dispatch deletes it
};

LRESULT CALLBACK HookBlock::Dispatch(void* context, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  auto* block = static_cast<HookBlock*>(context);
  ++block->depth;
  LRESULT result = 0;
  bool handled = false;
  block->Callback(true, handled, result, hWnd, uMsg, wParam, lParam);
  if (!handled) {
    result = CallWindowProcW(block->PrevWndProc, hWnd, uMsg, wParam, lParam);
    bool afterHandled = false;
    block->Callback(false, afterHandled, result, hWnd, uMsg, wParam, lParam);
  }
  if (--block->depth == 0 && block->released) delete block;
  return result;
}

void HookBlock::Callback(bool before, bool& handled, LRESULT& result, HWND& hWnd, UINT& uMsg,
                         WPARAM& wParam, LPARAM& lParam) {
  const MessageFilter& filter = before ? Before : After;
  if (!owner || !filter.Matches(uMsg)) return;
  try {
    owner->SubclassProc(before, handled, result, hWnd, uMsg, wParam, lParam);
  } catch (...) {
    // A failing callback ends its own handling; the message goes on its way.
  }
}

void HookService::BlockDeleter::operator()(HookBlock* block) const { delete block; }

HookService::HookService(HookOwner& owner) : owner_(owner) {}

HookService::~HookService() { UnhookAll(); }

int HookService::HookWindow(HWND hWnd) {
  int index = FindHookSlot(hWnd, true);
  if (index < 0) {
    slots_.emplace_back();
    index = static_cast<int>(slots_.size()) - 1;
  }
  std::unique_ptr<HookBlock, BlockDeleter> block(new HookBlock);
  block->owner = &owner_;
  block->thunk = Thunk::Allocate(&HookBlock::Dispatch, block.get());
  if (!block->thunk) return -1;
  // The previous procedure is known before the block goes in, so that no message can reach the
  // block while it would still forward to nothing.
  block->PrevWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
  if (!block->PrevWndProc) return -1;  // no such window, or not ours to hook
  SetLastError(0);
  const LONG_PTR prev = SetWindowLongPtrW(hWnd, GWLP_WNDPROC,
                                          reinterpret_cast<LONG_PTR>(block->thunk.Procedure()));
  if (prev == 0 && GetLastError() != 0) return -1;
  block->PrevWndProc = reinterpret_cast<WNDPROC>(prev);
  slots_[index].hWnd = hWnd;
  slots_[index].block = std::move(block);
  return index;
}

void HookService::HookMessage(HWND hWnd, UINT uMsg, int phases) {
  const int index = FindHookSlot(hWnd, false);
  if (index < 0) return;
  HookBlock& block = *slots_[index].block;
  if (phases & kHookBefore) block.Before.Add(uMsg);
  if (phases & kHookAfter) block.After.Add(uMsg);
}

void HookService::UnhookWindow(HWND hWnd) {
  const int index = FindHookSlot(hWnd, false);
  if (index < 0) return;
  HookSlot& slot = slots_[index];
  HookBlock* block = slot.block.get();
  SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(block->PrevWndProc));
  // A dispatch still running in the block makes no further callbacks.
  block->owner = nullptr;
  block->Before.Clear();
  block->After.Clear();
  if (block->depth > 0) {
    block->released = true;
    slot.block.release();
  } else {
    slot.block.reset();
  }
  slot.hWnd = nullptr;
}

void HookService::UnhookAll() {
  for (int i = static_cast<int>(slots_.size()) - 1; i >= 0; --i) {
    if (slots_[i].hWnd) UnhookWindow(slots_[i].hWnd);
  }
}

int HookService::FindHookSlot(HWND hWnd, bool forReuse) const {
  for (int i = static_cast<int>(slots_.size()) - 1; i >= 0; --i) {
    if (forReuse ? slots_[i].hWnd == nullptr : (slots_[i].hWnd != nullptr && slots_[i].hWnd == hWnd)) {
      return i;
    }
  }
  return -1;
}

}  // namespace subclass

int LiveHookBlocks() { return subclass::liveBlocks.load(); }
