#pragma once
// Window classes of the program: one static window procedure binds the C++ object at WM_NCCREATE
// and decodes each message once, here, into a typed handler; unhandled messages go to
// DefWindowProc.
#include <windows.h>

#include <optional>

#include "ui/back_buffer.h"

// The mouse button of a press, a release or a double click.
enum class MouseButton { Left = 1, Right = 2, Middle = 4, X = 8 };

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // Destroys the window if it still exists. The object is unbound first, so no message of the
  // destruction reaches a half-destroyed object.
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers the class on first use (with the one procedure) and creates the window bound to
  // this object.
  bool Create(const wchar_t* className, UINT classStyle, DWORD exStyle, DWORD style,
              const wchar_t* title, int x, int y, int width, int height, HWND parent);

  // The typed handlers: each gives the procedure's result when it handled the message, nothing
  // when the message goes on to the default handling. Points are in client pixels; `keys` is the
  // mouse message's key state (MK_*).
  using Handled = std::optional<LRESULT>;
  virtual Handled OnMouseDown(MouseButton /*button*/, WPARAM /*keys*/, POINT /*at*/) { return {}; }
  virtual Handled OnMouseDoubleClick(MouseButton /*button*/, WPARAM /*keys*/, POINT /*at*/) { return {}; }
  virtual Handled OnMouseUp(MouseButton /*button*/, WPARAM /*keys*/, POINT /*at*/) { return {}; }
  virtual Handled OnMouseMove(WPARAM /*keys*/, POINT /*at*/) { return {}; }
  // A key pressed or released; `system`: it came as a system key (Alt held, or no window of the
  // thread has the keyboard).
  virtual Handled OnKeyDown(UINT /*key*/, bool /*system*/) { return {}; }
  virtual Handled OnKeyUp(UINT /*key*/, bool /*system*/) { return {}; }
  virtual Handled OnTimer(UINT_PTR /*id*/) { return {}; }
  // The monitors changed (the default handling follows).
  virtual void OnDisplayChange() {}
  virtual Handled OnClose() { return {}; }
  // The pointer over the window asks for its shape; hitTest is where on the window it is.
  virtual Handled OnSetCursor(UINT /*hitTest*/) { return {}; }
  // The window became the active one (true) or stopped being it.
  virtual Handled OnActivate(bool /*active*/) { return {}; }
  // The keyboard came to the window, or left it (the defaults do nothing more).
  virtual void OnSetFocus() {}
  virtual void OnKillFocus() {}
  // The window's monitor has another DPI; `suggested` is the rectangle the system offers there.
  virtual Handled OnDpiChanged(int /*dpi*/, const RECT& /*suggested*/) { return {}; }
  // An EDIT child asks for its colours; the brush of its background, or null for the system's.
  virtual HBRUSH OnCtlColorEdit(HDC /*dc*/, HWND /*edit*/) { return nullptr; }
  // A reader asks for the window's accessible object of `objectId` (OBJID_CLIENT and the like).
  virtual Handled OnGetObject(LONG /*objectId*/, WPARAM /*flags*/) { return {}; }
  // The window's interface state changed (focus cues shown or hidden), already recorded.
  virtual void OnUiStateChanged() {}
  // A reader asked for the default action of the window's object (child 0) or of one of its
  // simple children; it runs here, outside the reader's call.
  virtual void OnAccessibleAction(LONG /*child*/) {}
  virtual void OnDestroy() {}
  // A message of the window's own (WM_USER and above) or none of the above.
  virtual Handled OnOther(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return {}; }

  // Hands the message being handled now, unchanged, to another window (a control gives the keys
  // it does not take to its form); that window's result.
  LRESULT ForwardMessage(HWND to) const;

 private:
  friend class BufferedWindow;
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The one extension point before the typed handlers, for the buffered window; true when the
  // message was handled, `result` then being what the procedure returns.
  virtual bool Intercept(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) { return false; }
  // Decodes the message into its typed handler.
  Handled Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  struct Current {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  } current_{};
};

// The message a reader's default action is posted as (wParam: the child), so that it runs after
// the reader's call has returned.
inline constexpr UINT kAccessibleActionMessage = WM_APP + 0x3A1;

// A window whose look lives in a retained back buffer of its client size; WM_PAINT and
// WM_PRINTCLIENT copy it out, the background is never erased.
class BufferedWindow : public Window {
 public:
  HDC BufferDC() const { return buffer_.dc(); }
  const BackBuffer& Buffer() const { return buffer_; }
  COLORREF BackColor() const { return backColor_; }
  void SetBackColor(COLORREF color) { backColor_ = color; }

  // Copies the retained image to dc (client coordinates): the one paint of the window.
  void PaintTo(HDC dc, const RECT& area) const { buffer_.CopyTo(dc, area); }
  // Shows what was drawn into the buffer.
  void ShowBuffer() const;

 protected:
  // WM_SIZE, before the buffer follows the client size: the window may change its size again
  // here, and the buffer then takes the final one.
  virtual void OnSize() {}
  // The buffer has its new size (contents kept where they fit).
  virtual void OnBufferResized() {}

 private:
  bool Intercept(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) final;

  BackBuffer buffer_;
  COLORREF backColor_ = RGB(255, 255, 255);
};

// A borderless top-level window.
class Form : public BufferedWindow {
 public:
  bool CreateForm(const wchar_t* title, int x, int y, int width, int height, HWND owner = nullptr,
                  DWORD exStyle = 0);
};

// A borderless child control.
class ChildControl : public BufferedWindow {
 protected:
  bool CreateChild(const wchar_t* className, UINT classStyle, HWND parent, int x, int y, int width,
                   int height);
  // Fills `area` of the buffer with the back colour, then with what the parent shows beneath the
  // control there (a parent that paints on WM_PRINTCLIENT, like every buffered window, shows
  // through transparent pixels of a skin). A form that repaints its own image later has its
  // controls redraw (DrawPicture) to pick the new background up.
  void PaintParentBackground(const RECT& area);
};
