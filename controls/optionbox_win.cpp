#include "controls/optionbox.h"

#include <vector>

#include "controls/optionbox_rules.h"
#include "ui/window_utils.h"

namespace {

constexpr wchar_t kClassName[] = L"LumivaleOptionBox";
// Messages of the option box class, with which a member reads and writes another's value.
constexpr UINT kGetValue = WM_USER + 1;
constexpr UINT kWriteValue = WM_USER + 2;  // wParam: the new value (0 or 1)

BOOL CALLBACK CollectOptionBox(HWND window, LPARAM param) {
  wchar_t name[64] = {};
  if (GetClassNameW(window, name, 64) && lstrcmpW(name, kClassName) == 0) {
    auto& boxes = *reinterpret_cast<std::vector<OptionBoxEntry>*>(param);
    boxes.push_back({FromHWND(window), FromHWND(GetParent(window)), SendMessageW(window, kGetValue, 0, 0) != 0});
  }
  return TRUE;
}

// The option boxes of the form that holds `control`, found anew at each use.
std::vector<OptionBoxEntry> FormOptionBoxes(HWND control) {
  std::vector<OptionBoxEntry> boxes;
  HWND form = GetAncestor(control, GA_ROOT);
  if (form) EnumChildWindows(form, CollectOptionBox, reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

void TurnOffOthers(HWND control, TurnOff which) {
  const std::vector<WindowId> others =
      OthersToTurnOff(FormOptionBoxes(control), FromHWND(control), FromHWND(GetParent(control)), which);
  for (WindowId other : others) SendMessageW(ToHWND(other), kWriteValue, 0, 0);
}

}  // namespace

OptionBox::OptionBox() : GlyphBox(L"SKIN_OPTIONBOX", kOptionBoxDisabledColumn, u"OptionBox") {}

bool OptionBox::Create(HWND parent, int x, int y, int width, int height) {
  return CreateBox(kClassName, parent, x, y, width, height);
}

void OptionBox::SetValue(bool value) {
  if (value && hwnd()) TurnOffOthers(hwnd(), TurnOff::OnesThatAreOn);
  storedValue_ = value ? 1 : 0;
  DrawPicture();
}

// A click never turns an option box off, and writes false to every other member, on or not.
void OptionBox::ClickChangesValue() {
  storedValue_ = 1;
  TurnOffOthers(hwnd(), TurnOff::All);
}

Window::Handled OptionBox::OnOther(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kGetValue:
      return value() ? 1 : 0;
    case kWriteValue:
      SetValue(wParam != 0);
      return 0;
  }
  return GlyphBox::OnOther(msg, wParam, lParam);
}
