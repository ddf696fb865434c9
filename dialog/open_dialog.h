#pragma once
#include <windows.h>

#include <string>

// The system's open-file dialog in one blocking call, with the filter written with "|" for NUL.
// On a choice: true, the full path in fileName, the pattern in effect in filter, the dialog's
// flags in flags. Cancelled: false, empty fileName, flags 0, filter unchanged. Every window of the
// program is disabled while it is open.
bool ShowOpenDialog(HWND owner, DWORD& flags, std::wstring& fileName, const std::wstring& title,
                    std::wstring& filter, const std::wstring& initialFolder);
