#pragma once
#include <string>

// Shows a message with the system's message-box style and result codes; blocks until answered.
int ShowMsgBox(const std::wstring& prompt, int style, const std::wstring& title);
