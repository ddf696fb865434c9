#pragma once
// What the program asks the system about itself: where it lives, its environment, and the text of
// an error.
#include <windows.h>

#include <string>

// The folder of the running program's file, without a trailing backslash; empty when the system
// cannot say.
std::wstring ProgramFolder();
// An environment variable's value; empty when it is not set.
std::wstring EnvironmentText(const wchar_t* name);
// The system's text for an error, without its trailing line breaks (the number when there is none).
std::wstring SystemErrorText(DWORD error);
