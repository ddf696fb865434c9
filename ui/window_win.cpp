#include "ui/window.h"

#include <windowsx.h>

Window::~Window() {
  if (hwnd_) {
    HWND hwnd = hwnd_;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
}

bool Window::Create(const wchar_t* className, UINT classStyle, DWORD exStyle, DWORD style,
                    const wchar_t* title, int x, int y, int width, int height, HWND parent) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, className, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) return false;
  }
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                         instance, this) != nullptr;
}

namespace {

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

MouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return MouseButton::Left;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return MouseButton::Right;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return MouseButton::Middle;
  }
  return MouseButton::X;
}

}  // namespace

Window::Handled Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE:
      return OnMouseMove(wParam, PointOf(lParam));
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_XBUTTONDOWN:
      return OnMouseDown(ButtonOf(msg), wParam, PointOf(lParam));
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: case WM_XBUTTONUP:
      return OnMouseUp(ButtonOf(msg), wParam, PointOf(lParam));
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: case WM_XBUTTONDBLCLK:
      return OnMouseDoubleClick(ButtonOf(msg), wParam, PointOf(lParam));
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      return OnKeyDown(static_cast<UINT>(wParam), msg == WM_SYSKEYDOWN);
    case WM_KEYUP: case WM_SYSKEYUP:
      return OnKeyUp(static_cast<UINT>(wParam), msg == WM_SYSKEYUP);
    case WM_TIMER:
      return OnTimer(wParam);
    case WM_CLOSE:
      return OnClose();
    case WM_DISPLAYCHANGE:
      OnDisplayChange();
      return {};
    case WM_SETCURSOR:
      return OnSetCursor(LOWORD(lParam));
    case WM_ACTIVATE:
      return OnActivate(LOWORD(wParam) != WA_INACTIVE);
    case WM_SETFOCUS:
      OnSetFocus();
      return {};
    case WM_KILLFOCUS:
      OnKillFocus();
      return {};
    case WM_DPICHANGED: {
      RECT suggested{};
      if (lParam) suggested = *reinterpret_cast<const RECT*>(lParam);
      else GetWindowRect(hwnd_, &suggested);
      return OnDpiChanged(LOWORD(wParam), suggested);
    }
    case WM_CTLCOLOREDIT:
      if (HBRUSH brush = OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
        return reinterpret_cast<LRESULT>(brush);
      return {};
    case WM_GETOBJECT:
      // Compared as the 32-bit number it is: some systems widen it without its sign.
      return OnGetObject(static_cast<LONG>(lParam), wParam);
    case WM_UPDATEUISTATE: {
      const LRESULT result = DefWindowProcW(hwnd_, msg, wParam, lParam);  // records it, tells the children
      OnUiStateChanged();
      return result;
    }
    case kAccessibleActionMessage:
      OnAccessibleAction(static_cast<LONG>(wParam));
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return {};
  }
  return OnOther(msg, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);

  LRESULT result = 0;
  bool handled = false;
  const Current outer = self->current_;
  self->current_ = {msg, wParam, lParam};
  try {
    if (self->Intercept(msg, wParam, lParam, result)) {
      handled = true;
    } else if (const Handled typed = self->Dispatch(msg, wParam, lParam)) {
      result = *typed;
      handled = true;
    }
  } catch (...) {
    handled = false;  // nothing crosses the window procedure
  }
  // A handler may have destroyed the object (a control destroyed by its own Click): it unbinds
  // itself then, and nothing of it is touched.
  if (reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) != self) return handled ? result : DefWindowProcW(hwnd, msg, wParam, lParam);
  self->current_ = outer;
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return handled ? result : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT Window::ForwardMessage(HWND to) const {
  return SendMessageW(to, current_.msg, current_.wParam, current_.lParam);
}

void BufferedWindow::ShowBuffer() const {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

bool BufferedWindow::Intercept(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_SIZE:
      OnSize();
      [[fallthrough]];
    case WM_CREATE: {
      RECT client{};
      GetClientRect(hwnd(), &client);
      if (!buffer_ || buffer_.width() != client.right || buffer_.height() != client.bottom) {
        if (buffer_.Resize(client.right, client.bottom, backColor_)) OnBufferResized();
      }
      result = 0;
      return msg == WM_SIZE;
    }
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_NCDESTROY:
      buffer_.Reset();  // a window destroyed with its form gives its image back at once
      return false;
    case WM_PAINT: {
      PaintScope paint(hwnd());
      PaintTo(paint.dc(), paint.area());
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(hwnd(), &client);
      PaintTo(reinterpret_cast<HDC>(wParam), client);
      result = 0;
      return true;
    }
  }
  return false;
}

bool Form::CreateForm(const wchar_t* title, int x, int y, int width, int height, HWND owner,
                      DWORD exStyle) {
  return Create(L"LumivaleForm", 0, exStyle, WS_POPUP | WS_CLIPCHILDREN, title, x, y, width,
                height, owner);
}

bool ChildControl::CreateChild(const wchar_t* className, UINT classStyle, HWND parent, int x,
                               int y, int width, int height) {
  return Create(className, classStyle, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, nullptr, x, y,
                width, height, parent);
}

void ChildControl::PaintParentBackground(const RECT& area) {
  HDC dc = BufferDC();
  if (!dc) return;
  FillSolid(dc, area, BackColor());

  HWND parent = GetParent(hwnd());
  if (!parent) return;
  POINT origin{0, 0};
  MapWindowPoints(hwnd(), parent, &origin, 1);
  // The parent paints its client area shifted so that our (0, 0) is its `origin`; clipped to
  // `area` so that the rest of the retained image stays as it is.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  POINT oldOrigin{};
  SetViewportOrgEx(dc, -origin.x, -origin.y, &oldOrigin);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, saved);
}
