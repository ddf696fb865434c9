#pragma once
// MsgboxFr: the skinned message-box window. Borderless, topmost and rounded, drawn from skin
// pieces, with an optional icon, a title line, the prompt and one (OK) or two (Yes, No) buttons.
// It answers by storing the result in ChoiceButton and destroying its window.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "msgbox/msgbox_layout.h"
#include "ui/accessible.h"
#include "ui/gdi.h"
#include "ui/picture.h"
#include "ui/skinned_form.h"

class Button;

class MsgboxFr : public SkinnedForm, public AccessibleSource {
 public:
  MsgboxFr();
  ~MsgboxFr() override;

  int ChoiceButton = 0;  // IDOK, IDYES, IDNO; 0 nothing chosen

  // The first of these creates the (hidden, topmost) window.
  void SetPrompt(const std::wstring& prompt);
  void SetCaption(const std::wstring& caption);
  void SetTitle(const std::wstring& title);
  void ShowButtons(bool yesNo);
  void ShowIcon(MsgIcon icon);

  // Sizes, shapes, lays out and centres the window around its prompt, on the monitor of the
  // window that will own it (the primary one for none).
  void ArrMsgBox(HWND owner = nullptr);
  // Shows the window modeless, owned by owner, with the keyboard.
  void ShowOwned(HWND owner);

  bool OkVisible() const { return buttonsShown_ && !yesNo_; }
  const MsgBoxLayout& Layout() const { return layout_; }
  const std::wstring& Prompt() const { return prompt_; }
  const std::wstring& Caption() const { return caption_; }
  int Dpi() const { return dpi_; }
  HFONT PromptFont() const { return promptFont_.get(); }
  HFONT CaptionFont() const { return captionFont_.get(); }

  // A reader's view: the box by its title, its prompt as static text, then its buttons.
  AccessibleFacts Describe(LONG child) override;
  std::vector<HWND> ReaderChildren() override;

 protected:
  Handled OnKeyDown(UINT key, bool system) override;
  Handled OnKeyUp(UINT key, bool system) override;
  Handled OnDpiChanged(int dpi, const RECT& suggested) override;
  Handled OnGetObject(LONG objectId, WPARAM flags) override { return AnswerGetObject(hwnd(), flags, objectId); }

 private:
  void EnsureCreated();
  // The fonts and pictures for dpi, and the prompt measured in that font.
  void LoadArt(int dpi);
  // Lays the box out at its DPI around the prompt, centred on the monitor given or at `at`.
  void Arrange(const Rect& monitor, const POINT* at = nullptr);
  void CreateButtons();
  void Redraw();
  void Choose(int choice);
  void KeyUp(UINT key);
  void CopyToClipboard() const;

  std::wstring prompt_ = L"메세지박스 내용", caption_ = L"MsgCaption";
  bool buttonsShown_ = false, yesNo_ = false, keyArmed_ = false;
  MsgIcon icon_ = MsgIcon::None;
  int dpi_ = 0;
  SIZE promptSize_{};
  MsgBoxLayout layout_{};
  UniqueFont promptFont_, captionFont_;
  Picture skin_[8], shadow_, iconInfo_, iconError_, iconWarn_, yesSkin_, noSkin_;
  std::unique_ptr<Button> yes_, no_, ok_;
};
