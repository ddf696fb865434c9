// The settings dialog without a mouse: the Tab cycle, the arrows in the option group, Esc as the
// close button and Enter's save; and what a screen reader is told of it.
#include "dialog/set_form.h"

#include "ui/focus_order.h"
#include "ui/window_utils.h"

std::vector<HWND> SetForm::TabStops() const {
  std::vector<HWND> stops;
  if (pathBox_.hwnd()) stops.push_back(pathBox_.hwnd());
  bool groupAdded = false;
  for (size_t i = 0; i < controls_.size(); ++i) {
    const SkinnedControl& control = *controls_[i];
    if (!control.hWnd() || !kRows[i].tabStop) continue;
    if (kRows[i].kind != ControlKind::Option) {
      stops.push_back(control.hWnd());
    } else if (!groupAdded) {
      groupAdded = true;
      HWND chosen = control.hWnd();  // the first, unless another is chosen
      for (size_t j = i; j < controls_.size(); ++j)
        if (kRows[j].kind == ControlKind::Option && static_cast<const OptionBox&>(*controls_[j]).value())
          chosen = controls_[j]->hWnd();
      stops.push_back(chosen);
    }
  }
  return stops;
}

void SetForm::MoveFocus(int step) {
  const std::vector<HWND> stops = TabStops();
  int current = -1;
  for (size_t i = 0; i < stops.size(); ++i)
    if (stops[i] == GetFocus()) current = static_cast<int>(i);
  const int next = NextStop(static_cast<int>(stops.size()), current, step);
  if (next < 0) return;
  HWND target = stops[static_cast<size_t>(next)];
  if (target == pathBox_.hwnd()) SendMessageW(target, EM_SETSEL, 0, -1);  // as a dialog's edit box is entered
  SetFocus(target);
  lastFocus_ = target;
}

// An arrow on an option chooses the next one, as a click on it would, and takes the keyboard there.
bool SetForm::MoveChoice(int step) {
  std::vector<OptionBox*> options;
  int focused = -1, chosen = -1;
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (kRows[i].kind != ControlKind::Option) continue;
    auto& option = static_cast<OptionBox&>(*controls_[i]);
    if (option.hWnd() == GetFocus()) focused = static_cast<int>(options.size());
    if (option.value()) chosen = static_cast<int>(options.size());
    options.push_back(&option);
  }
  if (focused < 0) return false;
  const int next = NextOption(static_cast<int>(options.size()), chosen, step);
  if (next < 0) return false;
  OptionBox& option = *options[static_cast<size_t>(next)];
  SetFocus(option.hWnd());
  lastFocus_ = option.hWnd();
  option.ClickByKey();
  return true;
}

bool SetForm::KeyDown(UINT key) {
  const int shift = ShiftState();
  escapeArmed_ = key == VK_ESCAPE && shift == 0;
  bool taken = false;
  if (key == VK_TAB && (shift & ~1) == 0) {
    MoveFocus((shift & 1) ? -1 : 1);
    taken = true;
  } else if ((key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) && shift == 0) {
    taken = MoveChoice(key == VK_LEFT || key == VK_UP ? -1 : 1);
  }
  // The keyboard is in use: focus cues show from now on, as the system's dialogs show them.
  if (taken) ShowFocusCues(hwnd(), true);
  enter_.KeyDown(key, shift != 0);
  return taken;
}

void SetForm::KeyUp(UINT key) {
  const bool modifier = ShiftState() != 0;
  if (key == VK_ESCAPE && escapeArmed_ && !modifier) {
    escapeArmed_ = false;
    Unload();  // as the close button: closes, or asks first when there are unsaved changes
    return;
  }
  if (enter_.KeyUp(key, modifier)) Save();
}

// With no window holding the keyboard (as after a message box, which disabled the dialog), keys
// reach the active window as system keys.
Window::Handled SetForm::OnKeyDown(UINT key, bool system) {
  if (KeyDown(key) && !system) return 0;
  return {};
}

Window::Handled SetForm::OnKeyUp(UINT key, bool system) {
  if (!system || key == VK_RETURN || key == VK_ESCAPE) KeyUp(key);
  if (system) return {};
  return 0;
}

AccessibleFacts SetForm::Describe(LONG) {
  AccessibleFacts facts;
  wchar_t title[128] = {};
  GetWindowTextW(hwnd(), title, 128);
  facts.name = title;
  facts.role = ROLE_SYSTEM_DIALOG;
  facts.state = STATE_SYSTEM_FOCUSABLE;
  if (GetFocus() == hwnd()) facts.state |= STATE_SYSTEM_FOCUSED;
  return facts;
}

std::vector<HWND> SetForm::ReaderChildren() {
  std::vector<HWND> children;
  if (pathBox_.hwnd()) children.push_back(pathBox_.hwnd());
  for (size_t i = 0; i < controls_.size(); ++i)
    if (kRows[i].tabStop && controls_[i]->hWnd()) children.push_back(controls_[i]->hWnd());
  for (size_t i = 0; i < controls_.size(); ++i)
    if (!kRows[i].tabStop && controls_[i]->hWnd()) children.push_back(controls_[i]->hWnd());
  return children;
}
