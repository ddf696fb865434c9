#include "dialog/set_form.h"

#include <shellapi.h>

#include "base/wide.h"
#include "magnetic/magnetic_windows.h"
#include "msgbox/app_icon.h"
#include "msgbox/msgbox_service.h"
#include "ui/fonts.h"
#include "ui/late_load.h"
#include "ui/text.h"

const wchar_t* const kOrvaneTeamPage = L"https://orvane-team.example/";
const wchar_t* const kPavoVideoPage = L"https://orvane-team.example/pavo-pv";

namespace {

constexpr int kWidth = 370, kHeight = 250;
constexpr COLORREF kHeadingColor = RGB(140, 50, 50);

}  // namespace

SetForm::SetForm(SettingsState& settings)
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
      settings_(settings) {
  DefineMethod(u"App_Path_MouseLeave", [this] { App_Path_MouseLeave(); });
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

  // The buttons and the path box: before the dialog paints its image, as they always were.
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
  CreatePathBox();

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
      settings_.SettingsSaved = false;
      settings_.Settings.InterpolationMode = static_cast<std::uint8_t>(i);
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
      settings_.SettingsSaved = false;
      settings_.Settings.*setting = box.value() != 0;
    };
    if (settings_.Settings.*c.setting) box.SetValue(1);  // its click runs as the user's would; the load ends saved
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
  if (appPath_) SetWindowTextW(appPath_, settings_.Settings.BGMfile.empty() ? L"" : Wide(settings_.Settings.BGMfile).c_str());
  if (settings_.Settings.InterpolationMode <= 5) opQuality_[settings_.Settings.InterpolationMode].SetValue(true);
  RoundCorners(kWidth, kHeight);
  settings_.SettingsSaved = true;
  return true;
}

void SetForm::Show() {
  if (!Load()) return;
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void SetForm::Paint() {
  HDC dc = BufferDC();
  if (!dc) return;
  FillSolid(dc, RECT{0, 0, kWidth, kHeight}, RGB(255, 255, 255));
  DrawPicturePart(dc, background_, 0, 0, 0, 0, kWidth, kHeight);
  DrawCaption(dc, captionFont_.get(), L"Lumivale! Screen Saver - Setting", RECT{8, 2, 8 + 300, 2 + 13});

  // The rules first, then the headings on them: their blanks cut the rule like a group title.
  static constexpr RECT kRules[] = {{24, 45, 345, 45}, {24, 85, 345, 85}, {152, 96, 152, 201}};
  for (const RECT& r : kRules) {
    UniquePen pen(CreatePen(PS_SOLID, 1, kHeadingColor));
    SelectScope select(dc, pen.get());
    MoveToEx(dc, r.left, r.top, nullptr);
    LineTo(dc, r.right, r.bottom);
  }
  const HFONT font = DialogFont();
  DrawTextBox(dc, font, kHeadingColor, true, L" BGM 경로 ", RECT{44, 40, 44 + 64, 40 + 12});
  DrawTextBox(dc, font, kHeadingColor, true, L" 영상 화질 ", RECT{44, 80, 44 + 60, 80 + 12});
  DrawTextBox(dc, font, kHeadingColor, true, L" 특수 설정 ", RECT{168, 80, 168 + 60, 80 + 12});
  // A label wraps at word breaks within its box.
  DrawTextBox(dc, boldFont_.get(), kHeadingColor, false, L"Lumivale Screen Saver", RECT{160, 136, 160 + 113, 136 + 25},
              DT_WORDBREAK);
  DrawTextBox(dc, font, RGB(0, 0, 0), false, L"Orvane Team에서 리모델링된 스크린 세이버입니다",
              RECT{16, 224, 16 + 297, 224 + 17});
  DrawPicturePart(dc, thumb_, 280, 136, 0, 0, 70, 70);
  DrawPathBoxFrame(dc);
  ShowBuffer();
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
      if (reinterpret_cast<HWND>(lParam) == appPath_)
        return reinterpret_cast<LRESULT>(PathBoxColors(reinterpret_cast<HDC>(wParam)));
      break;
  }
  return {};
}

SetForm& SettingsDialog() {
  static std::unique_ptr<SetForm> slot;
  if (!slot) {
    slot = std::make_unique<SetForm>();
    slot->Load();
  }
  return *slot;
}
