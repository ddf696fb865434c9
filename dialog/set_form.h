#pragma once
// SetForm: the program's own settings dialog. Borderless, topmost, rounded, drawn on its skin;
// edits the settings it is given (the process's own by default) and saves them on request. Closing it in any way closes the
// core's settings window and ends the program.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "controls/button.h"
#include "controls/callback_names.h"
#include "controls/checkbox.h"
#include "controls/hyperlink.h"
#include "controls/optionbox.h"
#include "base/dpi.h"
#include "dialog/enter_save.h"
#include "settings/settings_store.h"
#include "ui/gdi.h"
#include "ui/handles.h"
#include "ui/picture.h"
#include "ui/skinned_form.h"
#include "ui/subclass_win.h"
#include "ui/window.h"

class MagneticWindows;

// The two web pages the dialog's links open (addresses under a reserved domain).
extern const wchar_t* const kOrvaneTeamPage;
extern const wchar_t* const kPavoVideoPage;

// The texts the dialog draws on its skin, each in its box at 96 DPI (the about line wraps in its).
enum class SkinFont { Plain, Bold, Caption };
struct SkinText {
  const wchar_t* text;
  int x, y, width, height;
  SkinFont font;
  UINT format;
  COLORREF color;
  bool opaque;  // a heading on a rule, on white
};
extern const SkinText kSkinTexts[6];

class SetForm : public SkinnedForm, public NamedMethods, private HookOwner {
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

  HWND PathBox() const { return appPath_; }
  std::wstring PathText() const;
  Button& UnloadButton() { return unloadButton_; }
  Button& OkButton() { return okButton_; }
  Button& FolderView() { return folderView_; }
  OptionBox& OpQuality(int index) { return opQuality_[static_cast<size_t>(index)]; }
  CheckBox& Omake1() { return omake1_; }
  CheckBox& Omake2() { return omake2_; }

  void App_Path_MouseLeave();

  // The DPI the dialog is laid out at, and its font for a text of the skin at that DPI.
  int Dpi() const { return dpi_; }
  HFONT FontOf(SkinFont font) const;

 protected:
  Handled OnKeyDown(UINT key, bool system) override;
  Handled OnKeyUp(UINT key, bool system) override;
  Handled OnTimer(UINT_PTR id) override;
  Handled OnClose() override;
  Handled OnActivate(bool active) override;
  void OnKillFocus() override { enter_.FocusLost(); }
  Handled OnDpiChanged(int dpi, const RECT& suggested) override;
  HBRUSH OnCtlColorEdit(HDC dc, HWND edit) override;

 private:
  // The path box's messages (a system EDIT, hooked).
  void SubclassProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                      WPARAM& wParam, LPARAM& lParam) override;
  void KeyDown(WPARAM key);
  void KeyUp(WPARAM key);
  void OnSystemClose();
  void OnWaitForProc();
  void Paint();
  // Lays the dialog out at dpi: its pictures and fonts for that DPI, its size, its controls'
  // places (created on the first call, moved after) and its outline; the window keeps its place.
  void Arrange(int dpi);
  void LoadArt();
  void PlacePathBox();
  // Each control with its place at 96 DPI.
  template <class F>
  void ForEachControl(F&& f);
  // The path box (dialog/path_box_win.cpp).
  void CreatePathBox();
  void ChooseMusicFile();
  void SetPathBoxHot(bool hot);
  void DrawPathBoxFrame(HDC dc);  // its background and its frame, hot or not
  HBRUSH PathBoxColors(HDC dc) const;  // its text colours; the brush of its background

  Picture background_, thumb_, closeSkin_, folderSkin_, saveSkin_;
  UniqueFont boldFont_, captionFont_;
  UniqueBrush pathBrush_;
  int dpi_ = kBaseDpi;
  Button unloadButton_, folderView_, okButton_;
  std::array<OptionBox, 6> opQuality_;
  CheckBox omake1_, omake2_;
  HyperLink goPavo_, goHome_;
  HWND appPath_ = nullptr;
  bool pathHot_ = false;
  bool closeAskedBySystem_ = false;
  EnterSave enter_;
  SettingsState& settings_;
  UniqueHandle coreProcess_;
  std::unique_ptr<MagneticWindows> magnetic_;
  HookService pathBoxHooks_{*this};  // last: unhooks the path box before anything else goes
};

// The process-wide dialog, created and loaded (not shown) on first use.
SetForm& SettingsDialog();
// Makes ready on this thread, without a window of the dialog's, what the dialog's first creation
// costs most: the thread's first top-level window (under Wine it sets up the thread's display
// connection and input method) and the common controls 6 its path box's EDIT class comes from.
void PrepareSettingsDialog();
