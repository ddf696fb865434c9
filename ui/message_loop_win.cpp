#include "ui/message_loop.h"

#include <windows.h>

bool RunPendingMessages(bool keepQuit) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT && keepQuit) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void WaitWhile(const std::function<bool()>& waiting) {
  while (waiting()) {
    if (!RunPendingMessages()) return;
    if (!waiting()) break;
    // cppcheck-suppress nullPointer ; no handles to wait for (count 0), only messages
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
