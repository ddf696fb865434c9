#pragma once
// A one-shot notification that the pointer has left a window owned by a plain system control:
// the window's procedure is replaced until the first WM_MOUSELEAVE, which calls a method by name
// on a callback object and puts the old procedure back.
#include <windows.h>

#include "controls/callback_names.h"
#include "base/utf.h"

// Arms the hook on the control's window. An armed window stays as it is (the first arming's
// object and name stay in force). An empty callbackName names the method controlName
// + "_MouseLeave". The object is not owned and must outlive the armed state.
void HookMouseLeave(HWND control, const Text& controlName, NamedMethods* callbackObject,
                    const Text& callbackName);

// The replacement window procedure of an armed window.
LRESULT CALLBACK MouseLeaveProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Whether the window is armed now.
bool MouseLeaveArmed(HWND window);
