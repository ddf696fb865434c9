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

MsgboxFr::MsgboxFr() : promptFont_(MakeHangulFont(9)), captionFont_(MakeHangulFont(8.25, FW_BOLD)) {
  const wchar_t* pieces[8] = {L"SKIN_MSG_TL",   L"SKIN_MSG_TOP", L"SKIN_MSG_TR",     L"SKIN_MSG_LEFT",
                              L"SKIN_MSG_RIGHT", L"SKIN_MSG_BL", L"SKIN_MSG_BOTTOM", L"SKIN_MSG_BR"};
  for (int i = 0; i < 8; ++i) skin_[i] = LoadPicture(pieces[i]);
  shadow_ = LoadPicture(L"SKIN_BTN_SHADOW");
  iconInfo_ = LoadPicture(L"ICON_MSG_INFO");
  iconError_ = LoadPicture(L"ICON_MSG_ERROR");
  iconWarn_ = LoadPicture(L"ICON_MSG_WARN");
  yesSkin_ = LoadPicture(L"SKIN_MSG_YES");
  noSkin_ = LoadPicture(L"SKIN_MSG_NO");
}

MsgboxFr::~MsgboxFr() = default;

void MsgboxFr::EnsureCreated() {
  if (hwnd()) return;
  CreateSkinnedForm(L"Msgbox", 0, 0, 206, 150, WS_EX_TOPMOST);
}

void MsgboxFr::SetPrompt(const std::wstring& prompt) {
  EnsureCreated();
  prompt_ = prompt;
  promptSize_ = TextBoxSize(promptFont_.get(), prompt_, DT_NOPREFIX | DT_EXPANDTABS);
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
  layout_ = ArrangeMsgBox(promptSize_.cx, promptSize_.cy, MonitorAreaOf(owner), kBaseDpi);
  SetWindowPos(hwnd(), nullptr, layout_.left, layout_.top, layout_.width, layout_.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  CreateButtons();
  RoundCorners(layout_.width, layout_.height);
  Redraw();
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
    if (yesNo_) DrawPicturePart(dc, shadow_, layout_.shadow[0].left, layout_.shadow[0].top, 0, 0, 42, 21);
    DrawPicturePart(dc, shadow_, layout_.shadow[1].left, layout_.shadow[1].top, 0, 0, 42, 21);
  }
  const Picture* icon = icon_ == MsgIcon::Information ? &iconInfo_
                        : icon_ == MsgIcon::Exclamation ? &iconWarn_
                        : icon_ == MsgIcon::Critical    ? &iconError_
                                                        : nullptr;
  if (icon) DrawPicturePart(dc, *icon, layout_.icon.left, layout_.icon.top, 0, 0, 32, 32);

  DrawCaption(dc, captionFont_.get(), caption_.c_str(), RECT{8, 3, 8 + 297, 3 + 17});
  const Rect& p = layout_.prompt;
  DrawTextBox(dc, promptFont_.get(), RGB(0, 0, 0), true, prompt_.c_str(), RECT{p.left, p.top, p.right, p.bottom},
              DT_EXPANDTABS);
  ShowBuffer();
}

void MsgboxFr::ShowOwned(HWND owner) {
  if (!hwnd()) return;
  SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(hwnd());
}

void MsgboxFr::Choose(int choice) {
  ChoiceButton = choice;
  if (hwnd()) DestroyWindow(hwnd());
}

void MsgboxFr::OnKeyUp(UINT key) {
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

Window::Handled MsgboxFr::OnKey(UINT msg, WPARAM key, LPARAM) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Alt+F4 is this box's own key: the system's close must not run first.
      keyArmed_ = true;
      if (msg == WM_KEYDOWN || key == VK_F4) return 0;
      return {};
    case WM_KEYUP:
    case WM_SYSKEYUP:
      OnKeyUp(static_cast<UINT>(key));
      return 0;
  }
  return {};
}
