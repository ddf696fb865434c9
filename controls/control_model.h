#pragma once
// The shared control model of the skinned controls (Button, HyperLink, CheckBox, OptionBox): the
// hover and press flags, the capture-based hover detection, the tooltip rules and the events.
// It decides; the window it drives (ControlHost) does what it is told and answers questions. The
// questions are asked at the moment the rules ask them, because an event handler of the form can
// change the answers (a message box takes the capture away).
#include <cstdint>

#include "base/geometry.h"
#include "base/utf.h"

using MouseMask = std::int16_t;  // buttons 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt

class ControlHost {
 public:
  virtual ~ControlHost() = default;

  virtual bool CaptureIsOurs() = 0;
  virtual void TakeCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual Point CursorPos() = 0;
  virtual Rect WindowRect() = 0;  // the control's, in screen pixels
  virtual WindowId WindowAt(Point point) = 0;
  virtual WindowId OwnWindow() = 0;
  virtual WindowId TipWindow() = 0;  // the process's tooltip window now (0 for none)
  virtual float InnerWidth() = 0;
  virtual float InnerHeight() = 0;
  virtual std::int32_t TextWidth(const Text& text) = 0;  // in the control's font
  virtual int Dpi() const = 0;  // the control's: the tip's offsets scale with it

  virtual void SetHandPointer() = 0;
  // Gives the form that contains the control the focus unless it is the foreground window.
  virtual void FocusForm() = 0;
  virtual void ShowTip(const Text& text, std::int32_t x, std::int32_t y, bool trackOnly) = 0;
  virtual void MoveTip(std::int32_t x, std::int32_t y) = 0;  // same text, new place
  virtual void HideTip() = 0;
  virtual void Redraw() = 0;

  // A left click that began on the control ended inside it; runs just before Click (the check
  // box and the option box change their value here).
  virtual void ClickChangesValue() {}
  // The events. Each returns false when the form's handler destroyed the control: the model
  // then stops at once, touching nothing of the control any more.
  virtual bool RaiseClick() = 0;
  virtual bool RaiseMouseDown(MouseMask& button, MouseMask& shift, float& x, float& y) = 0;
  virtual bool RaiseMouseMove(MouseMask& button, MouseMask& shift, float& x, float& y) = 0;
  virtual bool RaiseMouseUp(MouseMask& button, MouseMask& shift, float& x, float& y) = 0;
};

// Where a control puts its tip: following the cursor (Button, HyperLink), or anchored at the
// control's top left, placed exactly, not following (CheckBox, OptionBox).
enum class TipStyle { FollowCursor, Anchored };

// Which of the three skin rows shows: normal, hover (also pressed with the pointer dragged off),
// pressed.
enum class SkinFrame { Normal = 0, Hover = 1, Pressed = 2 };
SkinFrame FrameFor(bool pressed, bool hover);

class ControlModel {
 public:
  ControlModel(ControlHost& host, TipStyle style) : host_(host), style_(style) {}

  void MouseDown(MouseMask button, MouseMask shift, float x, float y);
  void DoubleClick();
  void MouseMove(MouseMask button, MouseMask shift, float x, float y);
  void MouseUp(MouseMask button, MouseMask shift, float x, float y);

  const Text& TrackTipText() const { return trackTipText_; }
  void SetTrackTipText(const Text& text);

  bool Pressed() const { return pressed_; }
  bool Hover() const { return hover_; }
  WindowId OwnTipWindow() const { return ownTipWindow_; }
  SkinFrame Frame() const { return FrameFor(pressed_, hover_); }

 private:
  bool Inside(float x, float y);
  // Shows the tip for a pointer that hovers now (entering, or a text written while hovering).
  void ShowTipHere(const Text& text);
  void MoveSteps(MouseMask button, float x, float y);
  void Lose();  // Hover and Pressed false

  ControlHost& host_;
  TipStyle style_;
  bool pressed_ = false;
  bool hover_ = false;
  MouseMask lastButton_ = 0;
  MouseMask lastShift_ = 0;
  Text trackTipText_;
  std::int32_t halfTipWidth_ = 0;
  WindowId ownTipWindow_ = 0;
};
