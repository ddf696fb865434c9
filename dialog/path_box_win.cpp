#include "dialog/path_box.h"

#include "base/dpi.h"
#include "base/wide.h"
#include "controls/mouse_leave.h"
#include "controls/track_tip.h"
#include "dialog/dialog_layout.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/message_loop.h"
#include "ui/window_utils.h"

namespace {

constexpr int kPathBoxId = 100;
constexpr COLORREF kFrameIdle = RGB(229, 203, 203), kFrameHot = RGB(191, 130, 130);
constexpr COLORREF kPathTextIdle = RGB(64, 64, 64), kPathBack = RGB(241, 228, 228);

RECT FrameAt(int dpi) { return ToRECT(ScaledPlace(kPathFramePlace, dpi)); }

}  // namespace

PathBox::PathBox(BufferedWindow& form) : form_(form) {
  DefineMethod(u"App_Path_MouseLeave", [this] { App_Path_MouseLeave(); });
}

PathBox::~PathBox() = default;

void PathBox::Create(int dpi) {
  dpi_ = dpi;
  brush_.reset(CreateSolidBrush(kPathBack));
  const Rect r = ScaledPlace(kPathBoxPlace, dpi_);
  edit_ = CreateWindowExW(0, L"EDIT", L"Program Path", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, r.left, r.top, Width(r),
                          Height(r), form_.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPathBoxId)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!edit_) return;
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi_)), FALSE);
  SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  hooks_.HookWindow(edit_);
  for (const UINT message : {WM_CHAR, WM_KEYDOWN, WM_SYSKEYDOWN, WM_SETFOCUS, WM_KILLFOCUS, WM_MOUSEMOVE,
                             WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_GETOBJECT, WM_NCDESTROY})
    hooks_.HookMessage(edit_, message, kHookBefore);
  hooks_.HookMessage(edit_, WM_KEYUP, kHookAfter);
}

void PathBox::Place(int dpi) {
  dpi_ = dpi;
  if (!edit_) return;
  const Rect r = ScaledPlace(kPathBoxPlace, dpi_);
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi_)), FALSE);
  SetWindowPos(edit_, nullptr, r.left, r.top, Width(r), Height(r), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring PathBox::Text() const {
  if (!edit_) return L"";
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void PathBox::SetText(const std::wstring& text) {
  if (edit_) SetWindowTextW(edit_, text.c_str());
}

void PathBox::DrawFrame(HDC dc) const {
  const RECT frame = FrameAt(dpi_);
  RECT inner = frame;
  const int line = ScaleLine(1, dpi_);
  InflateRect(&inner, -line, -line);
  FillSolid(dc, frame, hot_ ? kFrameHot : kFrameIdle);
  FillSolid(dc, inner, kPathBack);
}

HBRUSH PathBox::Colors(HDC dc) const {
  SetTextColor(dc, hot_ ? RGB(0, 0, 0) : kPathTextIdle);
  SetBkColor(dc, kPathBack);
  return brush_.get();
}

void PathBox::SetHot(bool hot) {
  if (hot_ == hot) return;
  hot_ = hot;
  if (HDC dc = form_.BufferDC()) {
    DrawFrame(dc);
    const RECT frame = FrameAt(dpi_);
    InvalidateRect(form_.hwnd(), &frame, FALSE);
  }
  if (edit_) InvalidateRect(edit_, nullptr, TRUE);
}

void PathBox::App_Path_MouseLeave() {
  UpdateWindowTip(nullptr, 0, u"", false, 0, 0);
  SetHot(false);
}

AccessibleFacts PathBox::Describe(LONG) {
  AccessibleFacts facts;
  facts.name = L"BGM 경로";  // its heading on the dialog
  facts.value = Text();
  facts.role = ROLE_SYSTEM_TEXT;
  facts.state = STATE_SYSTEM_FOCUSABLE;
  if (GetFocus() == edit_) facts.state |= STATE_SYSTEM_FOCUSED;
  if (hot_) facts.state |= STATE_SYSTEM_HOTTRACKED;
  return facts;
}

void PathBox::SubclassProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg, WPARAM& wParam,
                           LPARAM& lParam) {
  switch (uMsg) {
    case WM_CHAR:
      if (wParam == 1) {  // Ctrl+A
        SendMessageW(lng_hWnd, EM_SETSEL, 0, GetWindowTextLengthW(lng_hWnd));
        bHandled = true;
      } else if (wParam == VK_RETURN || wParam == VK_TAB || wParam == VK_ESCAPE) {
        bHandled = true;  // no beep: the dialog's keys; Enter's release still saves
      }
      if (bHandled) lReturn = 0;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (KeyDown) KeyDown(static_cast<UINT>(wParam));
      break;
    case WM_SETFOCUS:
      NotifyFocus(lng_hWnd);
      break;
    case WM_KILLFOCUS:
      if (FocusLost) FocusLost();
      break;
    case WM_KEYUP:
      if (!bBefore && KeyUp) KeyUp(static_cast<UINT>(wParam));  // after the box has had the key
      break;
    case WM_MOUSEMOVE: {
      HookMouseLeave(lng_hWnd, u"App_Path", this, u"");
      const auto buttons = static_cast<std::uint8_t>(MouseButtons(wParam));
      UpdateWindowTip(lng_hWnd, buttons, FromWide(Text()), false, static_cast<short>(LOWORD(lParam)),
                      static_cast<short>(HIWORD(lParam)));
      SetHot(true);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      UpdateWindowTip(nullptr, 0, u"", false, 0, 0);
      RunPendingMessages();
      SetHot(true);
      break;
    case WM_GETOBJECT:
      if (const auto answer = AnswerGetObject(lng_hWnd, wParam, static_cast<LONG>(lParam))) {
        lReturn = *answer;
        bHandled = true;
      }
      break;
    case WM_NCDESTROY:
      hooks_.UnhookWindow(lng_hWnd);  // the box's own procedure still gets the message
      edit_ = nullptr;
      break;
  }
}
