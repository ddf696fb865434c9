#pragma once
#include <windows.h>

#include <string>

// Shows a message with the system's message-box style and result codes, owned by `owner` (the
// settings dialog); blocks until answered (1 OK, 6 Yes, 7 No, 0 closed without a choice). Never
// fails outward.
int ShowMsgBox(const std::wstring& prompt, int style, const std::wstring& title, HWND owner = nullptr);

// Opens (false) or closes (true) one level of modality. Only the outermost pair disables and
// enables every window of the program; calls are paired by the caller on every path.
void EnableForms(bool enable);
