// The settings dialog's BGM path box: a system EDIT on the dialog, hooked for its keys, its
// tooltip and its hot frame, and the file chooser behind the folder button.
#include "dialog/set_form.h"

#include <commdlg.h>

#include "base/wide.h"
#include "controls/mouse_leave.h"
#include "controls/track_tip.h"
#include "dialog/open_dialog.h"
#include "ui/fonts.h"
#include "ui/message_loop.h"
#include "ui/window_utils.h"

namespace {

constexpr int kPathBoxId = 100;
constexpr COLORREF kFrameIdle = RGB(229, 203, 203), kFrameHot = RGB(191, 130, 130);
constexpr COLORREF kPathTextIdle = RGB(64, 64, 64), kPathBack = RGB(241, 228, 228);
// The frame around the box and the box itself, at 96 DPI: left, top, width, height.
constexpr int kTxtSh[4] = {24, 56, 292, 15}, kAppPath[4] = {26, 58, 288, 11};

RECT FrameAt(int dpi) {
  return ToRECT(ScaleBox(kTxtSh[0], kTxtSh[1], kTxtSh[2], kTxtSh[3], dpi));
}

}  // namespace

void SetForm::CreatePathBox() {
  pathBrush_.reset(CreateSolidBrush(kPathBack));
  const Rect r = ScaleBox(kAppPath[0], kAppPath[1], kAppPath[2], kAppPath[3], dpi_);
  appPath_ = CreateWindowExW(0, L"EDIT", L"Program Path", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, r.left, r.top,
                             Width(r), Height(r), hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPathBoxId)),
                             GetModuleHandleW(nullptr), nullptr);
  if (!appPath_) return;
  SendMessageW(appPath_, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi_)), FALSE);
  SendMessageW(appPath_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  pathBoxHooks_.HookWindow(appPath_);
  for (const UINT message : {WM_CHAR, WM_KEYDOWN, WM_SYSKEYDOWN, WM_KILLFOCUS, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                             WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_NCDESTROY})
    pathBoxHooks_.HookMessage(appPath_, message, kHookBefore);
  pathBoxHooks_.HookMessage(appPath_, WM_KEYUP, kHookAfter);
}

void SetForm::PlacePathBox() {
  if (!appPath_) return;
  const Rect r = ScaleBox(kAppPath[0], kAppPath[1], kAppPath[2], kAppPath[3], dpi_);
  SendMessageW(appPath_, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi_)), FALSE);
  SetWindowPos(appPath_, nullptr, r.left, r.top, Width(r), Height(r), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring SetForm::PathText() const {
  if (!appPath_) return L"";
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(appPath_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(appPath_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetForm::DrawPathBoxFrame(HDC dc) {
  const RECT frame = FrameAt(dpi_);
  RECT inner = frame;
  const int line = ScaleLine(1, dpi_);
  InflateRect(&inner, -line, -line);
  FillSolid(dc, frame, pathHot_ ? kFrameHot : kFrameIdle);
  FillSolid(dc, inner, kPathBack);
}

HBRUSH SetForm::PathBoxColors(HDC dc) const {
  SetTextColor(dc, pathHot_ ? RGB(0, 0, 0) : kPathTextIdle);
  SetBkColor(dc, kPathBack);
  return pathBrush_.get();
}

void SetForm::SetPathBoxHot(bool hot) {
  if (pathHot_ == hot) return;
  pathHot_ = hot;
  if (HDC dc = BufferDC()) {
    DrawPathBoxFrame(dc);
    const RECT frame = FrameAt(dpi_);
    InvalidateRect(hwnd(), &frame, FALSE);
  }
  if (appPath_) InvalidateRect(appPath_, nullptr, TRUE);
}

void SetForm::App_Path_MouseLeave() {
  UpdateWindowTip(nullptr, 0, u"", false, 0, 0);
  SetPathBoxHot(false);
}

void SetForm::ChooseMusicFile() {
  DWORD flags = OFN_EXPLORER;
  std::wstring file = PathText();
  std::wstring filter = L"지원 음악파일(*.wav;*.mp3)|*.wav;*.mp3|";
  if (!ShowOpenDialog(hwnd(), flags, file, L"BGM 변경", filter, L"")) return;
  if (appPath_) SetWindowTextW(appPath_, file.c_str());
  settings_.Settings.BGMfile = FromWide(PathText());
  settings_.SettingsSaved = false;
}

void SetForm::SubclassProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                             WPARAM& wParam, LPARAM& lParam) {
  switch (uMsg) {
    case WM_CHAR:
      if (wParam == 1) {  // Ctrl+A
        SendMessageW(lng_hWnd, EM_SETSEL, 0, GetWindowTextLengthW(lng_hWnd));
        bHandled = true;
      } else if (wParam == VK_RETURN) {
        bHandled = true;  // no beep; the key's release still saves
      }
      if (bHandled) lReturn = 0;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      KeyDown(wParam);
      break;
    case WM_KILLFOCUS:
      enter_.FocusLost();
      break;
    case WM_KEYUP:
      if (!bBefore) KeyUp(wParam);  // after the box has had the key
      break;
    case WM_MOUSEMOVE: {
      HookMouseLeave(lng_hWnd, u"App_Path", this, u"");
      const auto buttons = static_cast<std::uint8_t>(MouseButtons(wParam));
      UpdateWindowTip(lng_hWnd, buttons, FromWide(PathText()), false, static_cast<short>(LOWORD(lParam)),
                      static_cast<short>(HIWORD(lParam)));
      SetPathBoxHot(true);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      UpdateWindowTip(nullptr, 0, u"", false, 0, 0);
      RunPendingMessages();
      SetPathBoxHot(true);
      break;
    case WM_NCDESTROY:
      pathBoxHooks_.UnhookWindow(lng_hWnd);  // the box's own procedure still gets the message
      appPath_ = nullptr;
      break;
  }
}
