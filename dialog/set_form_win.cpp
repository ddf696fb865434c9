#include "dialog/set_form.h"

#include <commdlg.h>
#include <shellapi.h>

#include "base/wide.h"
#include "controls/mouse_leave.h"
#include "controls/track_tip.h"
#include "dialog/open_dialog.h"
#include "magnetic/magnetic_windows.h"
#include "msgbox/app_icon.h"
#include "msgbox/msgbox_service.h"
#include "settings/settings_store.h"
#include "ui/fonts.h"
#include "ui/late_load.h"
#include "ui/late_load.h"
#include "ui/message_loop.h"
#include "ui/window_utils.h"

const wchar_t* const kOrvaneTeamPage = L"https://orvane-team.example/";
const wchar_t* const kPavoVideoPage = L"https://orvane-team.example/pavo-pv";

namespace {

constexpr int kWidth = 370, kHeight = 250;
constexpr UINT_PTR kWaitForProcTimer = 1;
constexpr int kPathBoxId = 100;
constexpr COLORREF kHeadingColor = RGB(140, 50, 50);
constexpr COLORREF kFrameIdle = RGB(229, 203, 203), kFrameHot = RGB(191, 130, 130);
constexpr COLORREF kPathTextIdle = RGB(64, 64, 64), kPathBack = RGB(241, 228, 228);
constexpr RECT kTxtSh{24, 56, 24 + 292, 56 + 15};

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  UniquePen pen(CreatePen(PS_SOLID, 1, color));
  SelectScope select(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void FrameRectangle(HDC dc, const RECT& r, COLORREF color) {
  UniqueBrush brush(CreateSolidBrush(color));
  FrameRect(dc, &r, brush.get());
}

bool ModifierHeld() { return ShiftState() != 0; }

std::unique_ptr<SetForm>& DialogSlot() {
  static std::unique_ptr<SetForm> dialog;
  return dialog;
}

}  // namespace

SetForm::SetForm()
    : EndProgramAction([](bool) { ExitProcess(0); }),
      OpenPage([](const wchar_t* page) {
        static auto* const open = LateFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
        if (open) open(nullptr, L"OPEN", page, nullptr, nullptr, SW_SHOWNORMAL);
      }),
      ShowMessage([this](const std::wstring& prompt, int style, const std::wstring& title) {
        return ShowMsgBox(prompt, style, title, hwnd());
      }),
      background_(LoadPicture(L"SKIN_DIALOG_BG")),
      thumb_(LoadPicture(L"SKIN_THUMB")),
      closeSkin_(LoadPicture(L"SKIN_CLOSE")),
      folderSkin_(LoadPicture(L"SKIN_FOLDER")),
      saveSkin_(LoadPicture(L"SKIN_SAVE")),
      boldFont_(MakeHangulFont(9, FW_BOLD)),
      captionFont_(MakeHangulFont(8.25, FW_BOLD)),
      pathBrush_(CreateSolidBrush(kPathBack)) {
  DefineMethod(u"App_Path_MouseLeave", [this] { App_Path_MouseLeave(); });
}

SetForm::~SetForm() {
  KillTimer(hwnd(), kWaitForProcTimer);
  magnetic_.reset();  // unhooks the window before it goes
}

bool SetForm::Load() {
  if (hwnd()) return true;
  RECT work{0, 0, 800, 600};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - kWidth) / 2;
  const int y = work.top + (work.bottom - work.top - kHeight) / 2;
  if (!CreateSkinnedForm(L"Lumivale! Screen Saver - Setting", x, y, kWidth, kHeight, WS_EX_APPWINDOW))
    return false;
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);

  // The buttons: before the dialog paints its image, as they always were.
  const struct {
    Button& button;
    const Picture& skin;
    int x, y, width, height;
    const char16_t* tip;
    std::function<void()> click;
  } buttons[] = {
      // cppcheck-suppress constStatement ; a row of the table, not a comma expression
      {unloadButton_, closeSkin_, 330, 0, 33, 14, u"환경설정 닫기", [this] { Unload(); }},
      {folderView_, folderSkin_, 320, 54, 20, 19, u"BGM 변경", [this] { ChooseMusicFile(); }},
      {okButton_, saveSkin_, 317, 218, 40, 19, u"설정 저장 (Enter)", [this] { Save(); }},
  };
  for (const auto& b : buttons) {
    b.button.Create(hwnd(), b.x, b.y, b.width, b.height);
    b.button.SetButtonSkin(&b.skin);
    b.button.SetTrackTipText(b.tip);
    b.button.Click = b.click;
  }

  appPath_ = CreateWindowExW(0, L"EDIT", L"Program Path", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 26, 58,
                             288, 11, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPathBoxId)),
                             GetModuleHandleW(nullptr), nullptr);
  if (appPath_) {
    SendMessageW(appPath_, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    SendMessageW(appPath_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    pathBoxHooks_.HookWindow(appPath_);
    for (const UINT message : {WM_CHAR, WM_KEYDOWN, WM_SYSKEYDOWN, WM_KILLFOCUS, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                               WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_NCDESTROY})
      pathBoxHooks_.HookMessage(appPath_, message, kHookBefore);
    pathBoxHooks_.HookMessage(appPath_, WM_KEYUP, kHookAfter);
  }

  Paint();  // first, so that the controls below take their background from it

  static const char16_t* const kQualityText[6][2] = {
      {u"고화질 Bicubic", u"고화질 Bicubic 사용하기"}, {u"고화질 Bilinear", u"고화질 Bilinear 사용하기"},
      {u"Bicubic", u"Bicubic 사용하기"},             {u"Bilinear", u"Bilinear 사용하기"},
      {u"선명하게 (무처리)", u"선명하게 표시 (처리 안함)"}, {u"기본값", u"기본값으로 표현"}};
  for (int i = 0; i < 6; ++i) {
    OptionBox& option = opQuality_[static_cast<size_t>(i)];
    option.Create(hwnd(), 24, 96 + 18 * i, 121, 18);
    option.SetCaption(kQualityText[i][0]);
    option.SetTrackTipText(kQualityText[i][1]);
    option.Click = [this, i] {
      SettingsSaved = false;
      Settings.InterpolationMode = static_cast<std::uint8_t>(i);
    };
  }
  const struct {
    CheckBox& box;
    int y;
    const char16_t *caption, *tip;
    bool SettingsRecord::*setting;
  } checks[] = {
      {omake1_, 96, u"화면과 동기화 하지 않음", u"화면 크기에 맞춰 재생하지 않습니다", &SettingsRecord::Omake1},
      {omake2_, 114, u"배경을 흰색으로 처리", u"배경에 바탕화면을 비추지 않고 흰색으로 처리합니다", &SettingsRecord::Omake2},
  };
  for (const auto& c : checks) {
    CheckBox& box = c.box;
    box.Create(hwnd(), 160, c.y, 185, 18);
    box.SetCaption(c.caption);
    box.SetTrackTipText(c.tip);
    box.Click = [this, &box, setting = c.setting] {
      SettingsSaved = false;
      Settings.*setting = box.value() != 0;
    };
  }
  const struct {
    HyperLink& link;
    int y, width;
    const char16_t *prompt, *tip;
    const wchar_t* page;
  } links[] = {
      {goPavo_, 168, 102, u"파보 PV 영상보기", u"파보 원본 PV 영상 보러가기", kPavoVideoPage},
      {goHome_, 184, 93, u"Orvane Team", u"Orvane Team 바로가기", kOrvaneTeamPage},
  };
  for (const auto& l : links) {
    l.link.Create(hwnd(), 160, l.y, l.width, 12);
    l.link.SetPrompt(l.prompt);
    l.link.SetTrackTipText(l.tip);
    l.link.Click = [this, page = l.page] { OpenPage(page); };
  }

  // The load step proper.
  SetAppIcon(hwnd());
  magnetic_ = std::make_unique<MagneticWindows>();
  magnetic_->AddWindow(hwnd(), nullptr, [this] { OnSystemClose(); });
  if (appPath_) SetWindowTextW(appPath_, Settings.BGMfile.empty() ? L"" : Wide(Settings.BGMfile).c_str());
  if (Settings.InterpolationMode <= 5) opQuality_[Settings.InterpolationMode].SetValue(true);
  if (Settings.Omake1) omake1_.SetValue(1);
  if (Settings.Omake2) omake2_.SetValue(1);
  RoundCorners(kWidth, kHeight);
  SettingsSaved = true;
  return true;
}

void SetForm::Show() {
  if (!Load()) return;
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void SetForm::SetWaitForProc(bool on) {
  if (!hwnd()) return;
  if (on)
    SetTimer(hwnd(), kWaitForProcTimer, 1000, nullptr);
  else
    KillTimer(hwnd(), kWaitForProcTimer);
}

std::wstring SetForm::PathText() const {
  if (!appPath_) return L"";
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(appPath_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(appPath_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetForm::Paint() {
  HDC dc = BufferDC();
  if (!dc) return;
  FillSolid(dc, RECT{0, 0, kWidth, kHeight}, RGB(255, 255, 255));
  DrawPicturePart(dc, background_, 0, 0, 0, 0, kWidth, kHeight);
  DrawCaption(dc, captionFont_.get(), L"Lumivale! Screen Saver - Setting", RECT{8, 2, 8 + 300, 2 + 13});

  // The rules first, then the headings on them: their blanks cut the rule like a group title.
  DrawLine(dc, 24, 45, 345, 45, kHeadingColor);
  DrawLine(dc, 24, 85, 345, 85, kHeadingColor);
  DrawLine(dc, 152, 96, 152, 201, kHeadingColor);
  HFONT font = DialogFont();
  DrawLabel(dc, font, L" BGM 경로 ", RECT{44, 40, 44 + 64, 40 + 12}, kHeadingColor, true);
  DrawLabel(dc, font, L" 영상 화질 ", RECT{44, 80, 44 + 60, 80 + 12}, kHeadingColor, true);
  DrawLabel(dc, font, L" 특수 설정 ", RECT{168, 80, 168 + 60, 80 + 12}, kHeadingColor, true);
  // A label wraps at word breaks within its box.
  DrawLabel(dc, boldFont_.get(), L"Lumivale Screen Saver", RECT{160, 136, 160 + 113, 136 + 25}, kHeadingColor, false, DT_WORDBREAK);
  DrawLabel(dc, font, L"Orvane Team에서 리모델링된 스크린 세이버입니다", RECT{16, 224, 16 + 297, 224 + 17}, RGB(0, 0, 0), false);
  DrawPicturePart(dc, thumb_, 280, 136, 0, 0, 70, 70);

  RECT inner = kTxtSh;
  InflateRect(&inner, -1, -1);
  FillSolid(dc, inner, kPathBack);
  FrameRectangle(dc, kTxtSh, pathHot_ ? kFrameHot : kFrameIdle);
  ShowBuffer();
}

void SetForm::SetPathBoxHot(bool hot) {
  if (pathHot_ == hot) return;
  pathHot_ = hot;
  if (HDC dc = BufferDC()) {
    FrameRectangle(dc, kTxtSh, hot ? kFrameHot : kFrameIdle);
    InvalidateRect(hwnd(), &kTxtSh, FALSE);
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
  Settings.BGMfile = FromWide(PathText());
  SettingsSaved = false;
}

void SetForm::Save() {
  if (const DWORD error = SaveSettings(DiskCalls); error != ERROR_SUCCESS) {
    ShowMessage(L"설정 파일을 저장하지 못했습니다.\r\n" + SettingsPath + L"\r\n" + SystemErrorText(error), MB_ICONERROR,
                L"설정 저장 실패");
    return;
  }
  SettingsSaved = true;
  Unload();
}

bool SetForm::Unload() {
  if (!SettingsSaved &&
      ShowMsgBox(L"설정이 저장되지 않습니다.\r\n종료하시겠습니까?", MB_YESNO | MB_ICONEXCLAMATION, L"설정 무시하고 닫기",
                 hwnd()) == IDNO)
    return false;
  if (magnetic_) magnetic_->RemoveWindow(hwnd());
  KillTimer(hwnd(), kWaitForProcTimer);
  EndProgramAction(true);
  return true;
}

void SetForm::OnSystemClose() {
  // The close command goes on to the window after this; its WM_CLOSE must not ask again.
  closeAskedBySystem_ = true;
  Unload();
}

void SetForm::ServeCore(UniqueHandle process, std::function<void(bool closeCoreWindow)> endProgram) {
  coreProcess_ = std::move(process);
  EndProgramAction = std::move(endProgram);
}

void SetForm::OnWaitForProc() {
  if (WaitForSingleObject(coreProcess_.get(), 0) == WAIT_TIMEOUT) return;
  // Stopped first: the box's wait runs timers, and every further tick would stack another box.
  KillTimer(hwnd(), kWaitForProcTimer);
  coreProcess_.reset();
  ShowMsgBox(L"LumivaleCore.dll 미싱에러", MB_ICONERROR, L"유지 불가", hwnd());
  EndProgramAction(false);
}

void SetForm::OnKeyDown(WPARAM key) { enter_.KeyDown(static_cast<unsigned>(key), ModifierHeld()); }

void SetForm::OnKeyUp(WPARAM key) {
  if (enter_.KeyUp(static_cast<unsigned>(key), ModifierHeld())) Save();
}

Window::Handled SetForm::OnTimer(UINT_PTR id) {
  if (id == kWaitForProcTimer) OnWaitForProc();
  return 0;
}

Window::Handled SetForm::OnKey(UINT msg, WPARAM key, LPARAM) {
  switch (msg) {
    case WM_KEYDOWN:
    // With no window holding the keyboard (as after a message box, which disabled the dialog),
    // keys reach the active window as system keys.
    case WM_SYSKEYDOWN:
      OnKeyDown(key);
      break;
    case WM_KEYUP:
      OnKeyUp(key);
      return 0;
    case WM_SYSKEYUP:
      if (key == VK_RETURN) OnKeyUp(key);
      break;
  }
  return {};
}

Window::Handled SetForm::OnClose() {
  // Alt+F4 and the task bar arrive as the system close command, which has run the unload path
  // already; any other close runs it here. The window is never destroyed by a close.
  if (closeAskedBySystem_)
    closeAskedBySystem_ = false;
  else
    Unload();
  return 0;
}

Window::Handled SetForm::OnOther(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KILLFOCUS:
      enter_.FocusLost();
      break;
    case WM_ACTIVATE:
      // The dialog takes the keyboard when it becomes active with nothing of its own holding it
      // (as on its first show and after a message box, which disabled it).
      if (LOWORD(wParam) != WA_INACTIVE) {
        HWND focus = GetFocus();
        if (!focus || (focus != hwnd() && !IsChild(hwnd(), focus))) SetFocus(hwnd());
      }
      return 0;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) == appPath_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, pathHot_ ? RGB(0, 0, 0) : kPathTextIdle);
        SetBkColor(dc, kPathBack);
        return reinterpret_cast<LRESULT>(pathBrush_.get());
      }
      break;
  }
  return {};
}

void SetForm::SubclassProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                             WPARAM& wParam, LPARAM& lParam) {
  const HWND hwnd = lng_hWnd;
  switch (uMsg) {
    case WM_CHAR:
      if (wParam == 1) {  // Ctrl+A
        SendMessageW(hwnd, EM_SETSEL, 0, GetWindowTextLengthW(hwnd));
        bHandled = true;
      } else if (wParam == VK_RETURN) {
        bHandled = true;  // no beep; the key's release still saves
      }
      if (bHandled) lReturn = 0;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      OnKeyDown(wParam);
      break;
    case WM_KILLFOCUS:
      enter_.FocusLost();
      break;
    case WM_KEYUP:
      if (!bBefore) OnKeyUp(wParam);  // after the box has had the key
      break;
    case WM_MOUSEMOVE: {
      HookMouseLeave(hwnd, u"App_Path", this, u"");
      const auto buttons = static_cast<std::uint8_t>(MouseButtons(wParam));
      UpdateWindowTip(hwnd, buttons, FromWide(PathText()), false, static_cast<short>(LOWORD(lParam)),
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
      pathBoxHooks_.UnhookWindow(hwnd);  // the box's own procedure still gets the message
      appPath_ = nullptr;
      break;
  }
}

SetForm& SettingsDialog() {
  auto& slot = DialogSlot();
  if (!slot) {
    slot = std::make_unique<SetForm>();
    slot->Load();
  }
  return *slot;
}
