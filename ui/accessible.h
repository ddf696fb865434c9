#pragma once
// What a screen reader sees of the program's own windows (MSAA): each window answers
// WM_GETOBJECT for its client area with an object that asks the window, at each call, for its
// name, role, state and children. oleacc and COM load only when a reader first asks.
#include <windows.h>
#include <oleacc.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// One element as a reader is told it.
struct AccessibleFacts {
  std::wstring name;
  std::wstring value;
  std::wstring defaultAction;  // empty: the element has none
  LONG role = 0;               // ROLE_SYSTEM_*
  LONG state = 0;              // STATE_SYSTEM_*
  RECT place{};                // on the screen
};

// A window's side of its accessible object. Child 0 is the window itself; children 1..n are, in
// order, the windows ReaderChildren names (each with its own object) or, where it names none,
// simple elements that Describe tells of.
class AccessibleSource {
 public:
  AccessibleSource(const AccessibleSource&) = delete;
  AccessibleSource& operator=(const AccessibleSource&) = delete;

  virtual AccessibleFacts Describe(LONG child) = 0;
  virtual std::vector<HWND> ReaderChildren() { return {}; }

 protected:
  AccessibleSource() = default;
  // Objects a reader still holds answer that the window is gone from now on.
  ~AccessibleSource() { *self_ = nullptr; }

  // The answer to WM_GETOBJECT for `window`: its client object for OBJID_CLIENT, nothing else.
  std::optional<LRESULT> AnswerGetObject(HWND window, WPARAM flags, LONG objectId);

 private:
  std::shared_ptr<AccessibleSource*> self_ = std::make_shared<AccessibleSource*>(this);
};

// Tells readers that the element got the keyboard or changed its state.
void NotifyFocus(HWND window, LONG child = 0);
void NotifyStateChange(HWND window, LONG child = 0);

// The window's client rectangle on the screen.
RECT ScreenRectOf(HWND window);
