#include <windows.h>

#include "host/host.h"
#include "ui/message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Main();
  // From here the settings dialog drives the program, and it ends the program itself.
  RunMessageLoop();
  EndProgram();
}
