#pragma once
// The settings dialog's BGM path box: a system EDIT on the dialog with the dialog's colours and a
// frame drawn on the dialog's image, hot while the pointer is on it, with a tooltip of the whole
// path, Ctrl+A, and its keys handed to the dialog. A reader sees it as editable text named after
// its heading, the path as its value.
#include <windows.h>

#include <functional>
#include <string>

#include "controls/callback_names.h"
#include "ui/accessible.h"
#include "ui/handles.h"
#include "ui/subclass_win.h"
#include "ui/window.h"

class PathBox : public NamedMethods, private HookOwner, public AccessibleSource {
 public:
  explicit PathBox(BufferedWindow& form);
  ~PathBox() override;

  // Creates the EDIT on the form at dpi; Place lays it out anew at another.
  void Create(int dpi);
  void Place(int dpi);

  HWND hwnd() const { return edit_; }
  std::wstring Text() const;
  void SetText(const std::wstring& text);

  // Its background and frame (hot or not) on the form's image; its text colours and brush.
  void DrawFrame(HDC dc) const;
  HBRUSH Colors(HDC dc) const;

  void App_Path_MouseLeave();

  // What the dialog does with the box's keys: a press, a release (after the box has had it) and
  // the keyboard leaving the box.
  std::function<void(UINT key)> KeyDown, KeyUp;
  std::function<void()> FocusLost;

  AccessibleFacts Describe(LONG child) override;

 private:
  void SubclassProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg, WPARAM& wParam,
                    LPARAM& lParam) override;
  void SetHot(bool hot);

  BufferedWindow& form_;
  HWND edit_ = nullptr;
  int dpi_ = 96;
  bool hot_ = false;
  UniqueBrush brush_;
  subclass::HookService hooks_{*this};  // last: unhooks the box before anything else goes
};
