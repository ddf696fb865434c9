#include <windows.h>

#include "host/host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Main();
  // From here the settings dialog drives the program, and it ends the program itself.
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  EndProgram();
}
