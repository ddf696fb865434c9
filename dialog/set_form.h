#pragma once
// SetForm: the program's own settings dialog. Borderless, topmost, rounded, drawn on its skin;
// edits the settings it is given (the process's own by default) and saves them on request. Closing it in any way closes the
// core's settings window and ends the program.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/button.h"
#include "controls/checkbox.h"
#include "controls/hyperlink.h"
#include "controls/optionbox.h"
#include "base/dpi.h"
#include "dialog/dialog_layout.h"
#include "dialog/enter_save.h"
#include "dialog/path_box.h"
#include "settings/settings_store.h"
#include "ui/gdi.h"
#include "ui/handles.h"
#include "ui/picture.h"
#include "ui/skinned_form.h"
#include "ui/accessible.h"
#include "ui/window.h"

class MagneticWindows;

// The two web pages the dialog's links open (addresses under a reserved domain).
extern const wchar_t* const kOrvaneTeamPage;
extern const wchar_t* const kPavoVideoPage;

// The texts the dialog draws on its skin, each in its box at 96 DPI (the about line wraps in its).
enum class SkinFont { Plain, Bold, Caption };
struct SkinText {
  const wchar_t* text;
  Place box;
  SkinFont font;
  UINT format;
  COLORREF color;
  bool opaque;  // a heading on a rule, on white
};
extern const SkinText kSkinTexts[6];

class SetForm;
using PathBoxControl = PathBox;  // inside the form, PathBox() is its window

// The dialog's controls, one row each, in reading order, which is the order of the Tab key and of
// a reader's children (the option group is one stop); a control added is a row added.
enum class ControlKind { Button, Option, Check, Link };
struct ControlRow {
  ControlKind kind;
  Place box;                // at 96 DPI
  const char16_t* caption;  // an option's or a check box's caption, a link's text
  const char16_t* tip;      // a button's tip is also its name to a reader
  const wchar_t* skin;      // a button's picture
  void (SetForm::*click)(const ControlRow& row);
  bool tabStop = true;
  bool enterClicks = false;                 // Enter on it clicks it, not the dialog's save
  int mode = 0;                             // an option's InterpolationMode
  bool SettingsRecord::*setting = nullptr;  // what a check box sets
  const wchar_t* page = nullptr;            // what a link opens
};

class SetForm : public SkinnedForm, public AccessibleSource {
 public:
  explicit SetForm(SettingsState& settings = ProgramSettings());
  ~SetForm() override;

  // Creates the window and runs the load step; the window stays hidden until Show.
  bool Load();
  void Show();
  // The core the dialog serves, handed down by the program: its process, which the supervision
  // timer watches and closes once it has ended, and what ends the program.
  // The dialog then moves to the centre of the work area of the core's settings window's monitor,
  // at that window's DPI.
  void ServeCore(UniqueHandle process, HWND coreWindow, std::function<void(bool closeCoreWindow)> endProgram);
  // The supervision timer: once a second the core must still run.
  void SetWaitForProc(bool on);

  // The unload path; false when the user chose to keep the dialog open.
  bool Unload();
  // Saves and unloads, as the save button does. A save that fails is reported and keeps the
  // dialog with its choices and its saved state.
  void Save();

  // What ends the program: after asking the core's settings window to close (the unload path),
  // or at once (the core is gone). Until a core is served, the process just exits. Tests put their
  // own.
  std::function<void(bool closeCoreWindow)> EndProgramAction;
  // What opens a web page (tests put their own).
  std::function<void(const wchar_t*)> OpenPage;
  // The disk calls of a save, and what reports a failed one (tests put their own).
  SettingsDiskCalls DiskCalls;
  std::function<int(const std::wstring& prompt, int style, const std::wstring& title)> ShowMessage;

  HWND PathBox() const { return pathBox_.hwnd(); }
  std::wstring PathText() const { return pathBox_.Text(); }
  Button& UnloadButton() { return static_cast<Button&>(Nth(ControlKind::Button, 2)); }
  Button& OkButton() { return static_cast<Button&>(Nth(ControlKind::Button, 1)); }
  Button& FolderView() { return static_cast<Button&>(Nth(ControlKind::Button, 0)); }
  OptionBox& OpQuality(int index) { return static_cast<OptionBox&>(Nth(ControlKind::Option, index)); }
  CheckBox& Omake1() { return static_cast<CheckBox&>(Nth(ControlKind::Check, 0)); }
  CheckBox& Omake2() { return static_cast<CheckBox&>(Nth(ControlKind::Check, 1)); }

  void App_Path_MouseLeave() { pathBox_.App_Path_MouseLeave(); }

  // The DPI the dialog is laid out at, and its font for a text of the skin at that DPI.
  int Dpi() const { return dpi_; }
  HFONT FontOf(SkinFont font) const;

  // The windows the keyboard stops at, in Tab order: the path box, then each control row's, the
  // option group by its chosen option (the first when none is).
  std::vector<HWND> TabStops() const;
  // A reader's view: the dialog, its controls as children in Tab order, the close button last.
  AccessibleFacts Describe(LONG child) override;
  std::vector<HWND> ReaderChildren() override;

 protected:
  Handled OnKeyDown(UINT key, bool system) override;
  Handled OnKeyUp(UINT key, bool system) override;
  Handled OnTimer(UINT_PTR id) override;
  Handled OnClose() override;
  Handled OnActivate(bool active) override;
  void OnKillFocus() override { enter_.FocusLost(); }
  Handled OnDpiChanged(int dpi, const RECT& suggested) override;
  HBRUSH OnCtlColorEdit(HDC dc, HWND edit) override;
  Handled OnGetObject(LONG objectId, WPARAM flags) override { return AnswerGetObject(hwnd(), flags, objectId); }

 private:
  static const ControlRow kRows[];  // as many as controls_ holds
  // The n-th control of a kind, in row order.
  SkinnedControl& Nth(ControlKind kind, int n) const;
  // What the rows' clicks do.
  void CloseClicked(const ControlRow&) { Unload(); }
  void SaveClicked(const ControlRow&) { Save(); }
  void ChooseMusicFile(const ControlRow&);
  void ChooseMode(const ControlRow& row);
  void SetChecked(const ControlRow& row);
  void OpenLink(const ControlRow& row) { OpenPage(row.page); }
  // A key pressed or released on the dialog or any of its controls; true when the keyboard's own
  // rules took it (Tab, the arrows in the option group).
  bool KeyDown(UINT key);
  void KeyUp(UINT key);
  void MoveFocus(int step);
  bool MoveChoice(int step);
  void OnSystemClose();
  void OnWaitForProc();
  void Paint();
  // Lays the dialog out at dpi: its pictures and fonts for that DPI, its size, its controls'
  // places (created on the first call, moved after) and its outline; the window keeps its place.
  void Arrange(int dpi);
  void LoadArt();
  void CreateControl(size_t row);

  Picture background_, thumb_;
  std::vector<Picture> skins_;  // a button row's picture, by row
  UniqueFont boldFont_, captionFont_;
  int dpi_ = kBaseDpi;
  std::vector<std::unique_ptr<SkinnedControl>> controls_;  // by row
  bool closeAskedBySystem_ = false;
  bool escapeArmed_ = false;
  HWND lastFocus_ = nullptr;  // the stop the keyboard left the dialog on
  EnterSave enter_;
  SettingsState& settings_;
  UniqueHandle coreProcess_;
  std::unique_ptr<MagneticWindows> magnetic_;
  PathBoxControl pathBox_{*this};  // last: unhooks the path box before anything else goes
};

// The process-wide dialog, created and loaded (not shown) on first use.
SetForm& SettingsDialog();
// Makes ready on this thread, without a window of the dialog's, what the dialog's first creation
// costs most: the thread's first top-level window (under Wine it sets up the thread's display
// connection and input method) and the common controls 6 its path box's EDIT class comes from.
void PrepareSettingsDialog();
