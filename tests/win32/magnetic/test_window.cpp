#include "test_window.h"

#include <algorithm>

namespace magnetic_test {
namespace {
constexpr wchar_t kClassName[] = L"LumivaleMagneticTestWindow";

void RegisterOnce(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
}
}  // namespace

TestWindow::TestWindow(RECT r, DWORD style, bool passSys) : passSysCommand(passSys) {
  RegisterOnce(&Proc);
  hwnd_ = CreateWindowExW(0, kClassName, L"magnetic test", style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Pump();
}

TestWindow::~TestWindow() {
  if (IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  Pump();
}

RECT TestWindow::Rect() const {
  RECT r = {};
  GetWindowRect(hwnd_, &r);
  return r;
}

WNDPROC TestWindow::OriginalProc() { return &Proc; }

int TestWindow::Count(UINT msg) const {
  return static_cast<int>(std::count_if(log.begin(), log.end(), [msg](const Received& m) { return m.msg == msg; }));
}

LRESULT CALLBACK TestWindow::Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hWnd, msg, wParam, lParam);
  if (self->onMessage) self->onMessage(msg, wParam, lParam);
  self->log.push_back({msg, wParam, lParam});
  switch (msg) {
    case kProbe:
      return static_cast<LRESULT>(2 * wParam + 1);
    case WM_ENTERSIZEMOVE:
      ++self->enterSizeMove;
      break;
    case WM_EXITSIZEMOVE:
      ++self->exitSizeMove;
      break;
    case WM_MOVING:
      ++self->moving;
      break;
    case WM_LBUTTONDOWN:
      if (self->dragBySurface) {
        ReleaseCapture();
        SendMessageW(hWnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if (!self->passSysCommand) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return condition();
    Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

}  // namespace magnetic_test
