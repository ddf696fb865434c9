// Shows one skinned message box from the command line, for looking at it and for screenshots:
//   LumivaleShowBox <style> <title> <prompt>      (\n in the prompt starts a new line)
// The exit code is the box's result.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "dialog/set_form.h"
#include "msgbox/msgbox_service.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 4) return -1;
  const int style = static_cast<int>(std::wcstol(argv[1], nullptr, 0));
  const std::wstring title = argv[2];
  std::wstring prompt = argv[3];
  LocalFree(argv);
  for (size_t at; (at = prompt.find(L"\\n")) != std::wstring::npos;) prompt.replace(at, 2, L"\r\n");
  return ShowMsgBox(prompt, style, title, SettingsDialog().hwnd());  // owned as the program's are
}
