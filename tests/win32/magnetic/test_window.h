#pragma once
// Real top-level windows for the hook and magnetic tests: each records the messages its own
// procedure receives, answers a probe message with a result that depends on wParam, and keeps
// system commands to itself so that no test starts a modal loop or closes a window by accident.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace magnetic_test {

// Answered by the window's own procedure with 2 * wParam + 1.
constexpr UINT kProbe = WM_APP + 1;

struct Received {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class TestWindow {
 public:
  // Hidden unless asked: under Wine without a window manager, hiding a shown window costs 2 s.
  explicit TestWindow(RECT r, DWORD style = WS_OVERLAPPEDWINDOW, bool passSysCommand = false);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  RECT Rect() const;
  std::vector<Received> log;
  // What the window's own procedure does first with each message (e.g. to note the order).
  std::function<void(UINT, WPARAM, LPARAM)> onMessage;
  bool passSysCommand;  // let DefWindowProc have WM_SYSCOMMAND
  // A left press anywhere starts the platform's move loop, as the program's borderless forms do.
  bool dragBySurface = false;
  // Read by the thread that plays the user during a drag.
  std::atomic<int> enterSizeMove{0};
  std::atomic<int> exitSizeMove{0};
  std::atomic<int> moving{0};

  static WNDPROC OriginalProc();
  int Count(UINT msg) const;

 private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// Dispatches pending messages of this thread.
void Pump();
// Pumps until the condition holds or the deadline passes; the condition's last value.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = std::chrono::milliseconds(5000));

}  // namespace magnetic_test
