#pragma once
// Magnetic top-level windows: while dragged, their edges jump onto the work area's edges and onto
// each other's; a window glued to its parent travels with it. The manager learns of drags through
// the hook service, which calls SubclassProc for the five messages it registers.
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "magnetic/magnetic_geometry.h"
#include "ui/subclass_win.h"

class MagneticWindows final : public HookOwner {
 public:
  // Runs the window's unload path when the system close command reaches it (with whatever
  // confirmation that path asks); the command then goes on to the window. It may remove the
  // window from the manager, or destroy the manager.
  using CloseHandler = std::function<void()>;

  MagneticWindows();
  ~MagneticWindows();
  MagneticWindows(const MagneticWindows&) = delete;
  MagneticWindows& operator=(const MagneticWindows&) = delete;

  // False, with no change, for a window already registered.
  bool AddWindow(HWND hWnd, HWND hWndParent, CloseHandler onClose = {});
  // False, with no change, for a window not registered.
  bool RemoveWindow(HWND hWnd);
  void CheckGlueing();

  void SubclassProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                      WPARAM& wParam, LPARAM& lParam) override;

  const magnetic::MagneticLayout& Layout() const { return layout_; }

 private:
  class Platform final : public magnetic::MagneticPlatform {
   public:
    bool WindowRect(WindowId window, Rect& rect) override;
    bool WorkArea(const Rect& window, Rect& area) override;
    int WindowDpiOf(WindowId window) override;
    bool Cursor(Point& point) override;
    void MoveWindows(const std::vector<magnetic::WindowMove>& moves) override;
  };

  void OnSysCommand(HWND hWnd, WPARAM& wParam);

  Platform platform_;
  magnetic::MagneticLayout layout_{platform_};
  std::vector<std::pair<HWND, CloseHandler>> closeHandlers_;
  subclass::HookService hooks_{*this};
};
