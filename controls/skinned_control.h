#pragma once
// The window side of the skinned controls (Button, HyperLink, CheckBox, OptionBox): turns mouse
// messages into calls of the shared control model and carries out what the model decides. A
// control adds its drawing (DrawPicture) and, where it differs, its value change on click.
#include <windows.h>

#include <functional>
#include <memory>

#include "base/dpi.h"
#include "controls/control_model.h"
#include "ui/accessible.h"
#include "ui/window.h"

// Event handler for MouseDown, MouseMove and MouseUp: button and shift masks, x and y in the
// control's pixels, all by reference.
using MouseEvent = std::function<void(MouseMask& button, MouseMask& shift, float& x, float& y)>;

class SkinnedControl : public ChildControl, protected ControlHost, public AccessibleSource {
 public:
  ~SkinnedControl() override;

  HWND hWnd() const { return hwnd(); }

  // The DPI the control draws at: its parent's when it was created. The form sets the new one when
  // it moves to another DPI, before it moves and resizes the control (already scaled): the control
  // takes its skin and fonts for that DPI and paints itself again.
  int Dpi() const override { return dpi_; }
  void SetDpi(int dpi);

  const Text& TrackTipText() const { return model_.TrackTipText(); }
  void SetTrackTipText(const Text& text) { model_.SetTrackTipText(text); }

  // Paints the control for its current state into its retained image.
  virtual void DrawPicture() = 0;

  bool Pressed() const { return model_.Pressed(); }
  bool Hover() const { return model_.Hover(); }

  // Does what a left click does (the value change, then Click), for a key or a reader.
  void ClickByKey();
  // The keyboard is on the control and the form shows focus cues (once the keyboard was used).
  bool ShowsFocusCue() const;

  // A reader's view: the control's name, role, its checked state and its default action.
  AccessibleFacts Describe(LONG child) override;

  std::function<void()> Click;
  MouseEvent MouseDown;
  MouseEvent MouseMove;
  MouseEvent MouseUp;

 protected:
  explicit SkinnedControl(TipStyle tipStyle);
  // Creates the window (double clicks reported) and paints it once.
  bool CreateControl(const wchar_t* className, HWND parent, int x, int y, int width, int height);

  const ControlModel& Model() const { return model_; }
  // Takes what the control draws with at Dpi() (skins, sizes); runs before the window is created
  // and at every DPI change, before the control paints itself.
  virtual void LoadForDpi() {}

  Handled OnMouseDown(MouseButton button, WPARAM keys, POINT at) override;
  Handled OnMouseDoubleClick(MouseButton button, WPARAM keys, POINT at) override;
  Handled OnMouseUp(MouseButton button, WPARAM keys, POINT at) override;
  Handled OnMouseMove(WPARAM keys, POINT at) override;
  Handled OnSetCursor(UINT hitTest) override;  // the hand pointer
  // Keys the control acts on itself (armed on the press, done on the release); every other key
  // goes on to its form.
  Handled OnKeyDown(UINT key, bool system) override;
  Handled OnKeyUp(UINT key, bool system) override;
  void OnSetFocus() override;
  void OnKillFocus() override { RepaintFocus(); }
  void OnUiStateChanged() override { RepaintFocus(); }
  Handled OnGetObject(LONG objectId, WPARAM flags) override { return AnswerGetObject(hwnd(), flags, objectId); }
  void OnAccessibleAction(LONG child) override {
    if (child == CHILDID_SELF) ClickByKey();
  }
  virtual bool ActsOnKey(UINT /*key*/) const { return false; }
  // Paints what the focus cue changes (the whole control by default).
  virtual void RepaintFocus() { DrawPicture(); }
  // Draws the focus cue, if it shows, as a one-pixel dotted frame (scaled) in `color` on `box`.
  void DrawFocusCue(HDC dc, RECT box, COLORREF color) const;
  virtual LONG ReaderRole() const = 0;
  virtual Text ReaderName() const { return TrackTipText(); }
  virtual bool Checked() const { return false; }
  virtual const wchar_t* ReaderAction() const = 0;

  void OnBufferResized() override { DrawPicture(); }

  // ControlHost: what the model asks of the window.
  bool CaptureIsOurs() override;
  void TakeCapture() override;
  void ReleaseCapture() override;
  Point CursorPos() override;
  Rect WindowRect() override;
  WindowId WindowAt(Point point) override;
  WindowId OwnWindow() override;
  WindowId TipWindow() override;
  float InnerWidth() override;
  float InnerHeight() override;
  std::int32_t TextWidth(const Text& text) override;
  void SetHandPointer() override;
  void FocusForm() override;
  void ShowTip(const Text& text, std::int32_t x, std::int32_t y, bool trackOnly) override;
  void MoveTip(std::int32_t x, std::int32_t y) override;
  void HideTip() override;
  void Redraw() override { DrawPicture(); }
  bool RaiseClick() override;
  bool RaiseMouseDown(MouseMask& button, MouseMask& shift, float& x, float& y) override;
  bool RaiseMouseMove(MouseMask& button, MouseMask& shift, float& x, float& y) override;
  bool RaiseMouseUp(MouseMask& button, MouseMask& shift, float& x, float& y) override;

 private:
  bool Raise(const MouseEvent& event, MouseMask& button, MouseMask& shift, float& x, float& y);

  int dpi_ = kBaseDpi;
  UINT keyArmed_ = 0;
  ControlModel model_;
  // Cleared when the object goes, so that a handler that destroyed it can be told apart.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
