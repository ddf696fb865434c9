#include "dialog/set_form.h"

#include <shellapi.h>

#include "base/wide.h"
#include "magnetic/magnetic_windows.h"
#include "msgbox/app_icon.h"
#include "msgbox/msgbox_service.h"
#include "ui/fonts.h"
#include "ui/late_load.h"
#include "ui/text.h"
#include "ui/window_utils.h"

const wchar_t* const kOrvaneTeamPage = L"https://orvane-team.example/";
const wchar_t* const kPavoVideoPage = L"https://orvane-team.example/pavo-pv";

namespace {

constexpr int kWidth = 370, kHeight = 250, kCorner = 9;
constexpr COLORREF kHeadingColor = RGB(140, 50, 50), kCaptionColor = RGB(0x40, 0x40, 0x40);

// The controls' places at 96 DPI: left, top, width, height.
struct Place {
  int x, y, width, height;
};
constexpr Place kUnloadPlace{330, 0, 33, 14}, kFolderPlace{320, 54, 20, 19}, kOkPlace{317, 218, 40, 19};
constexpr Place kOmakePlaces[2] = {{160, 96, 185, 18}, {160, 114, 185, 18}};
constexpr Place kLinkPlaces[2] = {{160, 168, 102, 12}, {160, 184, 93, 12}};
constexpr Place OptionPlace(int index) { return {24, 96 + 18 * index, 121, 18}; }

// The rules: a start and a run along x and y (the end point itself is not drawn).
constexpr Place kRules[] = {{24, 45, 321, 0}, {24, 85, 321, 0}, {152, 96, 0, 105}};

}  // namespace

// Caption first, then the headings, which sit on the rules: their blanks cut a rule like a group
// title.
const SkinText kSkinTexts[6] = {
    {L"Lumivale! Screen Saver - Setting", 8, 2, 300, 13, SkinFont::Caption, DT_SINGLELINE, kCaptionColor, false},
    {L" BGM 경로 ", 44, 40, 64, 12, SkinFont::Plain, DT_SINGLELINE, kHeadingColor, true},
    {L" 영상 화질 ", 44, 80, 60, 12, SkinFont::Plain, DT_SINGLELINE, kHeadingColor, true},
    {L" 특수 설정 ", 168, 80, 60, 12, SkinFont::Plain, DT_SINGLELINE, kHeadingColor, true},
    {L"Lumivale Screen Saver", 160, 136, 113, 25, SkinFont::Bold, DT_WORDBREAK, kHeadingColor, false},  // wraps
    {L"Orvane Team에서 리모델링된 스크린 세이버입니다", 16, 224, 297, 17, SkinFont::Plain, DT_SINGLELINE, RGB(0, 0, 0), false},
};

template <class F>
void SetForm::ForEachControl(F&& f) {
  f(unloadButton_, kUnloadPlace);
  f(folderView_, kFolderPlace);
  f(okButton_, kOkPlace);
  for (int i = 0; i < 6; ++i) f(opQuality_[static_cast<size_t>(i)], OptionPlace(i));
  f(omake1_, kOmakePlaces[0]);
  f(omake2_, kOmakePlaces[1]);
  f(goPavo_, kLinkPlaces[0]);
  f(goHome_, kLinkPlaces[1]);
}

SetForm::SetForm(SettingsState& settings)
    : EndProgramAction([](bool) { ExitProcess(0); }),
      OpenPage([](const wchar_t* page) {
        static auto* const open = LateFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
        if (open) open(nullptr, L"OPEN", page, nullptr, nullptr, SW_SHOWNORMAL);
      }),
      ShowMessage([this](const std::wstring& prompt, int style, const std::wstring& title) {
        return ShowMsgBox(prompt, style, title, hwnd());
      }),
      settings_(settings) {
  DefineMethod(u"App_Path_MouseLeave", [this] { App_Path_MouseLeave(); });
}

void SetForm::LoadArt() {
  background_ = LoadPicture(L"SKIN_DIALOG_BG", dpi_);
  thumb_ = LoadPicture(L"SKIN_THUMB", dpi_);
  closeSkin_ = LoadPicture(L"SKIN_CLOSE", dpi_, {1, 3});
  folderSkin_ = LoadPicture(L"SKIN_FOLDER", dpi_, {1, 3});
  saveSkin_ = LoadPicture(L"SKIN_SAVE", dpi_, {1, 3});
  boldFont_ = MakeHangulFont(9, FW_BOLD, dpi_);
  captionFont_ = MakeHangulFont(8.25, FW_BOLD, dpi_);
}

HFONT SetForm::FontOf(SkinFont font) const {
  return font == SkinFont::Bold ? boldFont_.get() : font == SkinFont::Caption ? captionFont_.get() : DialogFont(dpi_);
}

bool SetForm::Load() {
  if (hwnd()) return true;
  // Until a core is served, the screen's DPI and the primary work area.
  dpi_ = WindowDpi(nullptr);
  LoadArt();
  const int width = Scale(kWidth, dpi_), height = Scale(kHeight, dpi_);
  RECT work{0, 0, 800, 600};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const Point place = CentredIn(FromRECT(work), width, height);
  if (!CreateSkinnedForm(L"Lumivale! Screen Saver - Setting", place.x, place.y, width, height, WS_EX_APPWINDOW))
    return false;
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi_)), FALSE);
  const auto create = [this](auto& control, const Place& p) {
    control.Create(hwnd(), Scale(p.x, dpi_), Scale(p.y, dpi_), Scale(p.width, dpi_), Scale(p.height, dpi_));
  };

  // The buttons and the path box: before the dialog paints its image, as they always were.
  const struct {
    Button& button;
    const Picture& skin;
    const Place& place;
    const char16_t* tip;
    std::function<void()> click;
  } buttons[] = {
      // cppcheck-suppress constStatement ; a row of the table, not a comma expression
      {unloadButton_, closeSkin_, kUnloadPlace, u"환경설정 닫기", [this] { Unload(); }},
      {folderView_, folderSkin_, kFolderPlace, u"BGM 변경", [this] { ChooseMusicFile(); }},
      {okButton_, saveSkin_, kOkPlace, u"설정 저장 (Enter)", [this] { Save(); }},
  };
  for (const auto& b : buttons) {
    create(b.button, b.place);
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
    create(option, OptionPlace(i));
    option.SetCaption(kQualityText[i][0]);
    option.SetTrackTipText(kQualityText[i][1]);
    option.Click = [this, i] {
      settings_.SettingsSaved = false;
      settings_.Settings.InterpolationMode = static_cast<std::uint8_t>(i);
    };
  }
  const struct {
    CheckBox& box;
    const Place& place;
    const char16_t *caption, *tip;
    bool SettingsRecord::*setting;
  } checks[] = {
      {omake1_, kOmakePlaces[0], u"화면과 동기화 하지 않음", u"화면 크기에 맞춰 재생하지 않습니다", &SettingsRecord::Omake1},
      {omake2_, kOmakePlaces[1], u"배경을 흰색으로 처리", u"배경에 바탕화면을 비추지 않고 흰색으로 처리합니다", &SettingsRecord::Omake2},
  };
  for (const auto& c : checks) {
    CheckBox& box = c.box;
    create(box, c.place);
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
    const Place& place;
    const char16_t *prompt, *tip;
    const wchar_t* page;
  } links[] = {
      {goPavo_, kLinkPlaces[0], u"파보 PV 영상보기", u"파보 원본 PV 영상 보러가기", kPavoVideoPage},
      {goHome_, kLinkPlaces[1], u"Orvane Team", u"Orvane Team 바로가기", kOrvaneTeamPage},
  };
  for (const auto& l : links) {
    create(l.link, l.place);
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
  RoundCorners(width, height, Scale(kCorner, dpi_));
  settings_.SettingsSaved = true;
  return true;
}

void SetForm::Arrange(int dpi) {
  if (!hwnd()) return;
  dpi_ = dpi;
  LoadArt();
  const int width = Scale(kWidth, dpi_), height = Scale(kHeight, dpi_);
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi_)), FALSE);
  SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlacePathBox();
  Paint();  // before the controls, which take their background from it
  ForEachControl([this](SkinnedControl& control, const Place& p) {
    control.SetDpi(dpi_);
    SetWindowPos(control.hWnd(), nullptr, Scale(p.x, dpi_), Scale(p.y, dpi_), Scale(p.width, dpi_), Scale(p.height, dpi_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  });
  unloadButton_.SetButtonSkin(&closeSkin_);  // the pictures of the new DPI, in the same places
  folderView_.SetButtonSkin(&folderSkin_);
  okButton_.SetButtonSkin(&saveSkin_);
  ForEachControl([](SkinnedControl& control, const Place&) { control.DrawPicture(); });
  RoundCorners(width, height, Scale(kCorner, dpi_));
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void SetForm::Show() {
  if (!Load()) return;
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void SetForm::Paint() {
  HDC dc = BufferDC();
  if (!dc) return;
  const auto S = [this](int v) { return Scale(v, dpi_); };
  FillSolid(dc, RECT{0, 0, S(kWidth), S(kHeight)}, RGB(255, 255, 255));
  DrawPicturePart(dc, background_, 0, 0, 0, 0, S(kWidth), S(kHeight));
  // The rules first, then the texts: the headings' blanks cut them.
  for (const Place& r : kRules) {
    UniquePen pen(CreatePen(PS_SOLID, ScaleLine(1, dpi_), kHeadingColor));
    SelectScope select(dc, pen.get());
    MoveToEx(dc, S(r.x), S(r.y), nullptr);
    LineTo(dc, S(r.x) + S(r.width), S(r.y) + S(r.height));
  }
  for (const SkinText& t : kSkinTexts) {
    const Rect box = ScaleBox(t.x, t.y, t.width, t.height, dpi_);
    DrawTextBox(dc, FontOf(t.font), t.color, t.opaque, t.text, ToRECT(box), t.format);
  }
  DrawPicturePart(dc, thumb_, S(280), S(136), 0, 0, S(70), S(70));
  DrawPathBoxFrame(dc);
  ShowBuffer();
}

// The dialog takes the keyboard when it becomes active with nothing of its own holding it (as on
// its first show and after a message box, which disabled it).
Window::Handled SetForm::OnActivate(bool active) {
  if (active) {
    HWND focus = GetFocus();
    if (!focus || (focus != hwnd() && !IsChild(hwnd(), focus))) SetFocus(hwnd());
  }
  return 0;
}

// Moved to a monitor of another scale: laid out anew at its DPI, in the rectangle offered.
Window::Handled SetForm::OnDpiChanged(int dpi, const RECT& r) {
  if (dpi > 0 && dpi != dpi_) Arrange(dpi);
  SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

HBRUSH SetForm::OnCtlColorEdit(HDC dc, HWND edit) { return edit == appPath_ ? PathBoxColors(dc) : nullptr; }

void PrepareSettingsDialog() {
  // The system's dialog class: no library of the dialog's is loaded for it, and it never shows.
  if (HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"#32770", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                               nullptr))
    DestroyWindow(w);
  // Through the manifest, as the EDIT's class redirection loads it; it stays for the dialog.
  static const HMODULE commonControls = LoadLibraryW(L"comctl32.dll");
  static_cast<void>(commonControls);
}

SetForm& SettingsDialog() {
  static std::unique_ptr<SetForm> slot;
  if (!slot) {
    slot = std::make_unique<SetForm>();
    slot->Load();
  }
  return *slot;
}
