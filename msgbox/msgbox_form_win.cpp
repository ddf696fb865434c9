#include "msgbox/msgbox_form.h"

#include "controls/button.h"
#include "ui/window_utils.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "base/wide.h"

namespace {

// Stretches a whole skin piece over a rectangle (frame bands and edges are one pixel thick).
void StretchPiece(HDC dc, const Picture& piece, const Rect& r) {
  if (!piece || Width(r) <= 0 || Height(r) <= 0) return;
  UniqueDC source(CreateCompatibleDC(dc));
  SelectScope select(source.get(), piece.bitmap());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, piece.width(), piece.height(), blend);
}

}  // namespace

// Until its owner is known, the box measures at the screen's DPI.
MsgboxFr::MsgboxFr() { LoadArt(WindowDpi(nullptr)); }

void MsgboxFr::LoadArt(int dpi) {
  if (dpi != dpi_) {
    dpi_ = dpi;
    promptFont_ = MakeHangulFont(9, FW_NORMAL, dpi);
    captionFont_ = MakeHangulFont(8.25, FW_BOLD, dpi);
    const wchar_t* pieces[8] = {L"SKIN_MSG_TL",   L"SKIN_MSG_TOP", L"SKIN_MSG_TR",     L"SKIN_MSG_LEFT",
                                L"SKIN_MSG_RIGHT", L"SKIN_MSG_BL", L"SKIN_MSG_BOTTOM", L"SKIN_MSG_BR"};
    for (int i = 0; i < 8; ++i) skin_[i] = LoadPicture(pieces[i], static_cast<UINT>(dpi));
    shadow_ = LoadPicture(L"SKIN_BTN_SHADOW", static_cast<UINT>(dpi));
    iconInfo_ = LoadPicture(L"ICON_MSG_INFO", static_cast<UINT>(dpi));
    iconError_ = LoadPicture(L"ICON_MSG_ERROR", static_cast<UINT>(dpi));
    iconWarn_ = LoadPicture(L"ICON_MSG_WARN", static_cast<UINT>(dpi));
    yesSkin_ = LoadPicture(L"SKIN_MSG_YES", static_cast<UINT>(dpi), {1, 3});
    noSkin_ = LoadPicture(L"SKIN_MSG_NO", static_cast<UINT>(dpi), {1, 3});
  }
  promptSize_ = TextBoxSize(promptFont_.get(), prompt_, DT_NOPREFIX | DT_EXPANDTABS);
}

MsgboxFr::~MsgboxFr() = default;

void MsgboxFr::EnsureCreated() {
  if (hwnd()) return;
  CreateSkinnedForm(L"Msgbox", 0, 0, 206, 150, WS_EX_TOPMOST);
}

void MsgboxFr::SetPrompt(const std::wstring& prompt) {
  EnsureCreated();
  prompt_ = prompt;
  LoadArt(dpi_);
}

void MsgboxFr::SetCaption(const std::wstring& caption) {
  EnsureCreated();
  caption_ = caption;
}

void MsgboxFr::SetTitle(const std::wstring& title) {
  EnsureCreated();
  SetWindowTextW(hwnd(), title.c_str());
}

void MsgboxFr::ShowButtons(bool yesNo) {
  buttonsShown_ = true;
  yesNo_ = yesNo;
}

void MsgboxFr::ShowIcon(MsgIcon icon) { icon_ = icon; }

void MsgboxFr::ArrMsgBox(HWND owner) {
  if (!hwnd()) return;
  LoadArt(WindowDpi(owner));  // the owner's monitor's; the screen's without one
  Arrange(MonitorAreaOf(owner));
}

void MsgboxFr::Arrange(const Rect& monitor, const POINT* at) {
  layout_ = ArrangeMsgBox(promptSize_.cx, promptSize_.cy, monitor, dpi_);
  if (at) {
    layout_.left = at->x;
    layout_.top = at->y;
  }
  SetWindowPos(hwnd(), nullptr, layout_.left, layout_.top, layout_.width, layout_.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  CreateButtons();
  const struct {
    Button* button;
    const Rect& place;
    const Picture& skin;
  } buttons[] = {{yes_.get(), layout_.yes, yesSkin_}, {no_.get(), layout_.no, noSkin_}, {ok_.get(), layout_.ok, yesSkin_}};
  for (const auto& b : buttons) {
    if (!b.button) continue;
    b.button->SetDpi(dpi_);
    SetWindowPos(b.button->hWnd(), nullptr, b.place.left, b.place.top, Width(b.place), Height(b.place),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    b.button->SetButtonSkin(&b.skin);
  }
  RoundCorners(layout_.width, layout_.height, layout_.corner);
  Redraw();
}

// On a monitor of another scale: laid out anew at its DPI, in the place offered; the size is the
// layout's, which follows the prompt measured in the new font.
Window::Handled MsgboxFr::OnDpiChanged(int dpi, const RECT& suggested) {
  LoadArt(dpi);
  const POINT at{suggested.left, suggested.top};
  Arrange(MonitorAreaOf(hwnd()), &at);
  return 0;
}

void MsgboxFr::CreateButtons() {
  if (!buttonsShown_ || yes_ || ok_) return;
  const auto make = [this](const Rect& r, const Picture& skin, const char16_t* tip, int choice) {
    auto button = std::make_unique<Button>();
    button->Create(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top);
    button->SetButtonSkin(&skin);
    button->SetTrackTipText(tip);
    button->Click = [this, choice] { Choose(choice); };
    return button;
  };
  if (yesNo_) {
    yes_ = make(layout_.yes, yesSkin_, u"예 (Enter)", IDYES);
    no_ = make(layout_.no, noSkin_, u"아니요 (Esc)", IDNO);
  } else {
    ok_ = make(layout_.ok, yesSkin_, u"확인 (Enter)", IDOK);
  }
}

void MsgboxFr::Redraw() {
  HDC dc = BufferDC();
  if (!dc) return;
  FillSolid(dc, RECT{0, 0, layout_.width, layout_.height}, RGB(255, 255, 255));
  DrawPicturePart(dc, skin_[0], 0, 0, 0, 0, skin_[0].width(), skin_[0].height());
  for (int i = 0; i < 7; ++i) StretchPiece(dc, skin_[i + 1], layout_.frame[i]);  // the pieces after the corner
  if (buttonsShown_) {
    for (int i = yesNo_ ? 0 : 1; i < 2; ++i) {
      const Rect& s = layout_.shadow[i];
      DrawPicturePart(dc, shadow_, s.left, s.top, 0, 0, Width(s), Height(s));
    }
  }
  const Picture* icon = icon_ == MsgIcon::Information ? &iconInfo_
                        : icon_ == MsgIcon::Exclamation ? &iconWarn_
                        : icon_ == MsgIcon::Critical    ? &iconError_
                                                        : nullptr;
  const Rect& i = layout_.icon;
  if (icon) DrawPicturePart(dc, *icon, i.left, i.top, 0, 0, Width(i), Height(i));

  const Rect& c = layout_.caption;
  DrawCaption(dc, captionFont_.get(), caption_.c_str(), ToRECT(c));
  const Rect& p = layout_.prompt;
  DrawTextBox(dc, promptFont_.get(), RGB(0, 0, 0), true, prompt_.c_str(), ToRECT(p),
              DT_EXPANDTABS);
  ShowBuffer();
}

void MsgboxFr::ShowOwned(HWND owner) {
  if (!hwnd()) return;
  SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  // The keyboard starts on the answer Enter gives.
  const Button* first = yes_ ? yes_.get() : ok_.get();
  SetFocus(first && first->hWnd() ? first->hWnd() : hwnd());
}

void MsgboxFr::Choose(int choice) {
  ChoiceButton = choice;
  if (hwnd()) DestroyWindow(hwnd());
}

void MsgboxFr::KeyUp(UINT key) {
  const int shift = ShiftState();
  if (keyArmed_) {
    keyArmed_ = false;
    if (key == VK_RETURN) {
      Choose(yesNo_ ? IDYES : IDOK);
      return;
    }
    if ((key == VK_F4 && shift == 4) || key == VK_ESCAPE) {
      if (OkVisible()) Choose(IDOK);
      else if (buttonsShown_ && yesNo_) Choose(IDNO);
      return;
    }
  }
  if (key == 'C' && shift == 2) CopyToClipboard();
}

void MsgboxFr::CopyToClipboard() const {
  if (!OpenClipboard(hwnd())) return;
  EmptyClipboard();
  const Text text = MsgBoxClipboardText(FromWide(caption_), FromWide(prompt_), yesNo_ && buttonsShown_,
                                        yesNo_ && buttonsShown_, OkVisible());
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* p = GlobalLock(memory)) {
      const std::wstring wide = Wide(text);
      CopyMemory(p, wide.c_str(), bytes);
      GlobalUnlock(memory);
      // cppcheck-suppress doubleFree ; SetClipboardData takes the memory only when it succeeds
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);  // else the clipboard owns it
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

Window::Handled MsgboxFr::OnKeyDown(UINT key, bool system) {
  // Alt+F4 is this box's own key: the system's close must not run first.
  keyArmed_ = true;
  // Tab, Shift+Tab and the left and right arrows move the keyboard between Yes and No.
  const bool moves = key == VK_TAB ? (ShiftState() & ~1) == 0 : (key == VK_LEFT || key == VK_RIGHT) && ShiftState() == 0;
  if (!system && moves && yes_ && no_) {
    ShowFocusCues(hwnd(), true);
    SetFocus(GetFocus() == yes_->hWnd() ? no_->hWnd() : yes_->hWnd());
  }
  if (!system || key == VK_F4) return 0;
  return {};
}

Window::Handled MsgboxFr::OnKeyUp(UINT key, bool) {
  KeyUp(key);
  return 0;
}

AccessibleFacts MsgboxFr::Describe(LONG child) {
  AccessibleFacts facts;
  if (child == 1) {
    facts.name = prompt_;
    facts.role = ROLE_SYSTEM_STATICTEXT;
    facts.state = STATE_SYSTEM_READONLY;
    facts.place = ToRECT(layout_.prompt);
    MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&facts.place), 2);
    return facts;
  }
  wchar_t title[256] = {};
  GetWindowTextW(hwnd(), title, 256);
  facts.name = title;
  facts.role = ROLE_SYSTEM_DIALOG;
  facts.state = STATE_SYSTEM_FOCUSABLE;
  if (GetFocus() == hwnd()) facts.state |= STATE_SYSTEM_FOCUSED;
  return facts;
}

std::vector<HWND> MsgboxFr::ReaderChildren() {
  std::vector<HWND> children{nullptr};  // the prompt
  for (const Button* button : {yes_.get(), no_.get(), ok_.get()})
    if (button && button->hWnd()) children.push_back(button->hWnd());
  return children;
}
