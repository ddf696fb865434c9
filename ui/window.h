#pragma once
// Window classes of the program: one static window procedure binds the C++ object at WM_NCCREATE
// and hands every message to the object's typed handler; unhandled messages go to DefWindowProc.
#include <windows.h>

#include <optional>

#include "ui/back_buffer.h"

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

  // Returns true when the message was handled; `result` is then what the procedure returns. By
  // default each message goes to its typed handler below.
  virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The typed handlers: each gives the procedure's result when it handled the message, nothing
  // when the message goes on to the default handling.
  using Handled = std::optional<LRESULT>;
  virtual Handled OnMouse(UINT /*msg*/, WPARAM /*keys*/, LPARAM /*point*/) { return {}; }  // WM_MOUSEFIRST..LAST
  virtual Handled OnKey(UINT /*msg*/, WPARAM /*key*/, LPARAM /*flags*/) { return {}; }     // WM_KEYFIRST..LAST
  virtual Handled OnTimer(UINT_PTR /*id*/) { return {}; }
  virtual Handled OnClose() { return {}; }
  virtual Handled OnOther(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return {}; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

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
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // WM_SIZE, before the buffer follows the client size: the window may change its size again
  // here, and the buffer then takes the final one.
  virtual void OnSize() {}
  // The buffer has its new size (contents kept where they fit).
  virtual void OnBufferResized() {}

 private:
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
