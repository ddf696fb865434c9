// LumivaleGallery: the skinned pieces built so far on one form. On the left the settings dialog's
// background with live buttons (hover, press and click them; the tooltip follows the mouse); on
// the right every frame of every button skin and the check and option box skins. A click on the
// form outside the pieces drags it; Esc ends the program. With "--hover" the pointer is put on the
// save button at start, so that a screenshot shows its hover frame and tooltip.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/button.h"
#include "controls/track_tip.h"
#include "ui/window_utils.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/message_loop.h"
#include "ui/picture.h"
#include "ui/text.h"
#include "ui/window.h"

namespace {

constexpr int kStripLeft = 392;

// The button skins by their resource names, which are also their labels.
constexpr std::array<const wchar_t*, 5> kButtonSkins{L"SKIN_CLOSE", L"SKIN_FOLDER", L"SKIN_SAVE", L"SKIN_MSG_YES",
                                                     L"SKIN_MSG_NO"};

class GalleryForm : public Form {
 public:
  bool Open() {
    if (!CreateForm(L"Lumivale Gallery", 20, 20, 720, 300)) return false;
    SetBackColor(RGB(236, 236, 236));
    background_ = LoadPicture(L"SKIN_DIALOG_BG");
    for (const wchar_t* name : kButtonSkins) skins_.push_back(LoadPicture(name));
    checkBox_ = LoadPicture(L"SKIN_CHECKBOX");
    optionBox_ = LoadPicture(L"SKIN_OPTIONBOX");
    PaintForm();

    // The dialog's own buttons where its artwork puts them.
    AddButton(skins_[0], 333, 1, u"닫기");
    AddButton(skins_[1], 330, 55, u"음악 파일 찾기");
    AddButton(skins_[2], 327, 219, u"저장 & 닫기");
    AddButton(skins_[3], 20, 262, u"예");
    AddButton(skins_[4], 70, 262, u"아니오");
    ShowWindow(hwnd(), SW_SHOW);
    return true;
  }

  // Puts the pointer on the save button the way a user's mouse would get there.
  void HoverSaveButton() {
    if (buttons_.size() < 3) return;
    RECT r{};
    GetWindowRect(buttons_[2]->hWnd(), &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in.mi.dx = static_cast<LONG>((x * 65536LL + w - 1) / w);
    in.mi.dy = static_cast<LONG>((y * 65536LL + h - 1) / h);
    SendInput(1, &in, sizeof in);
  }

 protected:
  Handled OnMouseDown(MouseButton button, WPARAM, POINT) override {
    if (button != MouseButton::Left && button != MouseButton::Right) return {};
    StartWindowDrag(hwnd());
    return 0;
  }
  Handled OnKeyDown(UINT key, bool system) override {
    if (system) return {};
    if (key == VK_ESCAPE) DestroyWindow(hwnd());
    return 0;
  }
  void OnDestroy() override { PostQuitMessage(0); }

 private:
  void AddButton(const Picture& skin, int x, int y, const Text& tip) {
    auto button = std::make_unique<Button>();
    const int height = skin ? skin.height() / 3 : 14;
    if (!button->Create(hwnd(), x, y, skin ? skin.width() : 30, height)) return;
    button->SetButtonSkin(&skin);
    button->SetTrackTipText(tip);
    buttons_.push_back(std::move(button));
  }

  void PaintForm() {
    HDC dc = BufferDC();
    if (!dc) return;
    FillSolid(dc, RECT{0, 0, Buffer().width(), Buffer().height()}, BackColor());
    if (background_) DrawPicturePart(dc, background_, 0, 0, 0, 0, background_.width(), background_.height());
    const auto label = [dc](int x, int y, const wchar_t* text) {
      DrawTextLine(dc, DialogFont(), RGB(40, 40, 40), x, y, text);
    };
    label(kStripLeft + 110, 6, L"normal");
    label(kStripLeft + 170, 6, L"hover");
    label(kStripLeft + 230, 6, L"pressed");
    int y = 26;
    for (std::size_t i = 0; i < kButtonSkins.size(); ++i) {
      const Picture& skin = skins_[i];
      label(kStripLeft, y + 2, kButtonSkins[i]);
      if (skin) {
        for (int frame = 0; frame < 3; ++frame) {
          const RECT r = SkinFrameRect(skin.width(), skin.height(), static_cast<SkinFrame>(frame));
          DrawPicturePart(dc, skin, kStripLeft + 110 + 60 * frame, y, 0, r.top, r.right, r.bottom - r.top);
        }
        y += skin.height() / 3 + 12;
      } else {
        label(kStripLeft + 110, y + 2, L"(missing)");
        y += 26;
      }
    }
    y += 6;
    label(kStripLeft, y, L"SKIN_CHECKBOX");
    if (checkBox_) DrawPicturePart(dc, checkBox_, kStripLeft + 110, y, 0, 0, checkBox_.width(), checkBox_.height());
    label(kStripLeft + 175, y, L"SKIN_OPTIONBOX");
    if (optionBox_) DrawPicturePart(dc, optionBox_, kStripLeft + 290, y, 0, 0, optionBox_.width(), optionBox_.height());
    ShowBuffer();
  }

  Picture background_;
  std::vector<Picture> skins_;
  Picture checkBox_;
  Picture optionBox_;
  std::vector<std::unique_ptr<Button>> buttons_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  GalleryForm gallery;
  if (!gallery.Open()) return 1;
  if (commandLine && std::wstring(commandLine).find(L"--hover") != std::wstring::npos) gallery.HoverSaveButton();
  RunMessageLoop();
  return 0;
}
