#pragma once
// Owned windows, beside the owned kernel handles of base/. A raw HWND always means borrowed.
#include <windows.h>

#include "base/handle_win.h"
#include "base/owner.h"

// A window can die without us (with its owner or parent); a dead handle is not destroyed.
struct DestroyLiveWindow {
  void operator()(HWND window) const {
    if (IsWindow(window)) DestroyWindow(window);
  }
};
// An owned window: destroyed with its owner object unless it is gone already. A raw HWND always
// means borrowed.
using UniqueWindow = Owner<HWND, DestroyLiveWindow{}>;
