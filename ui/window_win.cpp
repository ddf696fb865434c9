#include "ui/window.h"

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

bool Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  Handled handled;
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
    handled = OnMouse(msg, wParam, lParam);
  else if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST)
    handled = OnKey(msg, wParam, lParam);
  else if (msg == WM_TIMER)
    handled = OnTimer(wParam);
  else if (msg == WM_CLOSE)
    handled = OnClose();
  else
    handled = OnOther(msg, wParam, lParam);
  if (handled) result = *handled;
  return handled.has_value();
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
  try {
    handled = self->OnMessage(msg, wParam, lParam, result);
  } catch (...) {
    handled = false;  // nothing crosses the window procedure
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return handled ? result : DefWindowProcW(hwnd, msg, wParam, lParam);
}

void BufferedWindow::ShowBuffer() const {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

bool BufferedWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
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
  return Window::OnMessage(msg, wParam, lParam, result);
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
