#include "dialog/set_form.h"

#include <shellapi.h>
#include <commdlg.h>

#include "base/wide.h"
#include "dialog/open_dialog.h"
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

constexpr COLORREF kHeadingColor = RGB(140, 50, 50), kCaptionColor = RGB(0x40, 0x40, 0x40);

}  // namespace

// Caption first, then the headings, which sit on the rules: their blanks cut a rule like a group
// title.
const SkinText kSkinTexts[6] = {
    {L"Lumivale! Screen Saver - Setting", kCaptionTextPlace, SkinFont::Caption, DT_SINGLELINE, kCaptionColor, false},
    {L" BGM 경로 ", kHeadingPlaces[0], SkinFont::Plain, DT_SINGLELINE, kHeadingColor, true},
    {L" 영상 화질 ", kHeadingPlaces[1], SkinFont::Plain, DT_SINGLELINE, kHeadingColor, true},
    {L" 특수 설정 ", kHeadingPlaces[2], SkinFont::Plain, DT_SINGLELINE, kHeadingColor, true},
    {L"Lumivale Screen Saver", kTitlePlace, SkinFont::Bold, DT_WORDBREAK, kHeadingColor, false},  // wraps
    {L"Orvane Team에서 리모델링된 스크린 세이버입니다", kAboutPlace, SkinFont::Plain, DT_SINGLELINE, RGB(0, 0, 0), false},
};

using Kind = ControlKind;
// clang-format off
const ControlRow SetForm::kRows[] = {
    {.kind = Kind::Button, .box = kFolderPlace, .caption = nullptr, .tip = u"BGM 변경",
     .skin = L"SKIN_FOLDER", .click = &SetForm::ChooseMusicFile, .enterClicks = true},
    {Kind::Option, OptionPlace(0), u"고화질 Bicubic", u"고화질 Bicubic 사용하기", nullptr, &SetForm::ChooseMode, true, false, 0},
    {Kind::Option, OptionPlace(1), u"고화질 Bilinear", u"고화질 Bilinear 사용하기", nullptr, &SetForm::ChooseMode, true, false, 1},
    {Kind::Option, OptionPlace(2), u"Bicubic", u"Bicubic 사용하기", nullptr, &SetForm::ChooseMode, true, false, 2},
    {Kind::Option, OptionPlace(3), u"Bilinear", u"Bilinear 사용하기", nullptr, &SetForm::ChooseMode, true, false, 3},
    {Kind::Option, OptionPlace(4), u"선명하게 (무처리)", u"선명하게 표시 (처리 안함)", nullptr, &SetForm::ChooseMode, true, false, 4},
    {Kind::Option, OptionPlace(5), u"기본값", u"기본값으로 표현", nullptr, &SetForm::ChooseMode, true, false, 5},
    {.kind = Kind::Check, .box = kOmakePlaces[0], .caption = u"화면과 동기화 하지 않음",
     .tip = u"화면 크기에 맞춰 재생하지 않습니다", .skin = nullptr, .click = &SetForm::SetChecked, .setting = &SettingsRecord::Omake1},
    {.kind = Kind::Check, .box = kOmakePlaces[1], .caption = u"배경을 흰색으로 처리",
     .tip = u"배경에 바탕화면을 비추지 않고 흰색으로 처리합니다", .skin = nullptr, .click = &SetForm::SetChecked,
     .setting = &SettingsRecord::Omake2},
    {.kind = Kind::Link, .box = kLinkPlaces[0], .caption = u"파보 PV 영상보기",
     .tip = u"파보 원본 PV 영상 보러가기", .skin = nullptr, .click = &SetForm::OpenLink, .page = kPavoVideoPage},
    {.kind = Kind::Link, .box = kLinkPlaces[1], .caption = u"Orvane Team",
     .tip = u"Orvane Team 바로가기", .skin = nullptr, .click = &SetForm::OpenLink, .page = kOrvaneTeamPage},
    {.kind = Kind::Button, .box = kOkPlace, .caption = nullptr, .tip = u"설정 저장 (Enter)",
     .skin = L"SKIN_SAVE", .click = &SetForm::SaveClicked},
    // Not a stop: Esc and Alt+F4 do its work, as with a caption's close button.
    {.kind = Kind::Button, .box = kUnloadPlace, .caption = nullptr, .tip = u"환경설정 닫기",
     .skin = L"SKIN_CLOSE", .click = &SetForm::CloseClicked, .tabStop = false},
};
// clang-format on
namespace {
constexpr size_t kRowCount = 13;
}  // namespace


SkinnedControl& SetForm::Nth(ControlKind kind, int n) const {
  for (size_t i = 0; i < kRowCount; ++i)
    if (kRows[i].kind == kind && n-- == 0) return *controls_[i];
  return *controls_.front();  // not reached: the accessors name rows that exist
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
  for (const ControlRow& row : kRows) {
    switch (row.kind) {
      case Kind::Button: controls_.push_back(std::make_unique<Button>()); break;
      case Kind::Option: controls_.push_back(std::make_unique<OptionBox>()); break;
      case Kind::Check: controls_.push_back(std::make_unique<CheckBox>()); break;
      case Kind::Link: controls_.push_back(std::make_unique<HyperLink>()); break;
    }
  }
  static_assert(sizeof kRows == kRowCount * sizeof(ControlRow));
  skins_.resize(kRowCount);
  pathBox_.KeyDown = [this](UINT key) { KeyDown(key); };
  pathBox_.KeyUp = [this](UINT key) { KeyUp(key); };
  pathBox_.FocusLost = [this] { enter_.FocusLost(); };
}

void SetForm::LoadArt() {
  background_ = LoadPicture(L"SKIN_DIALOG_BG", dpi_);
  thumb_ = LoadPicture(L"SKIN_THUMB", dpi_);
  for (size_t i = 0; i < kRowCount; ++i)
    if (kRows[i].skin) skins_[i] = LoadPicture(kRows[i].skin, dpi_, {1, 3});
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
  const int width = Scale(kDialogPlace.width, dpi_), height = Scale(kDialogPlace.height, dpi_);
  RECT work{0, 0, 800, 600};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const Point place = CentredIn(FromRECT(work), width, height);
  if (!CreateSkinnedForm(L"Lumivale! Screen Saver - Setting", place.x, place.y, width, height, WS_EX_APPWINDOW))
    return false;
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi_)), FALSE);
  // The buttons and the path box: before the dialog paints its image, as they always were.
  for (size_t i = 0; i < kRowCount; ++i)
    if (kRows[i].kind == Kind::Button) CreateControl(i);
  pathBox_.Create(dpi_);
  Paint();  // first, so that the controls below take their background from it
  for (size_t i = 0; i < kRowCount; ++i)
    if (kRows[i].kind != Kind::Button) CreateControl(i);

  // The load step proper.
  SetAppIcon(hwnd());
  magnetic_ = std::make_unique<MagneticWindows>();
  magnetic_->AddWindow(hwnd(), nullptr, [this] { OnSystemClose(); });
  pathBox_.SetText(settings_.Settings.BGMfile.empty() ? L"" : Wide(settings_.Settings.BGMfile));
  if (settings_.Settings.InterpolationMode <= 5) OpQuality(settings_.Settings.InterpolationMode).SetValue(true);
  RoundCorners(width, height, Scale(kDialogCorner, dpi_));
  settings_.SettingsSaved = true;
  return true;
}

void SetForm::Arrange(int dpi) {
  if (!hwnd()) return;
  dpi_ = dpi;
  LoadArt();
  const int width = Scale(kDialogPlace.width, dpi_), height = Scale(kDialogPlace.height, dpi_);
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi_)), FALSE);
  SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  pathBox_.Place(dpi_);
  Paint();  // before the controls, which take their background from it
  for (size_t i = 0; i < kRowCount; ++i) {
    const Rect r = ScaledPlace(kRows[i].box, dpi_);
    controls_[i]->SetDpi(dpi_);
    SetWindowPos(controls_[i]->hWnd(), nullptr, r.left, r.top, Width(r), Height(r), SWP_NOZORDER | SWP_NOACTIVATE);
    if (kRows[i].skin) static_cast<Button&>(*controls_[i]).SetButtonSkin(&skins_[i]);  // the new DPI's, in the same place
  }
  for (const auto& control : controls_) control->DrawPicture();
  RoundCorners(width, height, Scale(kDialogCorner, dpi_));
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
  FillSolid(dc, RECT{0, 0, S(kDialogPlace.width), S(kDialogPlace.height)}, RGB(255, 255, 255));
  DrawPicturePart(dc, background_, 0, 0, 0, 0, S(kDialogPlace.width), S(kDialogPlace.height));
  // The rules first, then the texts: the headings' blanks cut them.
  for (const Place& r : kRules) {
    UniquePen pen(CreatePen(PS_SOLID, ScaleLine(1, dpi_), kHeadingColor));
    SelectScope select(dc, pen.get());
    MoveToEx(dc, S(r.x), S(r.y), nullptr);
    LineTo(dc, S(r.x) + S(r.width), S(r.y) + S(r.height));
  }
  for (const SkinText& t : kSkinTexts) {
    const Rect box = ScaledPlace(t.box, dpi_);
    DrawTextBox(dc, FontOf(t.font), t.color, t.opaque, t.text, ToRECT(box), t.format);
  }
  DrawPicturePart(dc, thumb_, S(kThumbPlace.x), S(kThumbPlace.y), 0, 0, S(kThumbPlace.width), S(kThumbPlace.height));
  pathBox_.DrawFrame(dc);
  ShowBuffer();
}

// The dialog takes the keyboard when it becomes active with nothing of its own holding it (as on
// its first show and after a message box, which disabled it): back on the stop it left, or itself.
Window::Handled SetForm::OnActivate(bool active) {
  HWND focus = GetFocus();
  const bool ours = focus && (focus == hwnd() || IsChild(hwnd(), focus));
  if (!active && ours) lastFocus_ = focus;
  if (active && !ours) SetFocus(lastFocus_ && IsChild(hwnd(), lastFocus_) ? lastFocus_ : hwnd());
  return 0;
}

// Moved to a monitor of another scale: laid out anew at its DPI, in the rectangle offered.
Window::Handled SetForm::OnDpiChanged(int dpi, const RECT& r) {
  if (dpi > 0 && dpi != dpi_) Arrange(dpi);
  SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

HBRUSH SetForm::OnCtlColorEdit(HDC dc, HWND edit) { return edit == pathBox_.hwnd() ? pathBox_.Colors(dc) : nullptr; }

// Each row's control, created at its place, with its texts and its click.
void SetForm::CreateControl(size_t index) {
  const ControlRow& row = kRows[index];
  SkinnedControl& control = *controls_[index];
  const Rect r = ScaledPlace(row.box, dpi_);
  const int x = r.left, y = r.top, w = Width(r), h = Height(r);
  switch (row.kind) {
    case Kind::Button: {
      auto& button = static_cast<Button&>(control);
      button.Create(hwnd(), x, y, w, h);
      button.SetButtonSkin(&skins_[index]);
      button.EnterClicks = row.enterClicks;
      break;
    }
    case Kind::Option:
      static_cast<OptionBox&>(control).Create(hwnd(), x, y, w, h);
      static_cast<OptionBox&>(control).SetCaption(row.caption);
      break;
    case Kind::Check:
      static_cast<CheckBox&>(control).Create(hwnd(), x, y, w, h);
      static_cast<CheckBox&>(control).SetCaption(row.caption);
      break;
    case Kind::Link:
      static_cast<HyperLink&>(control).Create(hwnd(), x, y, w, h);
      static_cast<HyperLink&>(control).SetPrompt(row.caption);
      break;
  }
  control.SetTrackTipText(row.tip);
  control.Click = [this, &row] { (this->*row.click)(row); };
  // A setting already on: its click runs as the user's would; the load ends saved.
  if (row.setting && settings_.Settings.*row.setting) static_cast<CheckBox&>(control).SetValue(1);
}

void SetForm::ChooseMusicFile(const ControlRow&) {
  DWORD flags = OFN_EXPLORER;
  std::wstring file = PathText();
  std::wstring filter = L"지원 음악파일(*.wav;*.mp3)|*.wav;*.mp3|";
  if (!ShowOpenDialog(hwnd(), flags, file, L"BGM 변경", filter, L"")) return;
  pathBox_.SetText(file);
  settings_.Settings.BGMfile = FromWide(PathText());
  settings_.SettingsSaved = false;
}

void SetForm::ChooseMode(const ControlRow& row) {
  settings_.SettingsSaved = false;
  settings_.Settings.InterpolationMode = static_cast<std::uint8_t>(row.mode);
}

void SetForm::SetChecked(const ControlRow& row) {
  settings_.SettingsSaved = false;
  const size_t index = static_cast<size_t>(&row - kRows);
  settings_.Settings.*row.setting = static_cast<CheckBox&>(*controls_[index]).value() != 0;
}

void PrepareSettingsDialog() {
  // The system's dialog class: no library of the dialog's is loaded for it, and it never shows.
  if (HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"#32770", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                               nullptr))
    DestroyWindow(w);
  // Through the manifest, as the EDIT's class redirection loads it; it stays for the dialog.
  static const HMODULE commonControls = LoadSystemLibrary(L"comctl32.dll");
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
