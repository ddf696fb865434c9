#include "ui/thunk_win.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace subclass {
namespace {

constexpr std::size_t kPageSize = 4096;
constexpr std::size_t kStride = 64;  // bytes per stub, and per data slot one page further on
// The last stride of the code page holds the stubs' unwind description (x86_64).
constexpr std::size_t kStubsPerPage = kPageSize / kStride - 1;
constexpr std::size_t kUnwindOffset = kStubsPerPage * kStride;

// What a stub reads, one page after its own first byte.
struct DataSlot {
  ThunkTarget target;
  void* context;
};
static_assert(sizeof(DataSlot) <= kStride);

void PutDisp32(unsigned char* at, std::int64_t value) {
  const auto v = static_cast<std::int32_t>(value);
  std::memcpy(at, &v, sizeof v);
}

#if defined(_M_X64) || defined(__x86_64__)
// sub rsp,56 / mov [rsp+32],r9 / mov r9,r8 / mov r8,rdx / mov rdx,rcx / mov rcx,[rip+context]
// / call [rip+target] / add rsp,56 / ret: the window procedure's four arguments move up by one,
// the context goes first, and the target is called with shadow space and a 16-byte aligned stack.
constexpr unsigned char kStub[] = {
    0x48, 0x83, 0xEC, 0x38,              // 0: sub rsp, 56
    0x4C, 0x89, 0x4C, 0x24, 0x20,        // 4: mov [rsp+32], r9
    0x4D, 0x89, 0xC1,                    // 9: mov r9, r8
    0x49, 0x89, 0xD0,                    // 12: mov r8, rdx
    0x48, 0x89, 0xCA,                    // 15: mov rdx, rcx
    0x48, 0x8B, 0x0D, 0, 0, 0, 0,        // 18: mov rcx, [rip + disp]   (disp at 21, next 25)
    0xFF, 0x15, 0, 0, 0, 0,              // 25: call [rip + disp]       (disp at 27, next 31)
    0x48, 0x83, 0xC4, 0x38,              // 31: add rsp, 56
    0xC3,                                // 35: ret
};
void PatchStub(unsigned char* stub) {
  PutDisp32(stub + 21, std::int64_t{kPageSize} + offsetof(DataSlot, context) - 25);
  PutDisp32(stub + 27, std::int64_t{kPageSize} + offsetof(DataSlot, target) - 31);
}
constexpr unsigned char kStubPrologSize = 4;
constexpr unsigned char kStubFrameSize = 56;
#else
// call next / next: pop eax (eax = stub + 5) / push the four arguments again / push the context
// / call the target (stdcall, it pops five) / ret 16.
constexpr unsigned char kStub[] = {
    0xE8, 0, 0, 0, 0,                    // 0: call 5
    0x58,                                // 5: pop eax
    0xFF, 0x74, 0x24, 0x10,              // 6: push [esp+16]  lParam
    0xFF, 0x74, 0x24, 0x10,              // 10: push [esp+16] wParam
    0xFF, 0x74, 0x24, 0x10,              // 14: push [esp+16] uMsg
    0xFF, 0x74, 0x24, 0x10,              // 18: push [esp+16] hWnd
    0xFF, 0xB0, 0, 0, 0, 0,              // 22: push [eax + disp]  context
    0xFF, 0x90, 0, 0, 0, 0,              // 28: call [eax + disp]  target
    0xC2, 0x10, 0x00,                    // 34: ret 16
};
void PatchStub(unsigned char* stub) {
  PutDisp32(stub + 24, std::int64_t{kPageSize} + offsetof(DataSlot, context) - 5);
  PutDisp32(stub + 30, std::int64_t{kPageSize} + offsetof(DataSlot, target) - 5);
}
#endif
static_assert(sizeof(kStub) <= kStride);

// Where a released stub leads: the default procedure, so a caller that kept the stub after its
// window was unhooked gets ordinary default handling rather than a jump into nowhere.
LRESULT CALLBACK StaleTarget(void*, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// A code page of stubs and the data page after it. Mapped for the life of the process: a thunk
// released inside its own dispatch still has the stub's last instructions to run after the
// release, so its code must never go away; freed stubs are handed out again instead.
class StubPage {
 public:
  static std::unique_ptr<StubPage> Create() {
    auto* base = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, 2 * kPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!base) return nullptr;
    for (std::size_t i = 0; i < kStubsPerPage; ++i) {
      unsigned char* stub = base + i * kStride;
      std::memset(stub, 0xCC, kStride);  // int3 between stubs
      std::memcpy(stub, kStub, sizeof kStub);
      PatchStub(stub);
      *Slot(base, i) = {&StaleTarget, nullptr};
    }
    std::unique_ptr<StubPage> page(new StubPage(base));
#if defined(_M_X64) || defined(__x86_64__)
    // Unwind data, so that a stack walk through a hooked window procedure finds its way out.
    const unsigned char unwind[8] = {1, kStubPrologSize, 1, 0, kStubPrologSize,
                                     static_cast<unsigned char>(((kStubFrameSize / 8 - 1) << 4) | 2),
                                     0, 0};
    std::memcpy(base + kUnwindOffset, unwind, sizeof unwind);
    for (std::size_t i = 0; i < kStubsPerPage; ++i) {
      page->functions_[i].BeginAddress = static_cast<DWORD>(i * kStride);
      page->functions_[i].EndAddress = static_cast<DWORD>(i * kStride + sizeof kStub);
      page->functions_[i].UnwindData = static_cast<DWORD>(kUnwindOffset);
    }
#endif
    DWORD old = 0;
    if (!VirtualProtect(base, kPageSize, PAGE_EXECUTE_READ, &old)) {
      VirtualFree(base, 0, MEM_RELEASE);
      page->base_ = nullptr;
      return nullptr;
    }
    FlushInstructionCache(GetCurrentProcess(), base, kPageSize);
#if defined(_M_X64) || defined(__x86_64__)
    RtlAddFunctionTable(page->functions_, kStubsPerPage, reinterpret_cast<DWORD64>(base));
#endif
    return page;
  }

  StubPage(const StubPage&) = delete;
  StubPage& operator=(const StubPage&) = delete;

  bool Owns(const void* stub) const {
    const auto* p = static_cast<const unsigned char*>(stub);
    return p >= base_ && p < base_ + kStubsPerPage * kStride;
  }
  // A free stub pointed at target and context, or null when the page is full.
  void* Take(ThunkTarget target, void* context) {
    for (std::size_t i = 0; i < kStubsPerPage; ++i) {
      if (used_[i]) continue;
      used_[i] = true;
      *Slot(base_, i) = {target, context};
      return base_ + i * kStride;
    }
    return nullptr;
  }
  void Give(const void* stub) {
    const std::size_t i = static_cast<std::size_t>(static_cast<const unsigned char*>(stub) - base_) / kStride;
    *Slot(base_, i) = {&StaleTarget, nullptr};
    used_[i] = false;
  }

 private:
  explicit StubPage(unsigned char* base) : base_(base) {}
  static DataSlot* Slot(unsigned char* base, std::size_t i) {
    return reinterpret_cast<DataSlot*>(base + kPageSize + i * kStride);
  }

  unsigned char* base_;
  bool used_[kStubsPerPage] = {};
#if defined(_M_X64) || defined(__x86_64__)
  RUNTIME_FUNCTION functions_[kStubsPerPage] = {};
#endif
};

// The process-wide pool. Threads other than the one owning the windows could hook as well; the
// lock only guards taking and giving back stubs, never a dispatch.
struct Pool {
  std::mutex lock;
  std::vector<std::unique_ptr<StubPage>> pages;
};
Pool& ThePool() {
  static Pool* pool = new Pool;  // never destroyed: stubs may run until the process ends
  return *pool;
}

}  // namespace

Thunk Thunk::Allocate(ThunkTarget target, void* context) {
  Pool& pool = ThePool();
  std::lock_guard<std::mutex> guard(pool.lock);
  for (auto& page : pool.pages) {
    if (void* stub = page->Take(target, context)) return Thunk(stub);
  }
  auto page = StubPage::Create();
  if (!page) return Thunk();
  void* stub = page->Take(target, context);
  pool.pages.push_back(std::move(page));
  return Thunk(stub);
}

void Thunk::Reset() {
  if (!stub_) return;
  Pool& pool = ThePool();
  std::lock_guard<std::mutex> guard(pool.lock);
  for (auto& page : pool.pages) {
    if (page->Owns(stub_)) {
      page->Give(stub_);
      break;
    }
  }
  stub_ = nullptr;
}

}  // namespace subclass
