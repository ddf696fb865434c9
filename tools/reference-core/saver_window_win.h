#pragma once
// The reference core's one window in its three roles: the screen saver over the whole virtual
// screen, the scene on each monitor (ends on input; follows a change of the monitors), the
// preview inside another program's window (ends with it), and the settings window "設定" with a
// still picture of the scene (ends when closed). Ending destroys the window, and a destroyed
// window ends the core's message loop.
#include <windows.h>

#include <vector>

#include "settings/settings_file.h"
#include "tools/reference-core/music_win.h"
#include "tools/reference-core/saver_picture_win.h"
#include "ui/window.h"

// Answered with the number of frames shown so far (scripts/bench measures the frame rate with it).
constexpr UINT kFramesShownMessage = WM_APP + 1;

class SaverWindow : public Window {
 public:
  explicit SaverWindow(const SettingsRecord& settings) : picture_(settings) {}

  // `screen` in screen coordinates; the pointer's position now is where the saver starts.
  bool CreateSaver(const RECT& screen, const DesktopSnapshot* desktop);
  bool CreatePreview(HWND parent, const DesktopSnapshot* desktop);
  bool CreateSettings(const DesktopSnapshot* desktop);

  // A tick of the frame clock: the next picture of the animation (a preview whose window has
  // gone ends instead). The settings window keeps its still picture.
  void NextFrame();
  bool Animated() const { return role_ != Role::Settings; }
  Music& music() { return music_; }
  const SaverPicture& picture() const { return picture_; }

 protected:
  Handled OnOther(UINT msg, WPARAM wParam, LPARAM lParam) override;
  Handled OnKeyDown(UINT key, bool system) override;
  Handled OnMouseDown(MouseButton button, WPARAM keys, POINT at) override;
  Handled OnMouseMove(WPARAM keys, POINT at) override;
  Handled OnSetCursor(UINT hitTest) override;
  Handled OnTimer(UINT_PTR id) override;
  void OnDisplayChange() override;
  void OnDestroy() override { PostQuitMessage(0); }

 private:
  enum class Role { Saver, Preview, Settings };
  bool Prepare(Role role, const DesktopSnapshot* desktop);
  // The monitors changed: the saver covers the new virtual screen with the scene on each monitor.
  void FollowDisplayChange();
  void End();

  SaverPicture picture_;
  Music music_;
  Role role_ = Role::Settings;
  HWND parent_ = nullptr;
  const DesktopSnapshot* desktop_ = nullptr;
  std::vector<Rect> monitors_;  // the layout the saver shows
  POINT start_{};
  bool sawFirstMove_ = false;
  int jumpChecks_ = 0;  // looks at the monitors left before a far move ends the saver
  ULONGLONG startTicks_ = 0;
  long frames_ = 0;
};
