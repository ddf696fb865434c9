#include "magnetic/magnetic_windows.h"

#include <algorithm>

#include "ui/window_utils.h"

namespace {

// The messages the manager follows, with the phase in which it wants each.
constexpr struct {
  UINT message;
  int phase;
} kHookedMessages[] = {
    {WM_NCLBUTTONDOWN, kHookBefore}, {WM_MOVING, kHookAfter},    {WM_EXITSIZEMOVE, kHookAfter},
    {WM_SYSCOMMAND, kHookBefore},    {WM_COMMAND, kHookAfter},
};

}  // namespace

bool MagneticWindows::Platform::WindowRect(WindowId window, Rect& rect) {
  RECT r;
  if (!::GetWindowRect(ToHWND(window), &r)) return false;
  rect = FromRECT(r);
  return true;
}

bool MagneticWindows::Platform::WorkArea(const Rect& window, Rect& area) { return WorkAreaOf(window, area); }

int MagneticWindows::Platform::WindowDpiOf(WindowId window) { return WindowDpi(ToHWND(window)); }

bool MagneticWindows::Platform::Cursor(Point& point) {
  POINT p;
  if (!::GetCursorPos(&p)) return false;
  point = {p.x, p.y};
  return true;
}

void MagneticWindows::Platform::MoveWindows(const std::vector<magnetic::WindowMove>& moves) {
  if (moves.empty()) return;
  HDWP batch = BeginDeferWindowPos(0);
  for (const auto& m : moves) {
    // Each call hands back the batch to go on with (null once the batch has failed).
    batch = DeferWindowPos(batch, ToHWND(m.hWnd), nullptr, m.position.x, m.position.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (batch) EndDeferWindowPos(batch);
}

MagneticWindows::MagneticWindows() = default;

MagneticWindows::~MagneticWindows() {
  if (layout_.Count() != 0) hooks_.UnhookAll();
}

bool MagneticWindows::AddWindow(HWND hWnd, HWND hWndParent, CloseHandler onClose) {
  if (!layout_.AddEntry(FromHWND(hWnd), FromHWND(hWndParent))) return false;
  closeHandlers_.emplace_back(hWnd, std::move(onClose));
  layout_.CheckGlueing();
  hooks_.HookWindow(hWnd);
  for (const auto& m : kHookedMessages) hooks_.HookMessage(hWnd, m.message, m.phase);
  return true;
}

bool MagneticWindows::RemoveWindow(HWND hWnd) {
  if (!layout_.RemoveEntry(FromHWND(hWnd))) return false;
  std::erase_if(closeHandlers_, [hWnd](const auto& h) { return h.first == hWnd; });
  hooks_.UnhookWindow(hWnd);
  layout_.CheckGlueing();
  return true;
}

void MagneticWindows::CheckGlueing() { layout_.CheckGlueing(); }

void MagneticWindows::SubclassProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd,
                                  UINT& uMsg, WPARAM& wParam, LPARAM& lParam) {
  try {
    switch (uMsg) {
      case WM_NCLBUTTONDOWN:
        // Whatever the hit: the window's own procedure then starts the move loop for a caption.
        if (bBefore) layout_.DragStart(FromHWND(lng_hWnd));
        break;
      case WM_MOVING:
        if (!bBefore && lParam) {
          auto* proposed = reinterpret_cast<RECT*>(lParam);
          Rect r = FromRECT(*proposed);
          layout_.Moving(FromHWND(lng_hWnd), r);
          *proposed = ToRECT(r);
          bHandled = true;
          lReturn = 1;
        }
        break;
      case WM_EXITSIZEMOVE:
        if (!bBefore) layout_.ExitSizeMove(FromHWND(lng_hWnd));
        break;
      case WM_SYSCOMMAND:
        if (bBefore) OnSysCommand(lng_hWnd, wParam);  // may have destroyed this manager
        break;
      case WM_COMMAND:
        if (!bBefore) layout_.CheckGlueing();
        break;
      default:
        break;
    }
  } catch (...) {
    // The message goes on its way unhandled.
  }
}

void MagneticWindows::OnSysCommand(HWND hWnd, WPARAM& wParam) {
  // The whole wParam counts: a command carrying a hit-test code in its low bits is not matched.
  switch (wParam) {
    case SC_MOVE: {
      // The keyboard move becomes a drag: the pointer goes to the caption's middle, captured,
      // showing the move shape, and the window's procedure gets command 0 instead.
      RECT r;
      if (::GetWindowRect(hWnd, &r)) {
        const Point grip = magnetic::MoveGripPoint(FromRECT(r));
        SetCursorPos(grip.x, grip.y);
      }
      SetCapture(hWnd);
      SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
      wParam = 0;
      break;
    }
    case SC_CLOSE: {
      const auto it = std::find_if(closeHandlers_.begin(), closeHandlers_.end(),
                                   [hWnd](const auto& h) { return h.first == hWnd; });
      if (it == closeHandlers_.end() || !it->second) break;
      // A copy: the unload path may remove the window or destroy this manager while it runs.
      const CloseHandler onClose = it->second;
      onClose();
      return;  // nothing of this object may be touched any more
    }
    case SC_RESTORE:
      layout_.CheckGlueing();
      break;
    default:
      break;
  }
}
